// diancai-console against diancai-devserver, both as child processes on loopback: what the
// console prints, what the server recorded, and what the catalogue reads after an update.
#include "ConsoleRun.h"
#include "server/TestRows.h"

#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {
struct Recorded {
    QMap<QString, QString> header;
    QStringList lines;
};

// The header elements and the given attributes of every Data line of a recorded order.
Recorded readOrder(const QString &xml, const QStringList &attributes)
{
    Recorded order;
    QString body = xml;
    body.remove(QRegularExpression(u"^<\\?xml[^>]*\\?>"_s));
    QXmlStreamReader reader(body);
    while (!reader.atEnd()) {
        if (!reader.readNext() || !reader.isStartElement())
            continue;
        if (reader.name() == u"Data") {
            QStringList values;
            for (const QString &name : attributes)
                values << reader.attributes().value(name).toString();
            order.lines << values.join(u'|');
        } else if (reader.name() != u"ClientCommand" && reader.name() != u"OrderDetail") {
            const QString name = reader.name().toString();
            order.header.insert(name, reader.readElementText());
        }
    }
    return order;
}

} // namespace

class TestConsoleServer : public QObject {
    Q_OBJECT
private:
    DevServerHarness server;

    QString connect() const
    {
        return u"server 127.0.0.1 "_s + QString::number(server.port()) + u"\nlogin 001 123\n"_s;
    }
    QJsonArray commands(const QString &name)
    {
        return server.controlGet(u"/__control/commands?command="_s + name).value(u"commands"_s).toArray();
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("DIANCAI_RESOURCES") + u"/demo/diancai-demo.zip"_s))
            QSKIP("the demo base data has not been generated");
        QVERIFY2(server.startProcess({}, {u"--stock"_s, u"00002=1"_s}), qPrintable(server.lastError()));
    }

    void init() { QCOMPARE(server.controlPost(u"/__control/clear"_s), 200); }

    void sendsAWholeOrder()
    {
        ConsoleRun console;
        const QStringList out = console.run(
            connect() +
            u"table A01 4\nadd 00001 qty=2\nadd 00017 size=大份\nadd 00020 taste=003 taste=manual:少油:2\n"
            "add 00114 swap=1:00023\ngift 1 001\nremark 044\ntotals\nsend\nlines\n"_s);
        QCOMPARE(out, (QStringList{u"ok: 欢迎您(王喆)"_s, u"5.00\t223.00"_s, u"ok: 下单成功，共7道菜"_s}));

        const QJsonArray orders = commands(u"OrderPack"_s);
        QCOMPARE(orders.size(), 1);
        QCOMPARE(orders.at(0)[u"returnCode"_s].toString(), u"0"_s);
        const Recorded order =
            readOrder(orders.at(0)[u"xml"_s].toString(),
                      {u"ItemSeq"_s, u"foodNo"_s, u"FoodType"_s, u"ItemSize"_s, u"SaleQty"_s, u"SalePrice"_s,
                       u"SuitNo"_s, u"OrgFoodNo"_s, u"SuitIndex"_s, u"TasteDef"_s, u"TasteManual"_s,
                       u"SellWay"_s, u"AuthID"_s});
        QStringList header;
        for (const QString &name :
             {u"DeskNo"_s, u"CustCount"_s, u"WaiterMan"_s, u"CashierID"_s, u"OrdRemarkDef"_s})
            header << order.header.value(name);
        QCOMPARE(header, (QStringList{u"A01"_s, u"4"_s, u"001"_s, u"001"_s, u"044"_s}));
        QCOMPARE(order.lines, (QStringList{
                                  u"1|00001|D||2.000000|12.000000||00001|0|||C|001"_s,
                                  u"2|00017|D|大份|1.000000|98.000000||00017|0|||A|"_s,
                                  u"3|00020|D||1.000000|48.000000||00020|0|003|少油 2.000000|A|"_s,
                                  u"4|00114|T||1.000000|58.000000||00114|0|||A|"_s,
                                  u"5|00023|M||1.000000|12.000000|00114|00015|4|||A|"_s,
                                  u"6|00075|M||1.000000|0.000000|00114|00075|4|||A|"_s,
                                  u"7|00073|M||1.000000|0.000000|00114|00073|4|||A|"_s,
                              }));
    }

    // The dining-room commands: each line's output, in order, and what reached the server. The
    // quantity checks refuse before anything is sent.
    void diningRoomCommands()
    {
        const QList<QPair<QString, QString>> steps{
            {u"open V06 3"_s, u"ok: 菊花台(V06)开台成功"_s},
            {u"edit V06 5"_s, u"ok: "_s},
            {u"hurry V06 dish=00001"_s, u"error: "_s},
            {u"release V06 cat=0101"_s, u"error: "_s},
            {u"return V06 00001 1.5kg 01"_s, u"error: 数量必须为数字"_s},
            {u"return V06 00001 \"\" 01"_s, u"error: 数量不能为空"_s},
            {u"weigh V06 00054 1 0"_s, u"error: 数量必须为数字"_s},
            {u"hurry V06 table=1"_s, u"error: not cat=NO or dish=FOODNO: table=1"_s},
            {u"move V06 V07"_s, u"ok: 换台成功：菊花台(V06) → 荷塘月色(V07)"_s},
            {u"bill V07"_s, u"总计：0.00"_s},
            {u"cancel V07"_s, u"ok: "_s},
            {u"cancel V07"_s, u"error: "_s},
        };
        QString script = connect();
        for (const auto &step : steps)
            script += step.first + u'\n';
        ConsoleRun console;
        const QStringList out = console.run(script + u"tables 02\n"_s);
        QCOMPARE(out.value(0), u"ok: 欢迎您(王喆)"_s);
        for (int i = 0; i < steps.size(); ++i)
            QVERIFY2(out.value(i + 1).startsWith(steps.at(i).second),
                     qPrintable(steps.at(i).first + u" -> "_s + out.value(i + 1)));
        QVERIFY2(out.contains(u"V07\t荷塘月色\t0\t0\t0.00"_s), qPrintable(out.join(u'\n')));
        QCOMPARE(out.filter(QRegularExpression(u"^V0[1-8]\t"_s)).size(), 8);

        QCOMPARE(commands(u"ReturnFood"_s).size() + commands(u"ConfirmQty"_s).size(), 0);
        // What was sent: one each, holding the fields given.
        const QList<QPair<QString, QString>> sent{
            {u"EditDesk"_s, u"<CustCount>5</CustCount><WaiterMan>001</WaiterMan>"_s},
            {u"FoodHurry"_s, u"<FoodNo>00001</FoodNo>"_s},
            {u"CatWakeUp"_s, u"<CatNo>0101</CatNo>"_s}};
        for (const auto &[command, fields] : sent) {
            const QJsonArray received = commands(command);
            QVERIFY2(received.size() == 1 && received.at(0)[u"xml"_s].toString().contains(fields),
                     qPrintable(command));
        }
    }

    void holdsAndRestores()
    {
        ConsoleRun console;
        const QStringList out = console.run(
            connect() +
            u"add 00001\nadd 00114 swap=2:00076\ngift 2 001\nremark 046\nlines\nhold\nlines\nheld\n"
            "restore 1\nlines\ntotals\nheld\ntable A02 2\nsend\n"_s);
        const QStringList before = out.mid(1, 5);
        QCOMPARE(before.filter(u"\t"_s).size(), 5);
        QCOMPARE(out.at(6), u"ok: 挂单成功"_s);
        QVERIFY2(QRegularExpression(u"^1\\t[-0-9: ]+\\t5\\t12\\.0$"_s).match(out.at(7)).hasMatch(),
                 qPrintable(out.at(7)));
        QCOMPARE(out.mid(8, 5), before);
        QCOMPARE(out.at(13), u"2.00\t13.20"_s);
        QCOMPARE(out.mid(14), QStringList{u"ok: 下单成功，共5道菜"_s});
        // The restored set meal was sent as one set, still given away.
        const Recorded order = readOrder(commands(u"OrderPack"_s).at(0)[u"xml"_s].toString(),
                                         {u"foodNo"_s, u"SuitIndex"_s, u"SellWay"_s});
        QCOMPARE(order.lines, (QStringList{u"00001|0|A"_s, u"00114|0|C"_s, u"00015|2|C"_s, u"00076|2|C"_s,
                                           u"00073|2|C"_s}));
        QCOMPARE(order.header.value(u"OrdRemarkDef"_s), u"046"_s);
    }

    void failedSendsKeepTheOrder_data()
    {
        columns<QString, QString, QString>("fault", "setup", "expectedError");

        QTest::newRow("refused") << QString() << u"table A05 0\n"_s
                                 << u"^error: 大厅5号\\(A05\\)未开台，请输入有效的人数$"_s;
        QTest::newRow("time-out") << u"command=OrderPack&kind=delay&ms=2500"_s
                                  << u"set kTimeout 1\ntable A06 2\n"_s << u"^error: 网络超时$"_s;
        QTest::newRow("unreachable") << QString()
                                     << u"table A07 2\nserver 127.0.0.1 "_s +
                                            QString::number(DevServerHarness::closedLoopbackPort()) + u"\n"_s
                                     << u"^error: 网络连接错误$"_s;
    }

    void failedSendsKeepTheOrder()
    {
        auto [fault, setup, expectedError] =
            row<QString, QString, QString>("fault", "setup", "expectedError");
        if (!fault.isEmpty())
            QCOMPARE(server.controlPost(u"/__control/faults?"_s + fault), 200);

        ConsoleRun console;
        const QStringList out = console.run(connect() + u"add 00001\nadd 00114\n"_s + setup +
                                            u"lines\ntotals\nsend\nlines\ntotals\n"_s);
        const qsizetype sent = out.indexOf(u"2.00\t70.00"_s);
        QVERIFY2(sent > 0, qPrintable(out.join(u'\n')));
        const QStringList before = out.mid(sent - 5, 6);
        QVERIFY2(QRegularExpression(expectedError).match(out.value(sent + 1)).hasMatch(),
                 qPrintable(out.value(sent + 1)));
        // A time-out leaves it unknown whether the server took the order: the waiter is told so.
        const bool unknown = fault.contains(u"delay"_s);
        if (unknown)
            QCOMPARE(out.value(sent + 2), u"notice: 下单结果未知，请再次下单"_s);
        QCOMPARE(out.mid(sent + 2 + int(unknown)), before);
        QCOMPARE(console.exitCode, 0); // nothing late writes into a command that has ended
        QVERIFY(server.controlGet(u"/__control/faults"_s).value(u"faults"_s).toObject().isEmpty());
    }

    void soldOutDishesAreReportedAfterTheSend()
    {
        ConsoleRun console;
        const QStringList out = console.run(
            connect() + u"table A08 2\nadd 00002 qty=3\nsend\nlines\nsoldout\nadd 00002\nlines\n"_s);
        QCOMPARE(out, (QStringList{u"ok: 欢迎您(王喆)"_s,
                                   u"notice: 下单成功，共1道菜；以下菜品沽清未成功：夫妻肺片(剩余1)"_s,
                                   u"00002"_s}));
    }

    void updateOnAFreshHomeThenDelete()
    {
        ConsoleRun console;
        const QString address = u"server 127.0.0.1 "_s + QString::number(server.port()) + u'\n';
        QStringList out = console.run(address + u"update\ndishes\nupdate\n"_s);
        QVERIFY2(out.size() > 100, qPrintable(out.join(u'\n')));
        QCOMPARE(out.first(), u"notice: 正在检测主档更新..."_s);
        const qsizetype done = out.indexOf(u"ok: 下载成功"_s);
        QVERIFY2(done > 2, qPrintable(out.join(u'\n')));
        QCOMPARE(out.mid(done - 2, 2), (QStringList{u"notice: 已下载：100%"_s, u"notice: 解压中..."_s}));
        QCOMPARE(out.mid(out.size() - 2), (QStringList{u"notice: 正在检测主档更新..."_s,
                                                       u"ok: 当前商品主档已经为最新，无需更新！"_s}));
        const QStringList dishes = out.mid(done + 1, out.size() - done - 3);
        QVERIFY(dishes.size() > 100);
        QCOMPARE(dishes.filter(QRegularExpression(u"^00001\t"_s)).size(), 1);
        QVERIFY(QDir(console.home() + u"/diancai-demo"_s).exists());

        out = console.run(u"deletedata\ndishes\n"_s);
        QCOMPARE(out, QStringList{u"ok: 已删除，请重新下载"_s});
        QVERIFY(!QDir(console.home() + u"/diancai-demo"_s).exists());
    }
};

QTEST_GUILESS_MAIN(TestConsoleServer)
#include "tst_console_server.moc"

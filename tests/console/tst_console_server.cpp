// diancai-console against diancai-devserver, both child processes on loopback: output, what the
// server recorded, updates, the order kept through kills; and the console on its own.
#include "ConsoleRun.h"
#include "TestRows.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
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

const QString kMarker = u"error: usage: xml send|guadan"_s;
const QString kAdopted = u"notice: 已恢复未发送的点单"_s;
const QString kLocked = u"error: 点单已发出但未确认，请再次下单后再修改"_s;

// A console that is still running: each say() waits for what the script printed.
class LiveConsole {
public:
    explicit LiveConsole(const QString &home)
    {
        process_.start(QStringLiteral(CONSOLE_EXE), {u"--home"_s, home});
        process_.waitForStarted();
    }
    ~LiveConsole() { kill(); }

    // Runs the script and returns its output; a marker command tells where it ends.
    QStringList say(const QString &script)
    {
        process_.write((script + u"xml -\n"_s).toUtf8());
        QStringList out;
        while (!out.contains(kMarker) && process_.waitForReadyRead(20000)) {
            while (process_.canReadLine())
                out << QString::fromUtf8(process_.readLine()).chopped(1);
        }
        out.removeAll(kMarker);
        return out;
    }
    void write(const QString &script) { process_.write(script.toUtf8()); }

    void kill()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.kill();
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

} // namespace

class TestConsoleServer : public QObject {
    Q_OBJECT
private:
    DevServerHarness server;

    QString connect() const
    {
        return u"server 127.0.0.1 "_s + QString::number(server.port()) + u"\nlogin 001 123\n"_s;
    }
    // The lines the server holds for a table, read back from it.
    int saleLines(const QString &desk)
    {
        return int(server.command(u"GetDeskSaleList"_s, u"DeskNo="_s + desk, u"001"_s).rows.size());
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

    void init()
    {
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        QCOMPARE(server.controlPost(u"/__control/clear"_s), 200);
    }

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

    // A dining-room command whose reply was lost is not repeated blindly: a return is checked
    // against the sale list, a print asked for twice, a table operation answered with the state.
    // Each row on a table of its own ("%1" in the script and the texts).
    void unknownOutcomesAreNotRepeatedBlindly_data()
    {
        columns<QString, QString, QString, QStringList, int, int>("desk", "fault", "script", "out",
                                                                  "received", "held");
        const QString order = u"table %1 4\nadd 00001 qty=3\nsend\n"_s;
        const QString returnTwice = order + u"return %1 00001 1 01\n"_s.repeated(2);
        const QString unknown = u"error: 结果未知：网络连接错误，请核对桌台后再操作"_s;
        const QString state = u"notice: 桌台现状：%1 使用中，4人，￥%2"_s;
        const QString done = u"ok: 退菜已完成（上次的回复丢失）"_s;
        QTest::newRow("return done, reply dropped")
            << u"C03"_s << u"command=ReturnFood&kind=drop&execute=1"_s << returnTwice
            << QStringList{unknown, state.arg(u"C03", u"24.00"), done} << 1 << 2;
        QTest::newRow("return done, server error")
            << u"C04"_s << u"command=ReturnFood&kind=status&status=500&execute=1"_s << returnTwice
            << QStringList{u"error: 结果未知：Error Domain=Qelvo Code=500，请核对桌台后再操作"_s,
                           state.arg(u"C04", u"24.00"), done}
            << 1 << 2;
        QTest::newRow("return not done")
            << u"C05"_s << u"command=ReturnFood&kind=drop&execute=0"_s << returnTwice
            << QStringList{unknown, state.arg(u"C05", u"36.00"), u"ok: 退菜成功：拍黄瓜 1份"_s} << 2 << 2;
        QTest::newRow("print asked twice")
            << u"C06"_s << u"command=PrintDeskBill&kind=drop&execute=1"_s
            << order + u"print %1\n"_s.repeated(3)
            << QStringList{unknown, state.arg(u"C06", u"36.00"),
                           u"error: 可能已经打印，确定再次打印？ 再输入一次同一命令即发送"_s,
                           u"ok: 宴会6桌(C06)的账单已送打印"_s}
            << 2 << 3;
        QTest::newRow("open answered by the state")
            << u"A04"_s << u"command=KaiTai&kind=drop&execute=1"_s << u"open %1 4\nopen %1 4\n"_s
            << QStringList{unknown, state.arg(u"A04", u"0.00"), state.arg(u"A04", u"0.00")} << 2 << 0;
    }
    void unknownOutcomesAreNotRepeatedBlindly()
    {
        const auto [desk, fault, script, out, received, held] =
            row<QString, QString, QString, QStringList, int, int>("desk", "fault", "script", "out",
                                                                  "received", "held");
        QCOMPARE(server.controlPost(u"/__control/faults?"_s + fault), 200);
        ConsoleRun console;
        const QStringList printed = console.run(connect() + script.arg(desk));
        QCOMPARE(printed.mid(printed.size() - out.size()), out);
        QCOMPARE(commands(fault.section(u'&', 0, 0).section(u'=', 1)).size(), received);
        // What the table holds in the end: each return done once.
        double quantity = 0;
        for (const Row &line : server.saleList(desk))
            quantity += line.value(u"saleQty"_s).toDouble();
        QCOMPARE(quantity, double(held));
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

    // After a send that failed the order is as it was: editable again after a definite refusal (a
    // refusing reply, an HTTP 4xx, no connection for the check), locked while the outcome is unknown.
    void failedSendsKeepTheOrder_data()
    {
        columns<QString, QString, QString, bool>("fault", "setup", "expectedError", "locked");

        QTest::newRow("refused") << QString() << u"table A05 0\n"_s
                                 << u"^error: 大厅5号\\(A05\\)未开台，请输入有效的人数$"_s << false;
        QTest::newRow("time-out") << u"command=OrderPack&kind=delay&ms=2500"_s
                                  << u"set kTimeout 1\ntable A06 2\n"_s << u"^error: 网络超时$"_s << true;
        QTest::newRow("unreachable") << QString()
                                     << u"table A07 2\nserver 127.0.0.1 "_s +
                                            QString::number(DevServerHarness::closedLoopbackPort()) + u"\n"_s
                                     << u"^error: 网络连接错误$"_s << false;
        QTest::newRow("too large (413)")
            << u"command=OrderPack&kind=status&status=413"_s << u"table A06 2\n"_s
            << u"^error: 服务器拒绝了请求（HTTP 413）：内容太多，超过服务器的上限$"_s << false;
        QTest::newRow("malformed (400)")
            << u"command=OrderPack&kind=status&status=400"_s << u"table A06 2\n"_s
            << u"^error: 服务器拒绝了请求（HTTP 400）：请求内容无法识别$"_s << false;
        QTest::newRow("server error (500)")
            << u"command=OrderPack&kind=status&status=500"_s << u"table A06 2\n"_s
            << u"^error: Error Domain=Qelvo Code=500$"_s << true;
    }

    void failedSendsKeepTheOrder()
    {
        auto [fault, setup, expectedError, locked] =
            row<QString, QString, QString, bool>("fault", "setup", "expectedError", "locked");
        if (!fault.isEmpty())
            QCOMPARE(server.controlPost(u"/__control/faults?"_s + fault), 200);

        ConsoleRun console;
        const QStringList out = console.run(connect() + u"add 00001\nadd 00114\n"_s + setup +
                                            u"lines\ntotals\nsend\nlines\ntotals\nhold\n"_s);
        const qsizetype sent = out.indexOf(u"2.00\t70.00"_s);
        QVERIFY2(sent > 0, qPrintable(out.join(u'\n')));
        const QStringList before = out.mid(sent - 5, 6);
        QVERIFY2(QRegularExpression(expectedError).match(out.value(sent + 1)).hasMatch(),
                 qPrintable(out.value(sent + 1)));
        // Without a definite answer the server may have the order: the waiter is told so.
        if (locked)
            QCOMPARE(out.value(sent + 2), u"notice: 下单结果未知，请再次下单"_s);
        QCOMPARE(out.mid(sent + 2 + int(locked)), before + QStringList{locked ? kLocked : u"ok: 挂单成功"_s});
        QCOMPARE(console.exitCode, 0); // nothing late writes into a command that has ended
        QVERIFY(server.controlGet(u"/__control/faults"_s).value(u"faults"_s).toObject().isEmpty());
    }

    // A long order reaches the server whole, and the table's bill adds up to what the board shows
    // for it, taste surcharges included.
    void billsAgreeWithTheBoard_data()
    {
        columns<QString, QString, QString>("desk", "order", "shown");
        QString longOrder;
        for (int i = 1; i <= 30; ++i)
            longOrder += u"add 00020 taste=manual:第"_s + QString::number(i) +
                         u"份不要香菜不要葱少盐少油多放辣椒"
                         "分开装盒并附上餐具和纸巾\n"_s;
        QTest::newRow("30 lines with long tastes")
            << u"C01"_s << longOrder << u"ok: 下单成功，共30道菜|1440.00"_s;
        QTest::newRow("a surcharged taste")
            << u"C02"_s << u"add 00020 taste=013 taste=manual:少油:2\n"_s
            << u"ok: 下单成功，共1道菜|55.00|\t做法加价(上汤、少油)\t1\t7.00\t7.00"_s;
    }
    void billsAgreeWithTheBoard()
    {
        auto [desk, order, shown] = row<QString, QString, QString>("desk", "order", "shown");
        ConsoleRun console;
        const QStringList out = console.run(connect() + u"table "_s + desk + u" 2\n"_s + order +
                                            u"send\ntables\nbill "_s + desk + u"\n"_s);
        const QStringList board = out.filter(QRegularExpression(u"^"_s + desk + u"\t"_s));
        QCOMPARE(board.size(), 1);
        const QString amount = board.at(0).section(u'\t', 4);
        QStringList seen{out.filter(u"ok: 下单"_s).value(0), amount};
        seen << out.filter(u"做法加价"_s);
        QCOMPARE(seen.join(u'|'), shown);
        QCOMPARE(out.last(), u"总计："_s + amount);
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

    // Without a server: each script's whole standard output, line by line (a held order's time as TIME).
    void scripts_data()
    {
        columns<QString, QStringList>("script", "expected");

        QTest::newRow("dishes of a category")
            << u"dishes 0601\n"_s
            << QStringList{u"00114\t商务套餐A\t￥ 58.00 / 份"_s, u"00115\t双人套餐\t￥ 168.00 / 份"_s,
                           u"00116\t家庭欢聚套餐\t￥ 298.00 / 份"_s};

        QTest::newRow("search and quick order")
            << u"search phg\nquick 02\n"_s
            << QStringList{u"00001\t拍黄瓜"_s, u"开胃凉菜\t00002"_s,
                           u"川湘风味\t00020,00021,00022,00023,00024,00025"_s,
                           u"粤式小炒\t00026,00027,00028,00029"_s, u"软饮果汁\t00102"_s};

        QTest::newRow("ordering and listing")
            << u"add 00001\nadd 00001 qty=2\nadd 00017 size=大份\n"
               "add 00114 swap=1:00019 swap=2:00076 swap=2:00075 swap=2:00076\nlines\ntotals\n"_s
            << QStringList{u"1\t1\tD\t00001\t拍黄瓜\t3.00\t12.00\t36.00\t0\t"_s,
                           u"2\t2\tD\t00017\t水煮鱼\t1.00\t98.00\t98.00\t0\t"_s,
                           u"3\t3\tT\t00114\t商务套餐A\t1.00\t58.00\t68.00\t0\t"_s,
                           u"4\t4\tM\t00019\t鱼香肉丝\t1.00\t0.00\t0.00\t0\t"_s,
                           u"5\t5\tM\t00076\t扬州炒饭\t1.00\t10.00\t10.00\t0\t"_s,
                           u"6\t6\tM\t00073\t例汤\t1.00\t0.00\t0.00\t0\t"_s,
                           u"5.00\t202.00"_s};

        QTest::newRow("refused additions order nothing")
            << u"add 00017\nadd 00017 size=特大\nadd 00114 swap=4:00019\nadd 00114 swap=1:00042\n"
               "add 00001 taste=001\nadd 00020 taste=041\nadd 00001 qty=0\nadd 00001 qty=1x\nadd 99999\n"
               "add 00001 color=red\nlines\n"_s
            << QStringList{u"error: 水煮鱼 needs size=NAME, one of: 小份, 大份, 中份"_s,
                           u"error: 水煮鱼 has no size 特大, one of: 小份, 大份, 中份"_s,
                           u"error: component 4 cannot be exchanged for 00019"_s,
                           u"error: component 1 cannot be exchanged for 00042"_s,
                           u"error: 拍黄瓜 has no bound tastes; set tastes with \"taste LINE ...\""_s,
                           u"error: no such taste here: 041"_s,
                           u"error: 请输入正确数量"_s,
                           u"error: 请输入正确数量"_s,
                           u"error: no such dish: 99999"_s,
                           u"error: unknown argument: color=red"_s};

        QTest::newRow("editing lines")
            << u"add 00001\nadd 00051\nadd 00114\nqty 4 2\nqty 1 2.5.1\nqty 1 x\nqty 1 0\nstep 3 +1\n"
               "step 3 +2\ndelete 5\ndelete 1\nprice 2 20\nprice 1 abc\nprice 1 0\nprice 1 128.5\nqty 9 1\nlines\n"_s
            << QStringList{u"error: the quantity is not changed on a set-meal component"_s,
                           u"error: 请输入正确数量"_s,
                           u"error: 数量不能为0"_s,
                           u"error: usage: step LINE +1|-1"_s,
                           u"error: the order is not changed on a set-meal component"_s,
                           u"error: only market-price and temporary dishes that are not gifts take a price"_s,
                           u"error: 请输入正确的金额"_s,
                           u"error: 销售价格需要大于零！"_s,
                           u"error: no line 9"_s,
                           u"1\t2\tD\t00051\t清蒸石斑鱼\t1.00\t128.50\t128.50\t0\t"_s,
                           u"2\t3\tT\t00114\t商务套餐A\t2.00\t58.00\t116.00\t0\t"_s,
                           u"3\t4\tM\t00015\t宫保鸡丁\t2.00\t0.00\t0.00\t0\t"_s,
                           u"4\t5\tM\t00075\t米饭\t2.00\t0.00\t0.00\t0\t"_s,
                           u"5\t6\tM\t00073\t例汤\t2.00\t0.00\t0.00\t0\t"_s};

        QTest::newRow("tastes, bound tastes and remarks")
            << u"add 00020 taste=003 taste=manual:少油:2\nadd 00020 taste=003 taste=manual:少油:2\n"
               "add 00017 size=小份\ntaste 2 031 manual:\"不要 香菜\":1.5 031 manual:免辣\ntaste 2 manual:\n"
               "remark 046 044\nremark 001\nlines\ntotals\n"_s
            << QStringList{u"error: 请输入做法"_s, u"error: no such taste here: 001"_s,
                           u"1\t1\tD\t00020\t辣子鸡\t2.00\t48.00\t98.00\t0\t中辣,少油(￥2.00)"_s,
                           u"2\t2\tD\t00017\t水煮鱼\t1.00\t58.00\t58.00\t0\t少盐,免辣"_s, u"3.00\t176.60"_s};

        QTest::newRow("settings and print states")
            << u"add 00001\nadd 00002\nstate\nset kShowOrderListStatus true\nstate\nstate\n"
               "set kctShowAmount 4\ntotals\nset kNoSuchKey 1\nset kctShowAmount\nlines\n"_s
            << QStringList{u"notice: 落单状态不可调整，可在设置中切换"_s,
                           u"2.00\t不显示"_s,
                           u"error: not a settings key: kNoSuchKey"_s,
                           u"error: usage: set KEY VALUE"_s,
                           u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t2\t"_s,
                           u"2\t2\tD\t00002\t夫妻肺片\t1.00\t38.00\t38.00\t2\t"_s};

        QTest::newRow("input handling")
            << u"# a comment\n\n   \nadd 00001 # one cucumber\n\"unclosed\nfrobnicate\nlines\nquit\nlines\n"_s
            << QStringList{u"error: a quote is not closed"_s, u"error: unknown command: frobnicate"_s,
                           u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t0\t"_s};

        QTest::newRow("what needs an operator")
            << u"add 00001\nsend\ngift 1 001\ntable A01 4\nstate 1\nremove 00001\nremove 00001\nlines\n"_s
            << QStringList{u"error: 未登录"_s, u"error: 未登录"_s, u"error: 未登录"_s, u"error: 未登录"_s};

        QTest::newRow("update without a server")
            << u"server 127.0.0.1 "_s + QString::number(DevServerHarness::closedLoopbackPort()) +
                   u"\nupdate\nupdate now\ndeletedata x\n"_s
            << QStringList{u"notice: 正在检测主档更新..."_s, u"error: 网络连接错误"_s,
                           u"error: usage: update"_s, u"error: usage: deletedata"_s};

        QTest::newRow("outbox refusals")
            << u"queue\nadd 00001\nqueue\noutbox cancel 1\noutbox retry now\nwait-outbox x\nwait-outbox 0\noutbox\n"_s
            << QStringList{u"error: 未登录"_s,
                           u"error: 未登录"_s,
                           u"error: 没有该待发送订单"_s,
                           u"error: usage: outbox [retry | cancel FLOW]"_s,
                           u"error: usage: wait-outbox SECONDS"_s,
                           u"ok: outbox empty"_s,
                           u"outbox: 0"_s};

        QTest::newRow("held orders")
            << u"hold\nadd 00001\nadd 00125\nprice 2 15\nhold\nlines\nheld\n"
               "add 00002\nrestore 1\nremove 00002\nrestore 2\nrestore 1\nheld\nlines\n"_s
            << QStringList{u"error: 没有挂单数据"_s,
                           u"ok: 挂单成功"_s,
                           u"1\tTIME\t2\t27.0"_s,
                           u"error: the current order has lines: hold or send it first"_s,
                           u"error: 请选择挂单"_s,
                           u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t0\t"_s,
                           u"2\t2\tD\t00125\t临时菜\t1.00\t15.00\t15.00\t0\t"_s};
    }

    void scripts()
    {
        auto [script, expected] = row<QString, QStringList>("script", "expected");
        ConsoleRun console;
        QStringList out = console.run(script);
        out.replaceInStrings(QRegularExpression(u"\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d"_s), u"TIME"_s);
        QCOMPARE(out, expected);
        QCOMPARE(console.exitCode, 0);
    }

    void badArguments()
    {
        QProcess console;
        console.start(QStringLiteral(CONSOLE_EXE), {u"--frobnicate"_s});
        QVERIFY(console.waitForFinished(10000));
        QCOMPARE(console.exitCode(), 2);
        QVERIFY(console.readAllStandardError().startsWith("Usage: diancai-console"));
    }

    // The order being taken survives the console being killed (SIGKILL) at chosen points, and is
    // sent exactly once.
    void killedAndRestarted_data()
    {
        columns<QString, QString, QString, bool>("desk", "before", "fault", "sentBefore");
        const QString order = u"add 00001\nadd 00017 size=大份\nadd 00114 swap=1:00023\n"_s;
        QTest::newRow("between adds") << u"A11"_s << order << QString() << false;
        QTest::newRow("after a quantity change") << u"A12"_s << order + u"qty 1 3\n"_s << QString() << false;
        QTest::newRow("while the recorded order's reply is late")
            << u"A13"_s << order << u"command=OrderPack&kind=delay&ms=3000"_s << false;
        QTest::newRow("right after a successful send") << u"A14"_s << order << QString() << true;
    }

    void killedAndRestarted()
    {
        auto [desk, before, fault, sentBefore] =
            row<QString, QString, QString, bool>("desk", "before", "fault", "sentBefore");
        const QString show = u"lines\ntotals\nxml send\n"_s;
        QTemporaryDir home;

        LiveConsole first(home.path());
        const QStringList shown = first.say(connect() + u"table "_s + desk + u" 2\n"_s + before + show);
        QCOMPARE(shown.size(), 1 + 6 + 1 + 1);
        if (sentBefore) {
            QCOMPARE(first.say(u"send\n"_s), QStringList{u"ok: 下单成功，共6道菜"_s});
        } else if (!fault.isEmpty()) {
            QCOMPARE(server.controlPost(u"/__control/faults?"_s + fault), 200);
            first.write(u"send\n"_s);
            QTRY_COMPARE_WITH_TIMEOUT(commands(u"OrderPack"_s).size(), 1, 10000);
        } else {
            // A change is on disk within a tenth of a second; the kill comes well after.
            QThread::msleep(400);
        }
        first.kill();

        LiveConsole second(home.path());
        const QStringList restored = second.say(connect() + show);
        if (sentBefore) {
            QCOMPARE(restored, (QStringList{u"ok: 欢迎您(王喆)"_s, u"0\t0.00"_s}) + restored.mid(2));
            QVERIFY(restored.last() != shown.last());
            QCOMPARE(commands(u"OrderPack"_s).size(), 1);
            return;
        }
        QCOMPARE(restored, QStringList{kAdopted} + shown);
        if (!fault.isEmpty())
            QCOMPARE(second.say(u"qty 1 2\nlines\n"_s), QStringList{kLocked} + shown.mid(1, 6));
        QCOMPARE(second.say(u"send\nlines\n"_s), QStringList{u"ok: 下单成功，共6道菜"_s});
        const QJsonArray posts = commands(u"OrderPack"_s);
        QCOMPARE(posts.size(), fault.isEmpty() ? 1 : 2);
        QCOMPARE(posts.last()[u"returnCode"_s].toString(), u"0"_s);
        QCOMPARE(saleLines(desk), 6);
    }

    void droppedReplyLocksUntilSentAgain()
    {
        QCOMPARE(server.controlPost(u"/__control/faults?command=OrderPack&kind=drop&execute=1"_s), 200);
        ConsoleRun console;
        const QStringList out = console.run(
            connect() + u"table A15 2\nadd 00001\nsend\nqty 1 4\nadd 00017 size=大份\nremark 044\nhold\n"
                        "table A16 3\nlines\nsend\nlines\nadd 00001\nlines\n"_s);
        QCOMPARE(
            out.mid(2),
            (QStringList{u"notice: 下单结果未知，请再次下单"_s, kLocked, kLocked, kLocked, kLocked, kLocked,
                         u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t0\t"_s, u"ok: 下单成功，共1道菜"_s,
                         u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t0\t"_s}));
        QCOMPARE(commands(u"OrderPack"_s).size(), 2);
        QCOMPARE(saleLines(u"A15"_s), 1);
    }

    void holdAndRestoreAroundAKill()
    {
        QTemporaryDir home;
        {
            LiveConsole console(home.path());
            QCOMPARE(console.say(u"add 00001 qty=2\nhold\n"_s), QStringList{u"ok: 挂单成功"_s});
            console.kill();
        }
        {
            LiveConsole console(home.path());
            QCOMPARE(console.say(u"lines\nheld\n"_s).size(), 1);
            QCOMPARE(console.say(u"restore 1\nlines\n"_s).size(), 1);
            console.kill();
        }
        LiveConsole console(home.path());
        const QStringList out = console.say(u"lines\nheld\n"_s);
        QCOMPARE(out.size(), 2);
        QCOMPARE(out.at(0), kAdopted);
        QVERIFY2(out.at(1).startsWith(u"1\t1\tD\t00001\t"_s), qPrintable(out.at(1)));
    }

    // Orders queued while the server cannot be reached go out by themselves once it answers, oldest
    // first, each once; one the server refuses ends among the held orders with its message.
    void outboxSendsWhenTheServerAnswers_data()
    {
        columns<QString, QStringList, QStringList, int>("orders", "expected", "desks", "held");
        const QString unreachable = u"error: 网络连接错误"_s;
        QTest::newRow("two orders, server back")
            << u"table A02 2\nadd 00001\nsend\nqueue\ntable A03 3\nadd 00017 size=大份\nadd 00001\nqueue\n"_s
            << QStringList{unreachable,
                           u"ok: queued FLOW"_s,
                           u"ok: queued FLOW"_s,
                           u"error: 2 orders left"_s,
                           u"FLOW\tA02\t1\twaiting\t网络连接错误"_s,
                           u"FLOW\tA03\t2\twaiting\t"_s,
                           u"outbox: 2"_s,
                           u"ok: 待发送订单已送达（A02）"_s,
                           u"ok: 待发送订单已送达（A03）"_s,
                           u"ok: outbox empty"_s,
                           u"outbox: 0"_s}
            << QStringList{u"A02"_s, u"A03"_s} << 0;
        QTest::newRow("refused") << u"table A05 0\nadd 00001\nsend\nqueue\n"_s
                                 << QStringList{unreachable,
                                                u"ok: queued FLOW"_s,
                                                u"error: 1 orders left"_s,
                                                u"FLOW\tA05\t1\twaiting\t网络连接错误"_s,
                                                u"outbox: 1"_s,
                                                u"notice: 大厅5号(A05)未开台，请输入有效的人数"_s,
                                                u"ok: outbox empty"_s,
                                                u"outbox: 0"_s}
                                 << QStringList{u"A05"_s} << 1;
    }

    void outboxSendsWhenTheServerAnswers()
    {
        auto [orders, expected, desks, held] =
            row<QString, QStringList, QStringList, int>("orders", "expected", "desks", "held");
        const QString down = u"server 127.0.0.1 "_s + QString::number(DevServerHarness::closedLoopbackPort());
        const QString up = u"server 127.0.0.1 "_s + QString::number(server.port());
        ConsoleRun console;
        QStringList out = console.run(connect() + down + u"\n"_s + orders + u"wait-outbox 1\noutbox\n"_s +
                                      up + u"\nwait-outbox 30\noutbox\n"_s);
        out.replaceInStrings(QRegularExpression(u"\\b\\d{19}\\b"_s), u"FLOW"_s);
        QCOMPARE(out, QStringList{u"ok: 欢迎您(王喆)"_s} + expected);

        QStringList posted;
        for (const QJsonValue &post : commands(u"OrderPack"_s))
            posted << post[u"deskNo"_s].toString();
        QCOMPARE(posted, desks);
        QCOMPARE(console.run(u"held\n"_s).size(), held);
    }

    // A send from the outbox whose reply never came, then a kill: the next run sends the same text
    // again without a new log-in, and the server counts it once.
    void outboxSendSurvivesAKill()
    {
        QTemporaryDir home;
        {
            LiveConsole first(home.path());
            first.say(connect() + u"server 127.0.0.1 "_s +
                      QString::number(DevServerHarness::closedLoopbackPort()) +
                      u"\ntable A04 2\nadd 00001\nadd 00017 size=大份\nqueue\n"_s);
            QCOMPARE(server.controlPost(u"/__control/faults?command=OrderPack&kind=delay&ms=5000"_s), 200);
            first.say(u"server 127.0.0.1 "_s + QString::number(server.port()) + u"\noutbox retry\n"_s);
            QTRY_COMPARE_WITH_TIMEOUT(commands(u"OrderPack"_s).size(), 1, 10000);
            first.kill();
        }
        LiveConsole second(home.path());
        // The address the kill may have kept from being saved; no log-in.
        QCOMPARE(second.say(u"server 127.0.0.1 "_s + QString::number(server.port()) +
                            u"\nwait-outbox 15\noutbox\n"_s),
                 (QStringList{u"ok: 待发送订单已送达（A04）"_s, u"ok: outbox empty"_s, u"outbox: 0"_s}));
        const QJsonArray posts = commands(u"OrderPack"_s);
        QCOMPARE(posts.size(), 2);
        QCOMPARE(posts.at(1)[u"xml"_s].toString(), posts.at(0)[u"xml"_s].toString());
        QCOMPARE(saleLines(u"A04"_s), 2);
    }

    void twoRunsInOneSecondSendTwoOrders()
    {
        ConsoleRun console;
        QStringList flows;
        for (const QString &desk : {u"A09"_s, u"A10"_s}) {
            const QStringList out = console.run(connect() + u"table "_s + desk + u" 2\nadd 00001\nsend\n"_s);
            QCOMPARE(out.last(), u"ok: 下单成功，共1道菜"_s);
        }
        for (const QJsonValue &post : commands(u"OrderPack"_s)) {
            const QString xml = post[u"xml"_s].toString();
            flows << QRegularExpression(u"<UniqueFlowNo>(\\d+)</UniqueFlowNo>"_s).match(xml).captured(1);
        }
        QCOMPARE(flows.size(), 2);
        // The second run's counter continues after the first run's, whatever the clock says.
        QVERIFY2(flows[1].right(5).toInt() > flows[0].right(5).toInt(), qPrintable(flows.join(u' ')));
        QCOMPARE(saleLines(u"A09"_s) + saleLines(u"A10"_s), 2);
    }
};

QTEST_GUILESS_MAIN(TestConsoleServer)
#include "tst_console_server.moc"

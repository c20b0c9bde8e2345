// diancai-console without a server: each script's whole standard output, line by line.
#include "ConsoleRun.h"
#include "server/TestRows.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestConsoleCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update/PadBaseData.db"_s))
            QSKIP("the demo base data has not been generated");
    }

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
    }

    void scripts()
    {
        auto [script, expected] = row<QString, QStringList>("script", "expected");
        ConsoleRun console;
        QCOMPARE(console.run(script), expected);
        QCOMPARE(console.exitCode, 0);
    }

    void heldOrdersWithoutAServer()
    {
        ConsoleRun console;
        QStringList out =
            console.run(u"hold\nadd 00001\nadd 00125\nprice 2 15\nhold\nlines\nheld\n"
                        "add 00002\nrestore 1\nremove 00002\nrestore 2\nrestore 1\nheld\nlines\n"_s);
        static const QRegularExpression heldRow(
            u"^1\\t\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\t2\\t27\\.0$"_s);
        QVERIFY2(heldRow.match(out.value(2)).hasMatch(), qPrintable(out.value(2)));
        out[2] = u"(held row)"_s;
        QCOMPARE(out,
                 (QStringList{u"error: 没有挂单数据"_s, u"ok: 挂单成功"_s, u"(held row)"_s,
                              u"error: the current order has lines: hold or send it first"_s,
                              u"error: 请选择挂单"_s, u"1\t1\tD\t00001\t拍黄瓜\t1.00\t12.00\t12.00\t0\t"_s,
                              u"2\t2\tD\t00125\t临时菜\t1.00\t15.00\t15.00\t0\t"_s}));
    }

    void badArguments()
    {
        QProcess console;
        console.start(QStringLiteral(CONSOLE_EXE), {u"--frobnicate"_s});
        QVERIFY(console.waitForFinished(10000));
        QCOMPARE(console.exitCode(), 2);
        QVERIFY(console.readAllStandardError().startsWith("usage: diancai-console"));
    }
};

QTEST_GUILESS_MAIN(TestConsoleCommands)
#include "tst_console_commands.moc"

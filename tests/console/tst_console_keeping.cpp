// The order being taken survives the console being killed (SIGKILL) at chosen points, and is sent
// exactly once: diancai-console and diancai-devserver as child processes on loopback.
#include "ConsoleRun.h"

#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {
const QString kMarker = u"error: usage: xml send|guadan"_s;
const QString kAdopted = u"notice: 已恢复未发送的点单"_s;
const QString kLocked = u"error: 点单已发出但未确认，请再次下单后再修改"_s;

struct Kill {
    QString desk, before, fault;
    bool sentBefore;
};

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

class TestConsoleKeeping : public QObject {
    Q_OBJECT
private:
    DevServerHarness server;

    QString connect() const
    {
        return u"server 127.0.0.1 "_s + QString::number(server.port()) + u"\nlogin 001 123\n"_s;
    }
    QJsonArray orderPosts()
    {
        return server.controlGet(u"/__control/commands?command=OrderPack"_s)[u"commands"_s].toArray();
    }

    // The lines the server holds for a table, read back from it.
    int saleLines(const QString &desk)
    {
        return int(server.command(u"GetDeskSaleList"_s, u"DeskNo="_s + desk, u"001"_s).rows.size());
    }

private slots:
    void initTestCase()
    {
        if (!QFile::exists(qEnvironmentVariable("DIANCAI_RESOURCES") + u"/demo/diancai-demo.zip"_s))
            QSKIP("the demo base data has not been generated");
        QVERIFY2(server.startProcess(), qPrintable(server.lastError()));
    }

    void init()
    {
        QCOMPARE(server.controlPost(u"/__control/faults/clear"_s), 200);
        QCOMPARE(server.controlPost(u"/__control/clear"_s), 200);
    }

    void killedAndRestarted_data()
    {
        QTest::addColumn<Kill>("c");
        const QString order = u"add 00001\nadd 00017 size=大份\nadd 00114 swap=1:00023\n"_s;
        QTest::newRow("between adds") << Kill{u"A11"_s, order, {}, false};
        QTest::newRow("after a quantity change") << Kill{u"A12"_s, order + u"qty 1 3\n"_s, {}, false};
        QTest::newRow("while the recorded order's reply is late")
            << Kill{u"A13"_s, order, u"command=OrderPack&kind=delay&ms=3000"_s, false};
        QTest::newRow("right after a successful send") << Kill{u"A14"_s, order, {}, true};
    }

    void killedAndRestarted()
    {
        QFETCH(Kill, c);
        const auto &[desk, before, fault, sentBefore] = c;
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
            QTRY_COMPARE_WITH_TIMEOUT(orderPosts().size(), 1, 10000);
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
            QCOMPARE(orderPosts().size(), 1);
            return;
        }
        QCOMPARE(restored, QStringList{kAdopted} + shown);
        if (!fault.isEmpty())
            QCOMPARE(second.say(u"qty 1 2\nlines\n"_s), QStringList{kLocked} + shown.mid(1, 6));
        QCOMPARE(second.say(u"send\nlines\n"_s), QStringList{u"ok: 下单成功，共6道菜"_s});
        const QJsonArray posts = orderPosts();
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
        QCOMPARE(orderPosts().size(), 2);
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

    void twoRunsInOneSecondSendTwoOrders()
    {
        ConsoleRun console;
        QStringList flows;
        for (const QString &desk : {u"A09"_s, u"A10"_s}) {
            const QStringList out = console.run(connect() + u"table "_s + desk + u" 2\nadd 00001\nsend\n"_s);
            QCOMPARE(out.last(), u"ok: 下单成功，共1道菜"_s);
        }
        for (const QJsonValue &post : orderPosts()) {
            const QString xml = post[u"xml"_s].toString();
            flows << QRegularExpression(u"<UniqueFlowNo>(\\d+)</UniqueFlowNo>"_s).match(xml).captured(1);
        }
        QCOMPARE(flows.size(), 2);
        // The second run's counter continues after the first run's, whatever the clock says.
        QVERIFY2(flows[1].right(5).toInt() > flows[0].right(5).toInt(), qPrintable(flows.join(u' ')));
        QCOMPARE(saleLines(u"A09"_s) + saleLines(u"A10"_s), 2);
    }
};

QTEST_GUILESS_MAIN(TestConsoleKeeping)
#include "tst_console_keeping.moc"

#include "LoopbackServer.h"
#include "NotificationLog.h"
#include "ServerTestHome.h"
#include "catalogue/SoldOutList.h"
#include "foundation/NotificationNames.h"
#include "server/ActGuQing.h"
#include "server/NetworkChecker.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <sched.h>
#include <sys/wait.h>

using namespace Qt::StringLiterals;

namespace {
QByteArray soldOutReply(const QByteArray &rows, const QByteArray &code = "0")
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?><R><ReturnCode>" + code +
           "</ReturnCode><ReturnList><Rows>" + rows + "</Rows></ReturnList></R>";
}
const QByteArray kThreeDishes =
    soldOutReply("<G foodno=\"1\" leftQty=\"0\"/><G foodno=\"2\" leftQty=\"0.0\"/>"
                 "<G foodno=\"3\" leftQty=\"3\"/><G leftQty=\"0\"/>");
} // namespace

class TestGuQing : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::atomic<int> tasksRun{0};
    std::unique_ptr<ServerTestHome> home;
    ActGuQing &poller = ActGuQing::sharedInstance();

    void startPolling(bool switchedOn, qint64 interval)
    {
        ConfigManager::defaultManager().setIsAutoRefreshSoldOut(switchedOn);
        ConfigManager::defaultManager().setAutoRefreshSoldOutIntervalTime(interval);
        poller.start();
    }
    void settle()
    {
        server.gate().release();
        QVERIFY(ServerRequest::sharedQueue().waitForDone(10000));
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        poller.setSoldOutTask([this] { ++tasksRun; });
    }

    void init()
    {
        home = std::make_unique<ServerTestHome>();
        ServerTestHome::pointAt(server.port());
        server.reset(kThreeDishes);
        tasksRun = 0;
    }

    void cleanup()
    {
        poller.stop();
        settle();
        home.reset();
        SoldOutList::shared().clear();
    }

    void marksOnlyExactZero()
    {
        NotificationLog log({Notify::FoodIsSoldOut});
        poller.loadGuQingList();
        settle();
        QTRY_COMPARE(log.entries, QStringList{u"kFoodIsSoldOut|1"_s});
        QVERIFY(!log.offMainThread && poller.isFoodInGuQingList(u"1"_s) &&
                !poller.isFoodInGuQingList(u"2"_s));
        QCOMPARE(poller.dictGuqing()->keys(), QStringList{u"1"_s});
        QCOMPARE(poller.dictGuqing()->value(u"1"_s).leftQty, std::optional<QString>(u"0"_s));
        QCOMPARE(SoldOutList::shared().snapshot(), QSet<QString>{u"1"_s});
        QCOMPARE(tasksRun.load(), 1);

        QVERIFY(QUrl::fromPercentEncoding(QByteArray::fromStdString(server.bodies().at(0)))
                    .contains(u"<Command>GetGqFoodList</Command>"_s));
    }

    // The last list read stays in force while a poll is outstanding; a poll started meanwhile joins
    // the one under way and is told its outcome.
    void listKeptWhilePollIsOutstanding()
    {
        poller.handleReply(soldOutReply("<G foodno=\"9\" leftQty=\"0\"/>"));
        server.hold = true;
        std::atomic<int> toldRead = 0;
        poller.loadGuQingList([&toldRead](bool read) { toldRead += read ? 1 : 100; });
        QVERIFY(server.gate().waitForEntered(1));
        poller.loadGuQingList([&toldRead](bool read) { toldRead += read ? 1 : 100; });
        QVERIFY(poller.isFoodInGuQingList(u"9"_s) && SoldOutList::shared().contains(u"9"_s));

        settle();
        QCOMPARE(server.bodies().size(), size_t(1));
        QCOMPARE(toldRead.load(), 2);
        QVERIFY(poller.isFoodInGuQingList(u"1"_s) && !poller.isFoodInGuQingList(u"9"_s));
    }

    void failedPollKeepsTheLastList_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("fault");
        QTest::newRow("refused") << soldOutReply("<G foodno=\"1\" leftQty=\"0\"/>", "1") << QString();
        QTest::newRow("unreadable") << QByteArray("<<") << QString();
        QTest::newRow("status 500") << kThreeDishes << u"500"_s;
        QTest::newRow("server gone") << kThreeDishes << u"gone"_s;
    }
    void failedPollKeepsTheLastList()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, fault);
        poller.handleReply(soldOutReply("<G foodno=\"9\" leftQty=\"0\"/>"));
        tasksRun = 0;
        server.answer(reply, fault == u"500" ? 500 : 200);
        if (fault == u"gone")
            ConfigManager::defaultManager().setPort(QString::number(closedLoopbackPort()));
        NotificationLog log({Notify::FoodIsSoldOut});

        std::atomic<int> toldRead = -1;
        poller.loadGuQingList([&toldRead](bool read) { toldRead = read; });
        settle();
        QTRY_COMPARE(toldRead.load(), 0);
        QCOMPARE(poller.dictGuqing()->keys(), QStringList{u"9"_s});
        QCOMPARE(SoldOutList::shared().snapshot(), QSet<QString>{u"9"_s});
        QVERIFY(tasksRun.load() == 0 && log.entries.isEmpty());

        // A poll after the failure goes out again, and its list replaces the kept one.
        server.answer(kThreeDishes);
        ServerTestHome::pointAt(server.port());
        poller.loadGuQingList();
        settle();
        QCOMPARE(poller.dictGuqing()->keys(), QStringList{u"1"_s});
    }

    void startFollowsTheSettings_data()
    {
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<qint64>("interval");
        QTest::addColumn<int>("intervalMs");
        QTest::newRow("every minute") << true << qint64(60) << 60000;
        QTest::newRow("negative interval") << true << qint64(-5) << 0;
        QTest::newRow("switched off") << false << qint64(60) << 0;
    }
    void startFollowsTheSettings()
    {
        QFETCH(bool, switchedOn);
        QFETCH(qint64, interval);
        QFETCH(int, intervalMs);
        startPolling(switchedOn, interval);
        QCOMPARE(poller.isPolling(), intervalMs > 0);
        QCOMPARE(poller.pollIntervalMs(), intervalMs);
        QTest::qWait(200);
        QCOMPARE(server.bodies().size(), size_t(0));
    }

    void firstPollComesOneIntervalAfterStart()
    {
        const auto started = std::chrono::steady_clock::now();
        startPolling(true, 1);
        QTRY_VERIFY_WITH_TIMEOUT(server.bodies().size() >= 1, 5000);
        poller.stop();
        QVERIFY(!poller.isPolling());
        settle();
        // A coarse timer may fire up to 5% early.
        QVERIFY(server.arrivals().front() - started >= std::chrono::milliseconds(950));
        const size_t polls = server.bodies().size();
        QTest::qWait(1300);
        QCOMPARE(server.bodies().size(), polls);
    }

    void reachesARoutableAddress()
    {
        NetworkChecker &checker = NetworkChecker::sharedInstance();
        QSignalSpy changes(&checker, &NetworkChecker::canConnectChanged);
        ConfigManager::defaultManager().setIp(u"300.1.2.3"_s);
        checker.check();
        QVERIFY(!checker.canConnect() && checker.isWatching());

        ConfigManager::defaultManager().setIp(u"127.0.0.1"_s);
        checker.check();
        QVERIFY(checker.canConnect());
        QCOMPARE(QList<QVariantList>(changes), QList<QVariantList>{{true}});
        checker.stop();
        QVERIFY(!checker.isWatching());
    }

    // In a network namespace of its own a process has no route anywhere, not even to the loopback
    // (which starts down there); outside it the loopback is always routed.
    void unroutableAddressIsNotReachable()
    {
        const quint32 lan = *NetworkChecker::parseIpv4(u"192.0.2.50"_s);
        const quint32 loopback = *NetworkChecker::parseIpv4(u"127.0.0.1"_s);
        QVERIFY(NetworkChecker::routeExists(loopback, 8030));

        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (unshare(CLONE_NEWNET) != 0)
                _exit(77);
            const bool anyRoute =
                NetworkChecker::routeExists(lan, 8030) || NetworkChecker::routeExists(loopback, 8030);
            _exit(anyRoute ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        if (WEXITSTATUS(status) == 77)
            QSKIP("no permission to make a network namespace here");
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestGuQing)
#include "tst_server_guqing.moc"

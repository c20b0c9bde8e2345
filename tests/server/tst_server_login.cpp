// The session with the ordering server: log-in and log-out, the server-version checks, the
// sold-out poll and whether the server can be reached.
#include "LoopbackServer.h"
#include "NotificationLog.h"
#include "RecordingNotices.h"
#include "ServerTestHome.h"
#include "TestRows.h"
#include "catalogue/SoldOutList.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "server/ActGuQing.h"
#include "server/LoginManager.h"
#include "server/NetworkChecker.h"
#include "server/SupportChecker.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <sched.h>
#include <sqlite3.h>
#include <sys/wait.h>

using namespace Qt::StringLiterals;

namespace {
const QByteArray kDecl = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>");
const QStringList kLoginNotifications = {Notify::NotificationLoginOk, Notify::NotificationLoginFailed,
                                         Notify::NotificationLogout};

// A base-data file whose store parameters hold `stamp` as "BaseDataVer" (none when absent).
bool writeBaseData(const QString &path, const std::optional<QString> &stamp)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    QByteArray sql = "create table StoreInfo(pname text, pvalue text, remark text);"
                     "insert into StoreInfo values('StoreName', 'x', '');";
    if (stamp)
        sql += "insert into StoreInfo values('BaseDataVer', '" + stamp->toUtf8() + "', '');";
    const bool ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

struct LoginCase {
    QByteArray reply;
    int httpStatus;
    QString notification;
    bool loggedIn = false;
    bool english = false;
};
using Text = std::optional<QString>;

QByteArray soldOutReply(const QByteArray &rows, const QByteArray &code = "0")
{
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?><R><ReturnCode>" + code +
           "</ReturnCode><ReturnList><Rows>" + rows + "</Rows></ReturnList></R>";
}
const QByteArray kThreeDishes =
    soldOutReply("<G foodno=\"1\" leftQty=\"0\"/><G foodno=\"2\" leftQty=\"0.0\"/>"
                 "<G foodno=\"3\" leftQty=\"3\"/><G leftQty=\"0\"/>");
} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::unique_ptr<ServerTestHome> home;
    std::shared_ptr<RecordingNotices> notices;
    std::atomic<int> tasksRun{0};
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
        notices = std::make_shared<RecordingNotices>();
        UserNotice::setSink(notices);
        server.reset(kThreeDishes);
        tasksRun = 0;
    }

    void cleanup()
    {
        poller.stop();
        settle();
        UserNotice::setSink(nullptr);
        DBManager::resetForTests();
        home.reset();
        SoldOutList::shared().clear();
        LanguageManager::defaultManager().reset();
    }

    void login_data()
    {
        QTest::addColumn<LoginCase>("c");
        const QString failed = u"kNotificationLoginFailed|"_s;
        QTest::newRow("accepted without a message")
            << LoginCase{"<R><ReturnCode>0</ReturnCode></R>", 200, u"kNotificationLoginOk|"_s, true};
        QTest::newRow("refused") << LoginCase{
            kDecl +
                "<R><ReturnCode>1</ReturnCode><ReturnMsg>\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3</ReturnMsg></R>",
            200, failed + u"密码错误"_s};
        QTest::newRow("no return code") << LoginCase{"<R><ReturnMsg>m</ReturnMsg></R>", 200, failed + u"m"_s};
        QTest::newRow("unreadable") << LoginCase{"<html>", 200, failed + u"登录失败"_s};
        QTest::newRow("request failed") << LoginCase{{}, 404, failed + u"Error Domain=Qelvo Code=404"_s};
        QTest::newRow("unreadable, in English")
            << LoginCase{"not xml", 200, failed + u"Login failed"_s, false, true};
    }
    void login()
    {
        QFETCH(LoginCase, c);
        const auto [reply, httpStatus, notification, loggedIn, english] = c;
        if (english)
            LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        server.answer(reply, httpStatus);
        NotificationLog log(kLoginNotifications);

        LoginManager::defaultManager().loginWithUserId(u"007"_s, u"p&w"_s);
        QTRY_COMPARE(log.entries.size(), 1);
        QTest::qWait(50);
        QCOMPARE(log.entries, QStringList{notification});
        QVERIFY(!log.offMainThread);
        QCOMPARE(LoginManager::isLogin(), loggedIn);
        QCOMPARE(LoginManager::accountId(), loggedIn ? u"007"_s : QString());
        QCOMPARE(LoginManager::accountName(), QString());

        const std::vector<std::string> bodies = server.bodies();
        QCOMPARE(bodies.size(), size_t(1));
        QVERIFY(QUrl::fromPercentEncoding(QByteArray::fromStdString(bodies[0]).mid(8))
                    .contains(QStringLiteral(
                        "<Command>LogIn</Command><UserID>007</UserID><UserPassword>p&amp;w</UserPassword>")));
    }

    // A double tap sends one login, whose notification answers both taps; a login made as soon as
    // that notification arrives (a retry) goes out again and is answered too.
    void repeatedLoginIsAnswered()
    {
        server.answer("<R><ReturnCode>1</ReturnCode><ReturnMsg>no</ReturnMsg></R>");
        server.delayMs = 300;
        NotificationLog log(kLoginNotifications);
        QObject retry;
        int retries = 0;
        NotificationCenter::defaultCenter().addObserver(
            &retry, Notify::NotificationLoginFailed, [&retries](const Notification &) {
                if (retries++ == 0)
                    LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
            });
        LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
        LoginManager::defaultManager().loginWithUserId(u"5"_s, u"6"_s);
        QTRY_COMPARE(log.entries.size(), 2);
        QTest::qWait(400);
        QCOMPARE(log.entries, QStringList(2, u"kNotificationLoginFailed|no"_s));
        QCOMPARE(server.bodies().size(), size_t(2));
    }

    void logoutKeepsTheLastOperator()
    {
        server.answer("<R><ReturnCode>0</ReturnCode><ReturnMsg>(Wang)</ReturnMsg></R>");
        NotificationLog log(kLoginNotifications);
        LoginManager::defaultManager().loginWithUserId(u"12"_s, u"x"_s);
        QTRY_COMPARE(log.entries.size(), 1);
        QCOMPARE(LoginManager::loginTitle(), u"Wang(12)"_s);

        LoginManager::defaultManager().logout();
        QCOMPARE(log.entries.last(), u"kNotificationLogout|"_s);
        QVERIFY(!LoginManager::isLogin() && !SettingsStore::shared().value(Key::IsLogin).isValid());
        QCOMPARE(LoginManager::accountId() + u'|' + LoginManager::accountName() + u'|' +
                     SettingsStore::shared().string(Key::AccountId).value_or(u"(absent)"_s),
                 u"12|Wang|12"_s);
    }

    void operatorName_data()
    {
        columns<Text, QString>("message", "name");
        QTest::newRow("name") << Text(u"hi(Ann)!"_s) << u"Ann"_s;
        QTest::newRow("first of two") << Text(u"hi(Li)(x)"_s) << u"Li"_s;
        QTest::newRow("no brackets") << Text(u"welcome"_s) << QString();
        QTest::newRow("close before open") << Text(u")x(y)"_s) << QString();
        QTest::newRow("open without close") << Text(u"(Ann"_s) << QString();
        QTest::newRow("nested opens") << Text(u"a(b(c)d"_s) << u"b(c"_s;
        QTest::newRow("empty brackets") << Text(u"()"_s) << QString();
        QTest::newRow("absent") << Text() << QString();
    }
    void operatorName()
    {
        auto [message, name] = row<Text, QString>("message", "name");
        QCOMPARE(LoginManager::operatorName(message), name);
    }

    // Without a required version: whether gifts are supported (stamp after 20150411).
    void serverVersion_data()
    {
        columns<Text, Text, bool, QStringList>("stamp", "required", "outdated", "shown");
        const QStringList tooOld{u"alert|提示|席维通服务程序版本过低，请先升级。|确定"_s};
        const QStringList notice{u"alert|提示|席维通服务程序版本过低，请先升级。（V.20160102）|确定"_s};
        QTest::newRow("gifts: 20150411 refuses") << Text(u"20150411"_s) << Text() << true << tooOld;
        QTest::newRow("gifts: 20150412 allows") << Text(u"20150412"_s) << Text() << false << QStringList();
        QTest::newRow("gifts: no stamp") << Text() << Text() << true << tooOld;
        const Text stamp = u"20160101"_s;
        QTest::newRow("nothing required") << stamp << Text(QString()) << true << QStringList();
        QTest::newRow("equal") << stamp << Text(u"20160101"_s) << false << QStringList();
        QTest::newRow("newer server") << stamp << Text(u"20151231"_s) << false << QStringList();
        QTest::newRow("older server") << stamp << Text(u"20160102"_s) << true << notice;
        QTest::newRow("no stamp") << Text() << Text(u"20160102"_s) << true << notice;
    }
    void serverVersion()
    {
        auto [stamp, required, outdated, shown] =
            row<Text, Text, bool, QStringList>("stamp", "required", "outdated", "shown");
        const QString path = home->path() + u"/PadBaseData.db"_s;
        QVERIFY(writeBaseData(path, stamp));
        DBManager::defaultManager().setupDBPath(path);

        SupportChecker &checker = SupportChecker::sharedChecker();
        QCOMPARE(required ? checker.checkShoudUpdaterSvrDataVer(*required)
                          : !checker.checkIsSupportZengSong(),
                 outdated);
        // The notice comes after the answer, from the event loop.
        QVERIFY(notices->shown.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown, shown);
    }

    void noticeFollowsTheLanguage()
    {
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
        SupportChecker::sharedChecker().updateDataVer(u"9"_s);
        QCoreApplication::processEvents();
        QCOMPARE(notices->shown,
                 QStringList{
                     QStringLiteral("alert|Notice|The Xiweitong server program is too old. Please upgrade it "
                                    "first. (V.9)|OK")});
    }

    void stampValue_data()
    {
        columns<QString, qint64>("text", "value");
        QTest::newRow("date") << u"20150412"_s << qint64(20150412);
        QTest::newRow("blanks and trailing text") << u" 20150412abc"_s << qint64(20150412);
        QTest::newRow("sign") << u"-3"_s << qint64(-3);
        QTest::newRow("no digits") << u"abc"_s << qint64(0);
        QTest::newRow("empty") << QString() << qint64(0);
    }
    void stampValue()
    {
        auto [text, value] = row<QString, qint64>("text", "value");
        QCOMPARE(SupportChecker::stampValue(text), value);
    }

    // The sold-out poll, and whether the server can be reached.
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
        columns<QByteArray, QString>("reply", "fault");
        QTest::newRow("refused") << soldOutReply("<G foodno=\"1\" leftQty=\"0\"/>", "1") << QString();
        QTest::newRow("unreadable") << QByteArray("<<") << QString();
        QTest::newRow("status 500") << kThreeDishes << u"500"_s;
        QTest::newRow("server gone") << kThreeDishes << u"gone"_s;
    }
    void failedPollKeepsTheLastList()
    {
        auto [reply, fault] = row<QByteArray, QString>("reply", "fault");
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
        columns<bool, qint64, int>("switchedOn", "interval", "intervalMs");
        QTest::newRow("every minute") << true << qint64(60) << 60000;
        QTest::newRow("negative interval") << true << qint64(-5) << 0;
        QTest::newRow("switched off") << false << qint64(60) << 0;
    }
    void startFollowsTheSettings()
    {
        auto [switchedOn, interval, intervalMs] =
            row<bool, qint64, int>("switchedOn", "interval", "intervalMs");
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

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_server_login.moc"

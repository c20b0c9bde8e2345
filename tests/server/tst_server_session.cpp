// Talking to the ordering server: log-in and log-out, the server-version checks, the sold-out poll
// and whether the server can be reached; requests through the shared queue and the HTTP client.
#include "LoopbackServer.h"
#include "NotificationLog.h"
#include "RecordingNotices.h"
#include "ServerTestHome.h"
#include "TestRows.h"
#include "catalogue/SoldOutList.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "server/ActGuQing.h"
#include "server/CommandMaker.h"
#include "server/HttpClient.h"
#include "server/LoginManager.h"
#include "server/NetworkChecker.h"
#include "server/RequestQueue.h"
#include "server/ServerExchange.h"
#include "server/ServerRequest.h"
#include "server/SupportChecker.h"
#include "settings/LanguageManager.h"
#include "storage/BaseDataFixture.h"
#include "storage/DBManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <mutex>
#include <sched.h>
#include <stdexcept>
#include <sys/wait.h>

using namespace Qt::StringLiterals;

namespace {
const QStringList kLoginNotifications = {Notify::NotificationLoginOk, Notify::NotificationLoginFailed,
                                         Notify::NotificationLogout};

struct LoginCase {
    QByteArray reply;
    int httpStatus;
    QString notification;
    bool loggedIn = false;
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

// What one request's callbacks received, written on the worker.
struct Outcome {
    QMutex mutex;
    std::optional<QByteArray> body;
    std::optional<ServerError> error;
    QThread *thread = nullptr;
    int calls = 0;

    void attach(ServerRequest &request)
    {
        request.setResponseBlock([this](const QByteArray &b) { arrived([&] { body = b; }); });
        request.setErrorBlock([this](const ServerError &e) { arrived([&] { error = e; }); });
    }
    void arrived(const std::function<void()> &store)
    {
        QMutexLocker lock(&mutex);
        store();
        thread = QThread::currentThread();
        ++calls;
    }
};

using Build = std::function<void(ServerRequest &)>;

// What the server saw of the last request.
struct Seen {
    std::mutex mutex;
    std::string method, body, contentType, userAgent, acceptEncoding;

    void record(const httplib::Request &req)
    {
        std::lock_guard lock(mutex);
        method = req.method;
        body = req.body;
        contentType = req.get_header_value("Content-Type");
        userAgent = req.get_header_value("User-Agent");
        acceptEncoding = req.get_header_value("Accept-Encoding");
    }
};

} // namespace

class TestServerSession : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::unique_ptr<ServerTestHome> home;
    std::shared_ptr<RecordingNotices> notices;
    std::atomic<int> tasksRun{0};
    ActGuQing &poller = ActGuQing::sharedInstance();
    Seen seen;
    QByteArray bigFile;
    LoopbackServer web; // for the client's own tests; stops before what its handlers read goes

    HttpRequest requestTo(const char *path, const QString &method = u"GET"_s)
    {
        HttpRequest request;
        request.url = web.baseUrl() + QString::fromLatin1(path);
        request.method = method;
        request.timeoutSeconds = 5;
        return request;
    }

    void startPolling(bool switchedOn, qint64 interval)
    {
        ConfigManager::defaultManager().setIsAutoRefreshSoldOut(switchedOn);
        ConfigManager::defaultManager().setAutoRefreshSoldOutIntervalTime(interval);
        poller.start();
    }
    void settle()
    {
        server.gate().release();
        QVERIFY(ServerRequest::sharedQueue().waitForDone(15000));
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        poller.setSoldOutTask([this] { ++tasksRun; });
        bigFile.resize(3 * 1024 * 1024);
        for (qsizetype i = 0; i < bigFile.size(); ++i)
            bigFile[i] = char(i * 7 + i / 4096);

        auto &http = web.http();
        auto echo = [this](const httplib::Request &req, httplib::Response &res) {
            seen.record(req);
            res.set_content("ok", "text/plain");
        };
        http.Post("/", echo);
        http.Get("/status/(\\d+)", [](const httplib::Request &req, httplib::Response &res) {
            res.status = std::stoi(req.matches[1]);
            res.set_content("nope", "text/plain");
        });
        http.Get("/package.zip", [this](const httplib::Request &, httplib::Response &res) {
            res.set_content(LoopbackServer::bytes(bigFile), "application/zip");
        });
        QVERIFY(web.start());
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
        QTest::newRow("no return code") << LoginCase{"<R><ReturnMsg>m</ReturnMsg></R>", 200, failed + u"m"_s};
        QTest::newRow("unreadable") << LoginCase{"<html>", 200, failed + u"登录失败"_s};
        QTest::newRow("request failed") << LoginCase{{}, 404, failed + u"Error Domain=Qelvo Code=404"_s};
    }
    void login()
    {
        QFETCH(LoginCase, c);
        const auto [reply, httpStatus, notification, loggedIn] = c;
        server.answer(reply, httpStatus);
        NotificationLog log(kLoginNotifications);

        LoginManager::defaultManager().loginWithUserId(u"007"_s, u"p&w"_s);
        QTRY_COMPARE(log.entries.size(), 1);
        QTest::qWait(50);
        QCOMPARE(log.entries, QStringList{notification});
        QVERIFY(!log.offMainThread);
        QCOMPARE(notices->progressShown, 0); // the login dialog shows its own
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

    void operatorName_data()
    {
        columns<Text, QString>("message", "name");
        QTest::newRow("first of two") << Text(u"hi(Li)(x)"_s) << u"Li"_s;
        QTest::newRow("close before open") << Text(u")x(y)"_s) << QString();
        QTest::newRow("nested opens") << Text(u"a(b(c)d"_s) << u"b(c"_s;
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
        QTest::newRow("gifts: 20150412 allows, read as far as its digits go")
            << Text(u" 20150412abc"_s) << Text() << false << QStringList();
        QTest::newRow("gifts: no stamp") << Text() << Text() << true << tooOld;
        const Text stamp = u"20160101"_s;
        QTest::newRow("nothing required") << stamp << Text(QString()) << true << QStringList();
        QTest::newRow("equal") << stamp << Text(u"20160101"_s) << false << QStringList();
        QTest::newRow("older server") << stamp << Text(u"20160102"_s) << true << notice;
    }
    void serverVersion()
    {
        auto [stamp, required, outdated, shown] =
            row<Text, Text, bool, QStringList>("stamp", "required", "outdated", "shown");
        const QString path = home->path() + u"/PadBaseData.db"_s;
        // The store's stamp is "BaseDataVer" among its parameters.
        QVERIFY(BaseDataFixture(path).exec(
            u"insert into StoreInfo values('StoreName', 'x', '');"_s +
            (stamp ? u"insert into StoreInfo values('BaseDataVer', '%1', '');"_s.arg(*stamp) : QString())));
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
        QCOMPARE(notices->progressShown, 0); // a background poll never blocks the screen

        QVERIFY(QUrl::fromPercentEncoding(QByteArray::fromStdString(server.bodies().at(0)))
                    .contains(u"<Command>GetGqFoodList</Command>"_s));
    }

    // The last list read stays in force while a poll is outstanding; a poll started meanwhile joins
    // the one under way and is told its outcome.
    void listKeptWhilePollIsOutstanding()
    {
        poller.handleReply(ServerReply::read(soldOutReply("<G foodno=\"9\" leftQty=\"0\"/>")));
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
        poller.handleReply(ServerReply::read(soldOutReply("<G foodno=\"9\" leftQty=\"0\"/>")));
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

    void switchedOffNeverPolls()
    {
        startPolling(false, 60);
        QVERIFY(!poller.isPolling());
        QCOMPARE(poller.pollIntervalMs(), 0);
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

    // Requests through the shared queue (the default answer is the three-dish list).
    // The address with its query, and the method that follows from the form.
    void buildsTheRequest_data()
    {
        columns<Build, QString, QString>("build", "url", "method");
        const QString bare = u"http://h:1"_s, get = u"GET"_s;
        QTest::newRow("question mark then ampersand, in key order") << Build([](ServerRequest &r) {
            r.addParameter(u"x y&z"_s, u"b"_s);
            r.addIntParameter(-5, u"a"_s);
        }) << u"http://h:1?a=-5&b=x%20y%26z"_s << get;
        QTest::newRow("absent value ignored")
            << Build([](ServerRequest &r) { r.addParameter(std::nullopt, u"a"_s); }) << bare << get;
        QTest::newRow("64-bit and date in milliseconds") << Build([](ServerRequest &r) {
            r.addLongParameter(Q_INT64_C(9007199254740993), u"n"_s);
            r.addDateParameter(QDateTime(QDate(2015, 4, 12), QTime(0, 0, 0, 789), Qt::UTC), u"d"_s);
        }) << u"http://h:1?d=1428796800789&n=9007199254740993"_s
                                                         << get;
        QTest::newRow("form field") << Build([](ServerRequest &r) { r.addPostIntValue(1, u"a"_s); }) << bare
                                    << u"POST"_s;
        QTest::newRow("field removed again") << Build([](ServerRequest &r) {
            r.addPostValue(u"v"_s, u"a"_s);
            r.addPostValue(std::nullopt, u"a"_s);
        }) << bare << get;
        QTest::newRow("method set explicitly") << Build([](ServerRequest &r) {
            r.addPostValue(u"v"_s, u"a"_s);
            r.setRequestMethod(u"GET"_s);
        }) << bare << get;
    }
    void buildsTheRequest()
    {
        auto [build, url, method] = row<Build, QString, QString>("build", "url", "method");
        auto request = ServerRequest::requestWithUrl(u"http://h:1"_s);
        build(*request);
        QCOMPARE(request->fullUrl(), url);
        QCOMPARE(request->requestMethod(), method);
    }

    void postsTheCommandAsFormField()
    {
        const ClientCommand command = CommandMaker::cancelDesk(u"桌 1"_s);
        auto request = ServerRequest::requestWithCommand(command);
        QCOMPARE(request->urlString(), server.baseUrl());
        Outcome outcome;
        outcome.attach(*request);
        QVERIFY(request->go());
        settle();

        const std::vector<std::string> seen = server.bodies();
        QCOMPARE(seen.size(), size_t(1));
        const QByteArray body = QByteArray::fromStdString(seen[0]);
        QVERIFY(body.startsWith("xmlFile=%3C%3Fxml%20version%3D%221.0%22%20encoding%3D%22gb2312%22%3F%3E"
                                "%3CClientCommand%3E%3CDevSerial%3E"));
        QVERIFY(body.contains("%3CDeskNo%3E%E6%A1%8C%201%3C%2FDeskNo%3E"));
        for (char c : body)
            QVERIFY2(std::isalnum(static_cast<unsigned char>(c)) || QByteArray("-_.%=").contains(c),
                     body.constData());
        QCOMPARE(QUrl::fromPercentEncoding(body.mid(8)), command.toString());
        // The answer comes once, on the worker.
        QMutexLocker lock(&outcome.mutex);
        QVERIFY(outcome.calls == 1 && !outcome.error);
        QCOMPARE(outcome.body, kThreeDishes);
        QVERIFY(outcome.thread && outcome.thread != QCoreApplication::instance()->thread());
    }

    // Each failure once, on the worker, with its domain, code and text in the language in use.
    void reportsErrors_data()
    {
        columns<int, int, QString, QString, QString, QString>("status", "delayMs", "ip", "port", "language",
                                                              "description");
        const QString here = QString::number(server.port()), closed = QString::number(closedLoopbackPort());
        const QString ip = u"127.0.0.1"_s, zh = LanguageManager::kChinese;
        const QString http = u"Error Domain=HttpClientErrorDomain Code="_s;
        const auto fail = [](const char *name, int status, int delayMs, const QString &ip,
                             const QString &port, const QString &language, const QString &description) {
            QTest::newRow(name) << status << delayMs << ip << port << language << description;
        };
        // Answered 0.6 s after the one-second limit, were it not kept.
        fail("timeout", 200, 1600, ip, here, zh, http + u"2 \"网络超时\""_s);
        fail("closed port, in English", 200, 0, ip, closed, LanguageManager::kEnglish,
             http + u"1 \"Network connection error\""_s);
        fail("no server address", 200, 0, {}, here, zh, http + u"1 \"网络连接错误\""_s);
        fail("authentication", 401, 0, ip, here, zh, http + u"3 \"密码不匹配\""_s);
        fail("impossible port", 200, 0, ip, u"99999"_s, zh, http + u"5 \"未知错误\""_s);
    }
    void reportsErrors()
    {
        auto [status, delayMs, ip, port, language, description] =
            row<int, int, QString, QString, QString, QString>("status", "delayMs", "ip", "port", "language",
                                                              "description");
        LanguageManager::defaultManager().loadLanguage(language, false);
        server.answer(status == 200 ? kThreeDishes : QByteArray(), status);
        server.delayMs = delayMs;
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIp(ip);
        config.setPort(port);
        config.setTimeout(1);

        auto request = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
        Outcome outcome;
        outcome.attach(*request);
        QVERIFY(request->go());
        settle();
        QMutexLocker lock(&outcome.mutex);
        QVERIFY(outcome.calls == 1 && !outcome.body && outcome.error);
        QCOMPARE(outcome.error->description(), description);
        QCOMPARE(outcome.error->message.has_value(), description.contains(u'"'));
    }

    void sendsADuplicateOnce()
    {
        server.hold = true;
        auto first = ServerRequest::requestWithCommand(CommandMaker::deskHurry(u"A1"_s));
        auto second = ServerRequest::requestWithCommand(CommandMaker::deskHurry(u"A1"_s));
        Outcome firstOutcome, secondOutcome;
        firstOutcome.attach(*first);
        secondOutcome.attach(*second);
        QVERIFY(first->go());
        QVERIFY(server.gate().waitForEntered(1));
        QVERIFY(!second->go());
        settle();
        QCOMPARE(
            (QList<size_t>{server.bodies().size(), size_t(firstOutcome.calls), size_t(secondOutcome.calls)}),
            (QList<size_t>{1, 1, 0}));

        // Once the first has ended the same command goes out again.
        auto third = ServerRequest::requestWithCommand(CommandMaker::deskHurry(u"A1"_s));
        QVERIFY(third->go());
        settle();
        QCOMPARE(server.bodies().size(), size_t(2));
    }

    // A request is retired before its outcome is delivered: the same request made by whoever
    // reacts to the outcome (a retry, the next poll) goes out, on success and on failure alike.
    void sameRequestFromItsOutcomeGoesOut_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::newRow("from the response") << false;
        QTest::newRow("from the error") << true;
    }
    void sameRequestFromItsOutcomeGoesOut()
    {
        QFETCH(bool, fails);
        if (fails)
            server.answer({}, 404);
        const ClientCommand command = CommandMaker::deskHurry(u"B2"_s);
        auto again = ServerRequest::requestWithCommand(command);
        Outcome againOutcome;
        againOutcome.attach(*again);
        std::atomic<int> accepted = -1;
        auto first = ServerRequest::requestWithCommand(command);
        auto resend = [again, &accepted] { accepted = again->go() ? 1 : 0; };
        first->setResponseBlock([resend](const QByteArray &) { resend(); });
        first->setErrorBlock([resend](const ServerError &) { resend(); });
        QVERIFY(first->go());
        QTRY_VERIFY(accepted.load() >= 0);
        settle();
        QCOMPARE((QList<size_t>{size_t(accepted.load()), server.bodies().size(), size_t(againOutcome.calls)}),
                 (QList<size_t>{1, 2, 1}));
    }

    void runsAtMostFourAtOnce()
    {
        server.hold = true;
        for (int i = 0; i < 6; ++i)
            QVERIFY(ServerRequest::requestWithCommand(CommandMaker::cancelDesk(QString::number(i)))->go());
        QVERIFY(server.gate().waitForEntered(4));
        QTest::qWait(300);
        QCOMPARE(server.gate().entered(), 4);
        QCOMPARE(ServerRequest::sharedQueue().pendingCount(), 6);
        settle();
        QCOMPARE((QList<int>{server.gate().entered(), server.gate().maxInside(),
                             int(ServerRequest::sharedQueue().pendingCount())}),
                 (QList<int>{6, 4, 0}));
    }

    void throwingCallbackEndsQuietly()
    {
        auto request = ServerRequest::requestWithXmlString(u"<a/>"_s);
        std::atomic<int> errors{0};
        request->setResponseBlock([](const QByteArray &) { throw std::runtime_error("screen gone"); });
        request->setErrorBlock([&errors](const ServerError &) { ++errors; });
        request->go();
        settle();
        QCOMPARE(errors.load(), 0);

        auto next = ServerRequest::requestWithXmlString(u"<b/>"_s);
        Outcome outcome;
        outcome.attach(*next);
        next->go();
        settle();
        QVERIFY(outcome.calls == 1 && outcome.body);
    }

    // The HTTP client itself, against routes of its own. The form escapes all but letters, digits
    // and "-_.", "~" included.
    void postsUrlEncodedForm()
    {
        HttpRequest request = requestTo("/", u"POST"_s);
        request.formFields = {{u"xmlFile"_s, u"<C>桌 ~+</C>"_s}};
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(!response.failure);
        QCOMPARE(response.status, 200L);
        QCOMPARE(response.body, QByteArray("ok"));
        std::lock_guard lock(seen.mutex);
        const auto q = [](const std::string &text) { return QString::fromStdString(text); };
        QCOMPARE((QStringList{q(seen.method), q(seen.contentType), q(seen.userAgent), q(seen.acceptEncoding),
                              q(seen.body)}),
                 (QStringList{u"POST"_s, u"application/x-www-form-urlencoded"_s, u"Qelvo"_s,
                              u"gzip, deflate"_s, u"xmlFile=%3CC%3E%E6%A1%8C%20%7E%2B%3C%2FC%3E"_s}));
    }

    void refusesAnUrlThatIsNotHttp()
    {
        HttpRequest request;
        request.url = u"file:///etc/passwd"_s;
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(response.failure && response.body.isEmpty());
        QCOMPARE(response.failure->kind, HttpFailureKind::BadRequest);
    }

    void failedDownloadLeavesNoFile_data()
    {
        columns<QString, bool, QString, int, int>("path", "cancel", "folder", "kind", "status");
        QTest::newRow("404") << u"/status/404"_s << false << QString() << -1 << 404;
        QTest::newRow("cancelled") << u"/package.zip"_s << true << QString()
                                   << int(HttpFailureKind::Cancelled) << 0;
        QTest::newRow("missing folder")
            << u"/package.zip"_s << false << u"/nonexistent-dir"_s << int(HttpFailureKind::FileError) << 0;
    }
    void failedDownloadLeavesNoFile()
    {
        auto [path, cancel, folder, kind, status] =
            row<QString, bool, QString, int, int>("path", "cancel", "folder", "kind", "status");
        QTemporaryDir dir;
        const QString target = (folder.isEmpty() ? dir.path() : folder) + u"/package.zip"_s;
        const HttpResponse response =
            HttpClient::download(web.baseUrl() + path, target, 5,
                                 [cancel](qint64 received, qint64) { return !(cancel && received > 0); });
        QCOMPARE(response.failure ? int(response.failure->kind) : -1, kind);
        if (status)
            QCOMPARE(response.status, long(status));
        QVERIFY(!QFile::exists(target) && !QFile::exists(target + u".part"_s));
    }
};

QTEST_GUILESS_MAIN(TestServerSession)
#include "tst_server_session.moc"

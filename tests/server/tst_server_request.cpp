#include "LoopbackServer.h"
#include "ServerTestHome.h"
#include "TestRows.h"
#include "server/CommandMaker.h"
#include "server/HttpClient.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"

#include <QCoreApplication>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

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

struct Failure {
    int status;
    int delayMs;
    QString ip, port, language, description;
};

} // namespace

class TestServerRequest : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::unique_ptr<ServerTestHome> home;
    const QByteArray kOk = "<R><ReturnCode>0</ReturnCode></R>";

    void finishAll()
    {
        server.gate().release();
        QVERIFY(ServerRequest::sharedQueue().waitForDone(15000));
    }

private slots:
    void initTestCase() { QVERIFY(server.start()); }

    void init()
    {
        home = std::make_unique<ServerTestHome>();
        ServerTestHome::pointAt(server.port());
        server.reset(kOk);
    }

    void cleanup()
    {
        finishAll();
        home.reset();
        LanguageManager::defaultManager().reset();
    }

    // The address with its query, and the method that follows from the form.
    void buildsTheRequest_data()
    {
        columns<Build, QString, QString>("build", "url", "method");
        const QString bare = u"http://h:1"_s, get = u"GET"_s;
        QTest::newRow("nothing") << Build([](ServerRequest &) {}) << bare << get;
        QTest::newRow("question mark then ampersand, in key order") << Build([](ServerRequest &r) {
            r.addParameter(u"x y&z"_s, u"b"_s);
            r.addIntParameter(-5, u"a"_s);
        }) << u"http://h:1?a=-5&b=x%20y%26z"_s << get;
        QTest::newRow("absent value ignored")
            << Build([](ServerRequest &r) { r.addParameter(std::nullopt, u"a"_s); }) << bare << get;
        QTest::newRow("chinese value escaped")
            << Build([](ServerRequest &r) { r.addParameter(u"菜~"_s, u"q"_s); })
            << u"http://h:1?q=%E8%8F%9C~"_s << get;
        QTest::newRow("64-bit and date in milliseconds") << Build([](ServerRequest &r) {
            r.addLongParameter(Q_INT64_C(9007199254740993), u"n"_s);
            r.addDateParameter(QDateTime(QDate(2015, 4, 12), QTime(0, 0, 0, 789), Qt::UTC), u"d"_s);
        }) << u"http://h:1?d=1428796800789&n=9007199254740993"_s
                                                         << get;
        QTest::newRow("form field") << Build([](ServerRequest &r) { r.addPostIntValue(1, u"a"_s); }) << bare
                                    << u"POST"_s;
        QTest::newRow("file part") << Build([](ServerRequest &r) { r.addPostData("x", u"f"_s); }) << bare
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
        finishAll();

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
        QCOMPARE(outcome.body, kOk);
        QVERIFY(outcome.thread && outcome.thread != QCoreApplication::instance()->thread());
    }

    // Each failure once, on the worker, with its domain, code and text in the language in use.
    void reportsErrors_data()
    {
        QTest::addColumn<Failure>("c");
        const QString here = QString::number(server.port()), closed = QString::number(closedLoopbackPort());
        const QString ip = u"127.0.0.1"_s, zh = LanguageManager::kChinese;
        const QString http = u"Error Domain=HttpClientErrorDomain Code="_s;
        QTest::newRow("404") << Failure{404, 0, ip, here, zh, u"Error Domain=Qelvo Code=404"_s};
        // Answered 0.6 s after the one-second limit, were it not kept.
        QTest::newRow("timeout") << Failure{200, 1600, ip, here, zh, http + u"2 \"网络超时\""_s};
        QTest::newRow("closed port") << Failure{200, 0, ip, closed, zh, http + u"1 \"网络连接错误\""_s};
        QTest::newRow("closed port, in English") << Failure{
            200, 0, ip, closed, LanguageManager::kEnglish, http + u"1 \"Network connection error\""_s};
        QTest::newRow("no server address") << Failure{200, 0, {}, here, zh, http + u"1 \"网络连接错误\""_s};
        QTest::newRow("authentication") << Failure{401, 0, ip, here, zh, http + u"3 \"密码不匹配\""_s};
        QTest::newRow("impossible port") << Failure{200, 0, ip, u"99999"_s, zh, http + u"5 \"未知错误\""_s};
    }
    void reportsErrors()
    {
        QFETCH(Failure, c);
        LanguageManager::defaultManager().loadLanguage(c.language, false);
        server.answer(c.status == 200 ? kOk : QByteArray(), c.status);
        server.delayMs = c.delayMs;
        ConfigManager &config = ConfigManager::defaultManager();
        config.setIp(c.ip);
        config.setPort(c.port);
        config.setTimeout(1);

        auto request = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
        Outcome outcome;
        outcome.attach(*request);
        QVERIFY(request->go());
        finishAll();
        QMutexLocker lock(&outcome.mutex);
        QVERIFY(outcome.calls == 1 && !outcome.body && outcome.error);
        QCOMPARE(outcome.error->description(), c.description);
        QCOMPARE(outcome.error->message.has_value(), c.description.contains(u'"'));
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
        finishAll();
        QCOMPARE(
            (QList<size_t>{server.bodies().size(), size_t(firstOutcome.calls), size_t(secondOutcome.calls)}),
            (QList<size_t>{1, 1, 0}));

        // Once the first has ended the same command goes out again.
        auto third = ServerRequest::requestWithCommand(CommandMaker::deskHurry(u"A1"_s));
        QVERIFY(third->go());
        finishAll();
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
        finishAll();
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
        finishAll();
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
        finishAll();
        QCOMPARE(errors.load(), 0);

        auto next = ServerRequest::requestWithXmlString(u"<b/>"_s);
        Outcome outcome;
        outcome.attach(*next);
        next->go();
        finishAll();
        QVERIFY(outcome.calls == 1 && outcome.body);
    }
};

QTEST_GUILESS_MAIN(TestServerRequest)
#include "tst_server_request.moc"

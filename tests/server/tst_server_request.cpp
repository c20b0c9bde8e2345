// Requests to the ordering server through the shared queue, and the HTTP client under them.
#include "LoopbackServer.h"
#include "ServerTestHome.h"
#include "TestRows.h"
#include "server/CommandMaker.h"
#include "server/HttpClient.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"

#include <QCoreApplication>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <mutex>
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

using Fields = QList<QPair<QString, QString>>;

struct FailedDownload {
    QString path;
    bool cancel;
    QString folder;
    int kind;
    long status;
};

// What the server saw of the last request.
struct Seen {
    std::mutex mutex;
    std::string method, body, contentType, userAgent, acceptEncoding;
    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> files;

    void record(const httplib::Request &req)
    {
        std::lock_guard lock(mutex);
        method = req.method;
        body = req.body;
        contentType = req.get_header_value("Content-Type");
        userAgent = req.get_header_value("User-Agent");
        acceptEncoding = req.get_header_value("Accept-Encoding");
        fields.clear();
        files.clear();
        for (const auto &[name, file] : req.files)
            (file.filename.empty() ? fields : files)[name] = file.content;
    }
};

} // namespace

class TestServerRequest : public QObject {
    Q_OBJECT
private:
    AnsweringServer server;
    std::unique_ptr<ServerTestHome> home;
    const QByteArray kOk = "<R><ReturnCode>0</ReturnCode></R>";
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

    void finishAll()
    {
        server.gate().release();
        QVERIFY(ServerRequest::sharedQueue().waitForDone(15000));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
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

    // The HTTP client itself, against routes of its own.
    void formEncoding_data()
    {
        columns<Fields, QByteArray>("fields", "encoded");
        const auto one = [](const QString &value) { return Fields{{u"xmlFile"_s, value}}; };
        QTest::newRow("unreserved stay") << one(u"AZaz09-_."_s) << QByteArray("xmlFile=AZaz09-_.");
        QTest::newRow("tilde and space") << one(u"~ +"_s) << QByteArray("xmlFile=%7E%20%2B");
        QTest::newRow("markup") << one(u"<a b=\"c\"?>&"_s)
                                << QByteArray("xmlFile=%3Ca%20b%3D%22c%22%3F%3E%26");
        QTest::newRow("empty") << one(QString()) << QByteArray("xmlFile=");
        QTest::newRow("fields joined in order")
            << Fields{{u"b"_s, u"1"_s}, {u"a k"_s, u"2"_s}} << QByteArray("b=1&a%20k=2");
    }
    void formEncoding()
    {
        auto [fields, encoded] = row<Fields, QByteArray>("fields", "encoded");
        QCOMPARE(HttpClient::formUrlEncode(fields), encoded);
    }

    void postsUrlEncodedForm()
    {
        HttpRequest request = requestTo("/", u"POST"_s);
        request.formFields = {{u"xmlFile"_s, u"<C>桌</C>"_s}};
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(!response.failure);
        QCOMPARE(response.status, 200L);
        QCOMPARE(response.body, QByteArray("ok"));
        std::lock_guard lock(seen.mutex);
        const auto q = [](const std::string &text) { return QString::fromStdString(text); };
        QCOMPARE((QStringList{q(seen.method), q(seen.contentType), q(seen.userAgent), q(seen.acceptEncoding),
                              q(seen.body)}),
                 (QStringList{u"POST"_s, u"application/x-www-form-urlencoded"_s, u"Qelvo"_s,
                              u"gzip, deflate"_s, u"xmlFile=%3CC%3E%E6%A1%8C%3C%2FC%3E"_s}));
    }

    void postsMultipartWithFileParts()
    {
        HttpRequest request = requestTo("/", u"POST"_s);
        request.formFields = {{u"name"_s, u"值"_s}};
        request.fileParts = {{QByteArray("\x00\x01zip", 5), u"upload"_s}};
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(!response.failure);
        std::lock_guard lock(seen.mutex);
        QVERIFY(seen.contentType.rfind("multipart/form-data; boundary=", 0) == 0);
        QCOMPARE(seen.fields["name"], std::string("值"));
        QCOMPARE(seen.files["upload"], std::string("\x00\x01zip", 5));
    }

    void classifiesFailures_data()
    {
        columns<QString, int>("url", "kind");
        QTest::newRow("407") << web.baseUrl() + u"/status/407"_s << int(HttpFailureKind::Authentication);
        QTest::newRow("not http") << u"file:///etc/passwd"_s << int(HttpFailureKind::BadRequest);
        QTest::newRow("no url") << QString() << int(HttpFailureKind::BadRequest);
    }
    void classifiesFailures()
    {
        auto [url, kind] = row<QString, int>("url", "kind");
        HttpRequest request;
        request.url = url;
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(response.failure && response.body.isEmpty());
        QCOMPARE(int(response.failure->kind), kind);
    }

    void downloadsToFileWithProgress()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"package.zip"_s);
        QList<QPair<qint64, qint64>> reports;
        const HttpResponse response = HttpClient::download(web.baseUrl() + u"/package.zip"_s, path, 5,
                                                           [&](qint64 received, qint64 total) {
                                                               reports.append({received, total});
                                                               return true;
                                                           });
        QVERIFY(!response.failure && response.body.isEmpty());
        QCOMPARE(response.status, 200L);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == bigFile);
        QVERIFY(!QFile::exists(path + u".part"_s) && !reports.isEmpty());
        QCOMPARE(reports.constLast(), qMakePair(bigFile.size(), bigFile.size()));
        for (qsizetype i = 1; i < reports.size(); ++i)
            QVERIFY(reports[i].first >= reports[i - 1].first);
    }

    void failedDownloadLeavesNoFile_data()
    {
        QTest::addColumn<FailedDownload>("c");
        QTest::newRow("404") << FailedDownload{u"/status/404"_s, false, {}, -1, 404L};
        QTest::newRow("cancelled") << FailedDownload{
            u"/package.zip"_s, true, {}, int(HttpFailureKind::Cancelled), 0L};
        QTest::newRow("missing folder") << FailedDownload{u"/package.zip"_s, false, u"/nonexistent-dir"_s,
                                                          int(HttpFailureKind::FileError), 0L};
    }
    void failedDownloadLeavesNoFile()
    {
        QFETCH(FailedDownload, c);
        const auto &[path, cancel, folder, kind, status] = c;
        QTemporaryDir dir;
        const QString target = (folder.isEmpty() ? dir.path() : folder) + u"/package.zip"_s;
        const HttpResponse response =
            HttpClient::download(web.baseUrl() + path, target, 5,
                                 [cancel](qint64 received, qint64) { return !(cancel && received > 0); });
        QCOMPARE(response.failure ? int(response.failure->kind) : -1, kind);
        if (status)
            QCOMPARE(response.status, status);
        QVERIFY(!QFile::exists(target) && !QFile::exists(target + u".part"_s));
    }
};

QTEST_GUILESS_MAIN(TestServerRequest)
#include "tst_server_request.moc"

#include "LoopbackServer.h"
#include "server/HttpClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <mutex>

// What the server saw of the last request.
struct Seen {
    std::mutex mutex;
    std::string method, path, body, contentType, userAgent, acceptEncoding;
    std::map<std::string, std::string> fields;
    std::map<std::string, std::string> files;

    void record(const httplib::Request &req)
    {
        std::lock_guard lock(mutex);
        method = req.method;
        path = req.path;
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

class TestHttpClient : public QObject {
    Q_OBJECT
private:
    LoopbackServer server;
    Seen seen;
    QByteArray bigFile;

    HttpRequest requestTo(const char *path, const QString &method = QStringLiteral("GET"))
    {
        HttpRequest request;
        request.url = server.baseUrl() + QString::fromLatin1(path);
        request.method = method;
        request.timeoutSeconds = 5;
        return request;
    }

private slots:
    void initTestCase()
    {
        bigFile.resize(3 * 1024 * 1024);
        for (qsizetype i = 0; i < bigFile.size(); ++i)
            bigFile[i] = char(i * 7 + i / 4096);

        auto &http = server.http();
        auto echo = [this](const httplib::Request &req, httplib::Response &res) {
            seen.record(req);
            res.set_content("ok", "text/plain");
        };
        http.Post("/", echo);
        http.Get("/", echo);
        http.Delete("/", echo);
        http.Get("/status/(\\d+)", [](const httplib::Request &req, httplib::Response &res) {
            res.status = std::stoi(req.matches[1]);
            res.set_content("nope", "text/plain");
        });
        http.Get("/slow", [](const httplib::Request &, httplib::Response &res) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2500));
            res.set_content("late", "text/plain");
        });
        http.Get("/deflate", [](const httplib::Request &, httplib::Response &res) {
            const QByteArray plain = QByteArray("<r>") + QByteArray(5000, 'x') + QByteArray("</r>");
            res.set_header("Content-Encoding", "deflate");
            // qCompress is a zlib stream behind a 4-byte length.
            res.set_content(LoopbackServer::bytes(qCompress(plain).mid(4)), "application/octet-stream");
        });
        http.Get("/package.zip", [this](const httplib::Request &, httplib::Response &res) {
            res.set_content(LoopbackServer::bytes(bigFile), "application/zip");
        });
        QVERIFY(server.start());
    }

    void formEncoding_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("unreserved stay") << QStringLiteral("AZaz09-_.") << QByteArray("xmlFile=AZaz09-_.");
        QTest::newRow("tilde and space") << QStringLiteral("~ +") << QByteArray("xmlFile=%7E%20%2B");
        QTest::newRow("markup") << QStringLiteral("<a b=\"c\"?>&")
                                << QByteArray("xmlFile=%3Ca%20b%3D%22c%22%3F%3E%26");
        QTest::newRow("chinese as utf-8")
            << QStringLiteral("开台") << QByteArray("xmlFile=%E5%BC%80%E5%8F%B0");
        QTest::newRow("empty") << QString() << QByteArray("xmlFile=");
    }
    void formEncoding()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, encoded);
        QCOMPARE(HttpClient::formUrlEncode({{QStringLiteral("xmlFile"), value}}), encoded);
    }

    void formEncodingJoinsFieldsInOrder()
    {
        QCOMPARE(HttpClient::formUrlEncode({{QStringLiteral("b"), QStringLiteral("1")},
                                            {QStringLiteral("a k"), QStringLiteral("2")}}),
                 QByteArray("b=1&a%20k=2"));
    }

    void postsUrlEncodedForm()
    {
        HttpRequest request = requestTo("/", QStringLiteral("POST"));
        request.formFields = {{QStringLiteral("xmlFile"), QStringLiteral("<C>桌</C>")}};
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(!response.failure);
        QCOMPARE(response.status, 200L);
        QCOMPARE(response.body, QByteArray("ok"));
        std::lock_guard lock(seen.mutex);
        QCOMPARE(seen.method, std::string("POST"));
        QCOMPARE(seen.contentType, std::string("application/x-www-form-urlencoded"));
        QCOMPARE(seen.userAgent, std::string("Qelvo"));
        QCOMPARE(seen.acceptEncoding, std::string("gzip, deflate"));
        QCOMPARE(seen.body, std::string("xmlFile=%3CC%3E%E6%A1%8C%3C%2FC%3E"));
    }

    void postsMultipartWithFileParts()
    {
        HttpRequest request = requestTo("/", QStringLiteral("POST"));
        request.formFields = {{QStringLiteral("name"), QStringLiteral("值")}};
        request.fileParts = {{QByteArray("\x00\x01zip", 5), QStringLiteral("upload")}};
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(!response.failure);
        std::lock_guard lock(seen.mutex);
        QVERIFY(seen.contentType.rfind("multipart/form-data; boundary=", 0) == 0);
        QCOMPARE(seen.fields["name"], std::string("值"));
        QCOMPARE(seen.files["upload"], std::string("\x00\x01zip", 5));
    }

    void sendsOtherMethods_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("GET") << QStringLiteral("GET");
        QTest::newRow("DELETE") << QStringLiteral("DELETE");
    }
    void sendsOtherMethods()
    {
        QFETCH(QString, method);
        const HttpResponse response = HttpClient::perform(requestTo("/", method));
        QVERIFY2(!response.failure, response.failure ? qPrintable(response.failure->detail) : "");
        std::lock_guard lock(seen.mutex);
        QCOMPARE(QString::fromStdString(seen.method), method);
        QCOMPARE(seen.body, std::string());
        QCOMPARE(seen.userAgent, std::string("Qelvo"));
    }

    void decompressesTheBody()
    {
        const HttpResponse response = HttpClient::perform(requestTo("/deflate"));
        QVERIFY(!response.failure);
        QCOMPARE(response.body.size(), 5007);
        QVERIFY(response.body.startsWith("<r>xxx"));
    }

    void reportsStatusWithoutFailure()
    {
        const HttpResponse response = HttpClient::perform(requestTo("/status/404"));
        QVERIFY(!response.failure);
        QCOMPARE(response.status, 404L);
    }

    void classifiesFailures_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("kind");
        const QString closed = QStringLiteral("http://127.0.0.1:") + QString::number(closedLoopbackPort());
        QTest::newRow("closed port") << closed << int(HttpFailureKind::ConnectionFailure);
        QTest::newRow("401") << server.baseUrl() + QStringLiteral("/status/401")
                             << int(HttpFailureKind::Authentication);
        QTest::newRow("407") << server.baseUrl() + QStringLiteral("/status/407")
                             << int(HttpFailureKind::Authentication);
        QTest::newRow("not http") << QStringLiteral("file:///etc/passwd") << int(HttpFailureKind::BadRequest);
        QTest::newRow("no url") << QString() << int(HttpFailureKind::BadRequest);
    }
    void classifiesFailures()
    {
        QFETCH(QString, url);
        QFETCH(int, kind);
        HttpRequest request;
        request.url = url;
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(response.failure);
        QCOMPARE(int(response.failure->kind), kind);
        QVERIFY(response.body.isEmpty());
    }

    void timesOutAfterTheGivenSeconds()
    {
        HttpRequest request = requestTo("/slow");
        request.timeoutSeconds = 1;
        QElapsedTimer clock;
        clock.start();
        const HttpResponse response = HttpClient::perform(request);
        QVERIFY(response.failure);
        QCOMPARE(response.failure->kind, HttpFailureKind::Timeout);
        QVERIFY2(clock.elapsed() < 2400, qPrintable(QString::number(clock.elapsed())));
    }

    void downloadsToFileWithProgress()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("package.zip"));
        QList<QPair<qint64, qint64>> reports;
        const HttpResponse response = HttpClient::download(server.baseUrl() + QStringLiteral("/package.zip"),
                                                           path, 5, [&](qint64 received, qint64 total) {
                                                               reports.append({received, total});
                                                               return true;
                                                           });
        QVERIFY(!response.failure);
        QCOMPARE(response.status, 200L);
        QVERIFY(response.body.isEmpty());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == bigFile);
        QVERIFY(!QFile::exists(path + QStringLiteral(".part")));
        QVERIFY(!reports.isEmpty());
        QCOMPARE(reports.constLast(), qMakePair(bigFile.size(), bigFile.size()));
        for (qsizetype i = 1; i < reports.size(); ++i)
            QVERIFY(reports[i].first >= reports[i - 1].first);
    }

    void failedDownloadLeavesNoFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("kind");
        QTest::addColumn<long>("status");
        QTest::newRow("404") << QStringLiteral("/status/404") << false << -1 << 404L;
        QTest::newRow("cancelled") << QStringLiteral("/package.zip") << true
                                   << int(HttpFailureKind::Cancelled) << 0L;
    }
    void failedDownloadLeavesNoFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, cancel);
        QFETCH(int, kind);
        QFETCH(long, status);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("package.zip"));
        const HttpResponse response =
            HttpClient::download(server.baseUrl() + path, target, 5,
                                 [cancel](qint64 received, qint64) { return !(cancel && received > 0); });
        QCOMPARE(response.failure ? int(response.failure->kind) : -1, kind);
        if (status)
            QCOMPARE(response.status, status);
        QVERIFY(!QFile::exists(target));
        QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    }

    void downloadIntoMissingFolderFails()
    {
        const HttpResponse response = HttpClient::download(server.baseUrl() + QStringLiteral("/package.zip"),
                                                           QStringLiteral("/nonexistent-dir/x.zip"), 5);
        QVERIFY(response.failure);
        QCOMPARE(response.failure->kind, HttpFailureKind::FileError);
    }
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_server_httpclient.moc"

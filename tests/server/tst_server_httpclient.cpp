#include "LoopbackServer.h"
#include "TestRows.h"
#include "server/HttpClient.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <mutex>

using namespace Qt::StringLiterals;

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

class TestHttpClient : public QObject {
    Q_OBJECT
private:
    LoopbackServer server;
    Seen seen;
    QByteArray bigFile;

    HttpRequest requestTo(const char *path, const QString &method = u"GET"_s)
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
        http.Get("/status/(\\d+)", [](const httplib::Request &req, httplib::Response &res) {
            res.status = std::stoi(req.matches[1]);
            res.set_content("nope", "text/plain");
        });
        http.Get("/package.zip", [this](const httplib::Request &, httplib::Response &res) {
            res.set_content(LoopbackServer::bytes(bigFile), "application/zip");
        });
        QVERIFY(server.start());
    }

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
        QTest::newRow("407") << server.baseUrl() + u"/status/407"_s << int(HttpFailureKind::Authentication);
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
        const HttpResponse response = HttpClient::download(server.baseUrl() + u"/package.zip"_s, path, 5,
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
            HttpClient::download(server.baseUrl() + path, target, 5,
                                 [cancel](qint64 received, qint64) { return !(cancel && received > 0); });
        QCOMPARE(response.failure ? int(response.failure->kind) : -1, kind);
        if (status)
            QCOMPARE(response.status, status);
        QVERIFY(!QFile::exists(target) && !QFile::exists(target + u".part"_s));
    }
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_server_httpclient.moc"

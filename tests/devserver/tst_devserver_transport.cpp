// The wire: GB18030 replies, the form encodings, the package download, injected faults, the
// control endpoint, the maker's web service, restarts, the command line and the program itself.
#include "DevServerHarness.h"
#include "ServerOptions.h"
#include "TextCodec.h"
#include "server/TestRows.h"

#include <libxml/parser.h>

#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

void ignoreLibxmlMessage(void *, const char *, ...) {}

bool libxmlReads(const QByteArray &bytes, const char *encoding)
{
    xmlDoc *doc = xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, encoding,
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlFreeDoc(doc);
    return doc != nullptr;
}

struct FaultCase {
    QString query;
    int status; // 0: no answer at all
    bool gb2312Reads, gb18030Reads, carriedOut;
};

const OrderLine kRice = OrderLine::of(u"103"_s, u"米饭"_s, u"1.000000"_s, u"2.000000"_s);

} // namespace

class TestDevServerTransport : public QObject {
    Q_OBJECT

    DevServerHarness server_;

private slots:
    void initTestCase()
    {
        // The strict GB2312 reads below are meant to fail; keep libxml2 from printing about it.
        xmlSetGenericErrorFunc(nullptr, ignoreLibxmlMessage);
        QVERIFY2(server_.startLoggedIn(), qPrintable(server_.lastError()));
    }
    void cleanup() { QCOMPARE(server_.controlPost(u"/__control/faults/clear"_s), 200); }

    void replyIsGb18030DeclaredGb2312()
    {
        const ServerReply reply = server_.login();
        QVERIFY(reply.body.startsWith(
            "<?xml version=\"1.0\" encoding=\"gb2312\"?><ServerReply><ReturnCode>0</ReturnCode>"));
        // 欢迎您(张三) in GB2312: the bytes a GB2312 reader expects.
        QVERIFY(reply.body.contains("<ReturnMsg>\xBB\xB6\xD3\xAD\xC4\xFA(\xD5\xC5\xC8\xFD)</ReturnMsg>"));
        QVERIFY(libxmlReads(reply.body, "GB2312"));
        QVERIFY(!reply.body.contains("\xE6\xAC\xA2")); // no UTF-8 left in it
    }

    void formEncodings_data()
    {
        columns<QByteArray, QByteArray>("body", "contentType");
        const QByteArray xml =
            "<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><Command>LogIn</Command>"
            "<UserID>1002</UserID><UserPassword>456</UserPassword></ClientCommand>";
        QTest::newRow("charset parameter, other field first")
            << "a=1&xmlFile=" + xml.toPercentEncoding()
            << QByteArray("application/x-www-form-urlencoded; charset=UTF-8");
        QTest::newRow("no content type") << "xmlFile=" + xml.toPercentEncoding() << QByteArray();
        const QByteArray multipart =
            "--XyZ\r\nContent-Disposition: form-data; name=\"xmlFile\"\r\n\r\n" + xml + "\r\n--XyZ--\r\n";
        QTest::newRow("multipart") << multipart << QByteArray("multipart/form-data; boundary=XyZ");
    }
    void formEncodings()
    {
        auto [body, contentType] = row<QByteArray, QByteArray>("body", "contentType");
        const ServerReply reply = server_.postRaw(body, contentType);
        QCOMPARE(reply.msg, u"欢迎您(李四)"_s);
    }

    // Served bytes are checked where packages are downloaded and unpacked (CRC-checked).
    void onlyThePackageIsServed()
    {
        QCOMPARE(server_.get(u"/other.zip"_s).status, 404);
        QCOMPARE(server_.get(u"/"_s).status, 404);
    }

    void faults_data()
    {
        QTest::addColumn<FaultCase>("c");
        QTest::newRow("status, carried out")
            << FaultCase{u"kind=status&status=500&execute=1"_s, 500, false, false, true};
        QTest::newRow("not XML") << FaultCase{u"kind=notxml"_s, 200, false, false, false};
        QTest::newRow("GB18030 only") << FaultCase{u"kind=gb18030"_s, 200, false, true, true};
        QTest::newRow("dropped") << FaultCase{u"kind=drop"_s, 0, false, false, false};
    }
    void faults()
    {
        QFETCH(FaultCase, c);
        const auto &[query, status, gb2312Reads, gb18030Reads, carriedOut] = c;
        static int flow = 0;
        const QString desk = u"C%1"_s.arg(++flow, 2, 10, QLatin1Char('0'));
        QCOMPARE(server_.controlPost(u"/__control/faults?command=OrderPack&"_s + query), 200);

        const ServerReply reply = server_.order(desk, u"fault-"_s + desk, {kRice});
        QCOMPARE((QList<int>{reply.answered, reply.status, libxmlReads(reply.body, "GB2312"),
                             libxmlReads(reply.body, "GB18030")}),
                 (QList<int>{status != 0, status, gb2312Reads, gb18030Reads}));
        if (gb18030Reads) {
            QVERIFY(TextCodec::toUtf8(reply.body.toStdString(), "GB18030"));
            QCOMPARE(reply.code, u"0"_s);
        }
        QCOMPARE(server_.saleList(desk).size(), carriedOut ? 1 : 0);

        // Only the next reply was touched; sent again, the order is answered and kept once.
        const ServerReply again = server_.order(desk, u"fault-"_s + desk, {kRice});
        QCOMPARE(again.code, u"0"_s);
        QCOMPARE(server_.saleList(desk).size(), 1);
        const QJsonArray log =
            server_.controlGet(u"/__control/commands?command=OrderPack"_s)[u"commands"_s].toArray();
        QVERIFY(log.size() >= 2);
        QCOMPARE(log[log.size() - 2][u"fault"_s].toString(), query.section(u'&', 0, 0).mid(5));
        QCOMPARE(log.last()[u"fault"_s].toString(), QString());
    }

    void faultCountAndWildcard()
    {
        QCOMPARE(server_.controlPost(u"/__control/faults?command=*&kind=status&status=502&count=2"_s), 200);
        QCOMPARE(server_.command(u"CheckServerStatus"_s).status, 502);
        QCOMPARE(server_.command(u"GetGqFoodList"_s).status, 502);
        QCOMPARE(server_.command(u"CheckServerStatus"_s).status, 200); // the count is used up
        QCOMPARE(server_.controlPost(u"/__control/faults?command=@package&kind=notxml"_s), 200);
        const ServerReply download = server_.get(u"/dcpackage-001.zip"_s);
        QCOMPARE(download.status, 200);
        QVERIFY(!download.body.startsWith("PK") && download.body.size() < 200);
        QCOMPARE(server_.controlPost(u"/__control/faults?command=OrderPack&kind=bogus"_s), 400);
        QCOMPARE(server_.controlPost(u"/__control/faults?command=OrderPack&kind=delay&ms=999999"_s), 400);
        QCOMPARE(server_.controlPost(u"/__control/faults?kind=drop"_s), 400);
    }

    void receivedCommandsAreListed()
    {
        QCOMPARE(server_.controlPost(u"/__control/clear"_s), 200);
        server_.command(u"GetDeskSaleList"_s, u"DeskNo=A01"_s);
        server_.postRaw("junk", "application/x-www-form-urlencoded");
        const QJsonArray all = server_.controlGet(u"/__control/commands"_s)[u"commands"_s].toArray();
        QStringList seen;
        for (const QJsonValue &entry : all)
            for (const QString &key : {u"command"_s, u"deskNo"_s, u"returnCode"_s})
                seen << entry[key].toString();
        QCOMPARE(seen, (QStringList{u"GetDeskSaleList"_s, u"A01"_s, u"0"_s, {}, {}, u"2"_s}));
        QVERIFY(all[0][u"xml"_s].toString().contains(u"<Command>GetDeskSaleList</Command>"_s));
        const QString since = QString::number(all[0][u"seq"_s].toInteger());
        QCOMPARE(server_.controlGet(u"/__control/commands?since="_s + since)[u"commands"_s].toArray().size(),
                 1);
    }

    void restartKeepsStateFreshForgets()
    {
        DevServerHarness server;
        QVERIFY(server.startLoggedIn());
        QCOMPARE(server.order(u"A01"_s, u"keep-1"_s, {kRice}).code, u"0"_s);
        QVERIFY(server.restart());
        QCOMPARE(server.saleList(u"A01"_s).size(), 1);
        QCOMPARE(server.order(u"A01"_s, u"keep-1"_s, {kRice}).code, u"0"_s); // still known after the restart
        QCOMPARE(server.saleList(u"A01"_s).size(), 1);
        QVERIFY(server.restart({}, true));
        QVERIFY(server.saleList(u"A01"_s).isEmpty());
        QCOMPARE(server.deskState(u"A01"_s).value(u"useIndex"_s), u"0"_s);
        QCOMPARE(server.order(u"A01"_s, u"keep-2"_s, {kRice}).msg, u"操作员(1001)未登录，请先登录"_s);
    }

    void commandLine_data()
    {
        columns<QStringList, QString>("arguments", "error");
        const QStringList base = {u"--port"_s,    u"8030"_s,  u"--basedata"_s, u"b"_s,
                                  u"--package"_s, u"p.zip"_s, u"--state"_s,    u"s"_s};
        QTest::newRow("complete") << base << QString();
        QTest::newRow("with stock and fresh")
            << base + QStringList{u"--stock"_s, u"101=3,102=0.5"_s, u"--fresh"_s} << QString();
        QTest::newRow("no state") << base.mid(0, 6) << u"--state is required"_s;
        QTest::newRow("no value") << QStringList{u"--port"_s} << u"--port needs a value"_s;
        QTest::newRow("bad port") << QStringList{u"--port"_s, u"70000"_s}
                                  << u"--port: not a valid number: 70000"_s;
        QTest::newRow("unknown flag") << QStringList{u"--verbose"_s} << u"unknown argument --verbose"_s;
        const QString stockUsage = u"--stock expects FOODNO=QTY,FOODNO=QTY,... but got "_s;
        QTest::newRow("bad stock") << base + QStringList{u"--stock"_s, u"101=,102=1"_s}
                                   << stockUsage + u"101=,102=1"_s;
        QTest::newRow("negative stock")
            << base + QStringList{u"--stock"_s, u"101=-1"_s} << stockUsage + u"101=-1"_s;
    }
    void commandLine()
    {
        auto [arguments, error] = row<QStringList, QString>("arguments", "error");
        std::vector<std::string> argv;
        for (const QString &argument : arguments)
            argv.push_back(argument.toStdString());
        std::string reason;
        const auto options = ServerOptions::parse(argv, reason);
        QCOMPARE(QString::fromStdString(reason), error);
        QCOMPARE(options.has_value(), error.isEmpty());
        if (options && arguments.contains(u"--stock"_s)) {
            QCOMPARE(options->stock.at("102"), 0.5);
            QVERIFY(options->fresh);
            QCOMPARE(options->host, std::string("127.0.0.1"));
        }
    }

    void startFailures()
    {
        DevServer server;
        ServerOptions options;
        options.baseDataFolder = server_.folder().toStdString() + "/nothing-here";
        options.packagePath = server_.packagePath().toStdString();
        options.stateFolder = server_.folder().toStdString() + "/other-state";
        const auto refusal = [&] {
            std::string error;
            return server.start(options, error) ? std::string("started") : error;
        };
        QVERIFY(refusal().find("no PadBaseData.db") != std::string::npos);
        options.baseDataFolder = server_.folder().toStdString() + "/basedata";
        options.stock = {{"555", 1.0}};
        QCOMPARE(refusal(), std::string("--stock: dish 555 is not in the base data"));
        options.stock.clear();
        options.port = server_.port(); // taken
        QCOMPARE(refusal(), "cannot listen on 127.0.0.1:" + std::to_string(server_.port()));
    }

    // The program itself, as the README's run command starts it: the demo base data and package,
    // one log line per command, a clean stop on SIGTERM, a clear refusal of bad arguments.
    void servesTheDemo()
    {
        if (!QFile::exists(DevServerHarness::demoPackage()))
            QSKIP("the demo base data has not been generated");
        DevServerHarness server;
        QVERIFY2(server.startProcess(), qPrintable(server.lastError()));
        QVERIFY2(QRegularExpression(u"^diancai-devserver listening on http://127\\.0\\.0\\.1:\\d+\\n$"_s)
                     .match(server.banner())
                     .hasMatch(),
                 qPrintable(server.banner()));

        const ServerReply status = server.command(u"CheckServerStatus"_s, {}, {});
        QVERIFY(status.code == u"0" && !status.para.value(u"ServerVer"_s).isEmpty());
        QCOMPARE(server.command(u"GetUpFileName"_s, {}, {}).value, std::optional(u"diancai-demo.zip"_s));
        QVERIFY(!server.command(u"GetRoomDeskState"_s, {}, {}).rows.isEmpty());
        QFile zip(DevServerHarness::demoPackage());
        QVERIFY(zip.open(QIODevice::ReadOnly));
        QVERIFY(server.get(u"/diancai-demo.zip"_s).body == zip.readAll());

        QTRY_COMPARE(server.logLines().size(), 4); // three commands and the download
        const QStringList log = server.logLines();
        QVERIFY2(log[0].contains(u" 127.0.0.1 CheckServerStatus -> 0 "_s) &&
                     log[1].contains(u"GetUpFileName -> 0"_s) &&
                     log[2].contains(u"GetRoomDeskState -> 0"_s) &&
                     log[3].contains(u"GET /diancai-demo.zip"_s),
                 qPrintable(log.join(u'\n')));
        QCOMPARE(server.stop(), 0); // SIGTERM ends it cleanly
    }

    void refusesBadArguments()
    {
        QProcess server;
        server.start(QStringLiteral(DEVSERVER_EXE), {u"--port"_s, u"8030"_s});
        QVERIFY(server.waitForFinished(10000));
        QCOMPARE(server.exitCode(), 2);
        const QString errors = QString::fromUtf8(server.readAllStandardError());
        QVERIFY(errors.startsWith(
            u"diancai-devserver: --basedata is required\nusage: diancai-devserver --port PORT"_s));
    }
};

QTEST_GUILESS_MAIN(TestDevServerTransport)
#include "tst_devserver_transport.moc"

// Server communication speed: reading a 1 MB sale-list reply into records against `xmllint --noout`
// on the same bytes, and one request round trip to a loopback server against what
// `curl -w %{time_total}` reports for the same request. Both comparisons run in one process.

#include "foundation/AppPaths.h"
#include "server/CommandMaker.h"
#include "server/Gb18030.h"
#include "server/HttpClient.h"
#include "server/RequestQueue.h"
#include "server/ResponseParser.h"
#include "server/ServerRequest.h"
#include "server/XmlReply.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <httplib.h>

#include <sys/resource.h>

#include <thread>

namespace {

constexpr int kSaleRows = 5700;      // about 1 MB
constexpr int kXmllintRepeats = 100; // what `xmllint --repeat` does

struct Fixture {
    QTemporaryDir dir;
    QByteArray saleList;
    QString saleListPath;
    QString commandBodyPath;
    QByteArray replyBody;
    httplib::Server server;
    std::thread serverThread;
    int port = 0;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Only characters of GB2312, so that xmllint (which honours the declared "gb2312") reads every byte.
QByteArray makeSaleList()
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><Root><ReturnCode>0</ReturnCode>"
                                 "<ReturnMsg>成功</ReturnMsg><ReturnList><Rows>");
    for (int i = 0; i < kSaleRows; ++i) {
        const QString n = QString::number(i);
        xml += QStringLiteral("<Row itemseq=\"") + n + QStringLiteral("\" pluno=\"") +
               QString::number(100000 + i) + QStringLiteral("\" pluName=\"宫保鸡丁") + n +
               QStringLiteral(
                   "\" unitName=\"份\" itemsize=\"大\" saleQty=\"1.00\" SalePrice=\"38.00\" sellWay=\"0\" "
                   "havePrtFlag=\"") +
               (i % 3 ? u'1' : u'2') + QStringLiteral("\" FoodType=\"D\" FlagGroup=\"NY\"/>");
    }
    xml += QStringLiteral("</Rows></ReturnList></Root>");
    return Gb18030::encode(xml);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void setUp()
{
    Fixture &f = fixture();
    AppPaths::setHome(f.dir.path());
    SettingsStore::setShared(
        std::make_shared<IniSettingsStore>(f.dir.filePath(QStringLiteral("settings.ini"))));

    f.saleList = makeSaleList();
    f.saleListPath = f.dir.filePath(QStringLiteral("salelist.xml"));
    writeFile(f.saleListPath, f.saleList);

    f.replyBody =
        Gb18030::encode(QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><Root><ReturnCode>0"
                                       "</ReturnCode><ReturnMsg>成功</ReturnMsg></Root>"));
    f.server.Post("/", [](const httplib::Request &, httplib::Response &res) {
        res.set_content(std::string(fixture().replyBody.constData(), size_t(fixture().replyBody.size())),
                        "text/xml");
    });
    f.port = f.server.bind_to_any_port("127.0.0.1");
    f.serverThread = std::thread([] { fixture().server.listen_after_bind(); });
    while (!f.server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    ConfigManager &config = ConfigManager::defaultManager();
    config.setIp(QStringLiteral("127.0.0.1"));
    config.setPort(QString::number(f.port));
    f.commandBodyPath = f.dir.filePath(QStringLiteral("command.form"));
    writeFile(f.commandBodyPath, HttpClient::formUrlEncode({{QStringLiteral("xmlFile"),
                                                             CommandMaker::checkServerStatus().toString()}}));
}

void tearDown()
{
    fixture().server.stop();
    fixture().serverThread.join();
}

void BM_ParseSaleList(benchmark::State &state)
{
    const QByteArray &data = fixture().saleList;
    qsizetype rows = 0;
    for (auto _ : state) {
        const XmlReply reply(data);
        std::optional<QString> error;
        const auto code = ResponseParser::parseResponseData(reply, QStringLiteral("ReturnCode"), &error);
        const auto list = ResponseParser::parseDeskSaleList(reply, false);
        if (error || code != QStringLiteral("0") || !list) {
            state.SkipWithError("the sale list did not parse");
            return;
        }
        rows = list->size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = double(rows);
    state.SetBytesProcessed(state.iterations() * data.size());
}

void BM_ParseDocumentOnly(benchmark::State &state)
{
    for (auto _ : state) {
        const XmlReply reply(fixture().saleList);
        benchmark::DoNotOptimize(reply.isValid());
    }
}
BENCHMARK(BM_ParseDocumentOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

double childrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// xmllint's own timing of 100 parses (`--timing --repeat`), so its process start-up is not counted.
// Its processor time per parse (from the finished child's usage; start-up spread over 100 parses)
// is the counter "cpu_ms", to compare with the CPU column of BM_ParseSaleList on a busy machine.
void BM_XmllintNoout(benchmark::State &state)
{
    static const QRegularExpression took(QStringLiteral("(\\d+) iterations took (\\d+) ms"));
    double cpuSeconds = 0;
    double parses = 0;
    for (auto _ : state) {
        const double cpuBefore = childrenCpuSeconds();
        QProcess xmllint;
        xmllint.start(QStringLiteral(XMLLINT_PROGRAM), {QStringLiteral("--noout"), QStringLiteral("--timing"),
                                                        QStringLiteral("--repeat"), fixture().saleListPath});
        if (!xmllint.waitForFinished(120000) || xmllint.exitCode() != 0) {
            state.SkipWithError("xmllint failed");
            return;
        }
        const QRegularExpressionMatch m = took.match(QString::fromLocal8Bit(xmllint.readAllStandardError()));
        if (!m.hasMatch()) {
            state.SkipWithError("no timing from xmllint");
            return;
        }
        state.SetIterationTime(m.captured(2).toDouble() / 1000.0 / m.captured(1).toDouble());
        cpuSeconds += childrenCpuSeconds() - cpuBefore;
        parses += m.captured(1).toDouble();
    }
    state.counters["cpu_ms"] = cpuSeconds * 1000.0 / parses;
    state.SetBytesProcessed(state.iterations() * fixture().saleList.size());
}

void BM_ServerRequestRoundTrip(benchmark::State &state)
{
    QSemaphore done;
    bool failed = false;
    for (auto _ : state) {
        auto request = ServerRequest::requestWithCommand(CommandMaker::checkServerStatus());
        request->setResponseBlock([&done](const QByteArray &) { done.release(); });
        request->setErrorBlock([&](const ServerError &) {
            failed = true;
            done.release();
        });
        if (!request->go()) {
            state.SkipWithError("dropped as a duplicate");
            return;
        }
        done.acquire();
        // The request leaves the queue just after its callback; an identical next one would be
        // dropped until then.
        state.PauseTiming();
        while (ServerRequest::sharedQueue().pendingCount() > 0)
            std::this_thread::yield();
        state.ResumeTiming();
    }
    if (failed)
        state.SkipWithError("a request failed");
}

void BM_HttpClientRoundTrip(benchmark::State &state)
{
    HttpRequest request;
    request.url = QStringLiteral("http://127.0.0.1:") + QString::number(fixture().port);
    request.method = QStringLiteral("POST");
    request.formFields = {{QStringLiteral("xmlFile"), CommandMaker::checkServerStatus().toString()}};
    for (auto _ : state) {
        const HttpResponse response = HttpClient::perform(request);
        if (response.failure || response.status != 200) {
            state.SkipWithError("the request failed");
            return;
        }
    }
}

// The same POST by the curl program; its own `time_total` is the iteration time.
void BM_CurlTimeTotal(benchmark::State &state)
{
    const QString url = QStringLiteral("http://127.0.0.1:") + QString::number(fixture().port) + u'/';
    for (auto _ : state) {
        QProcess curl;
        curl.start(QStringLiteral(CURL_PROGRAM),
                   {QStringLiteral("-s"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                    QStringLiteral("-w"), QStringLiteral("%{time_total}"), QStringLiteral("--compressed"),
                    QStringLiteral("-H"), QStringLiteral("Accept-Encoding: gzip, deflate"),
                    QStringLiteral("-A"), QStringLiteral("Qelvo"), QStringLiteral("-H"),
                    QStringLiteral("Content-Type: application/x-www-form-urlencoded"),
                    QStringLiteral("--data-binary"), u'@' + fixture().commandBodyPath, url});
        if (!curl.waitForFinished(30000) || curl.exitCode() != 0) {
            state.SkipWithError("curl failed");
            return;
        }
        state.SetIterationTime(QString::fromLatin1(curl.readAllStandardOutput()).toDouble());
    }
}

} // namespace

BENCHMARK(BM_ParseSaleList)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XmllintNoout)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_ServerRequestRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_HttpClientRoundTrip)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_CurlTimeTotal)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(200);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    setUp();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tearDown();
    return 0;
}

// The program itself, as the README's run command starts it: the demo base data and package,
// one log line per command, a clean stop on SIGTERM, a clear refusal of bad arguments.
#include "DevServerHarness.h"

#include <httplib.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ServerReply postCommand(int port, const QString &command)
{
    const QString xml = u"<?xml version=\"1.0\" encoding=\"gb2312\"?><ClientCommand><DevSerial>00</DevSerial>"
                        u"<PosNo>1</PosNo><CashierID/><Command>"_s +
                        command + u"</Command></ClientCommand>"_s;
    httplib::Client client("127.0.0.1", port);
    const auto result = client.Post("/", "xmlFile=" + xml.toUtf8().toPercentEncoding().toStdString(),
                                    "application/x-www-form-urlencoded");
    return result ? ServerReply::fromBody(result->status, QByteArray::fromStdString(result->body))
                  : ServerReply();
}

} // namespace

class TestDevServerProcess : public QObject {
    Q_OBJECT

private slots:
    void servesTheDemo()
    {
        const QString baseData = qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update"_s;
        const QString package = qEnvironmentVariable("DIANCAI_RESOURCES") + u"/demo/diancai-demo.zip"_s;
        if (!QFile::exists(baseData + u"/PadBaseData.db"_s) || !QFile::exists(package))
            QSKIP("the demo base data has not been generated");
        QTemporaryDir state;
        QProcess server;
        server.start(QStringLiteral(DEVSERVER_EXE), {u"--port"_s, u"0"_s, u"--basedata"_s, baseData,
                                                     u"--package"_s, package, u"--state"_s, state.path()});
        QVERIFY(server.waitForStarted());
        QVERIFY(server.waitForReadyRead(10000));
        const QString banner = QString::fromUtf8(server.readLine());
        const auto match =
            QRegularExpression(u"^diancai-devserver listening on http://127\\.0\\.0\\.1:(\\d+)\\n$"_s)
                .match(banner);
        QVERIFY2(match.hasMatch(), qPrintable(banner));
        const int port = match.captured(1).toInt();

        const ServerReply status = postCommand(port, u"CheckServerStatus"_s);
        QCOMPARE(status.code, u"0"_s);
        QVERIFY(!status.para.value(u"ServerVer"_s).isEmpty());
        QCOMPARE(postCommand(port, u"GetUpFileName"_s).value, std::optional<QString>(u"diancai-demo.zip"_s));
        QVERIFY(!postCommand(port, u"GetRoomDeskState"_s).rows.isEmpty());

        httplib::Client client("127.0.0.1", port);
        const auto download = client.Get("/diancai-demo.zip");
        QVERIFY(download);
        QFile zip(package);
        QVERIFY(zip.open(QIODevice::ReadOnly));
        QVERIFY(QByteArray::fromStdString(download->body) == zip.readAll());

        QTRY_VERIFY(server.bytesAvailable() > 0 &&
                    QString::fromUtf8(server.peek(4096)).contains(u"GetRoomDeskState"_s));
        const QStringList log = QString::fromUtf8(server.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(log.size(), 4); // three commands and the download
        QVERIFY2(log[0].contains(u" 127.0.0.1 CheckServerStatus -> 0 "_s), qPrintable(log[0]));
        QVERIFY(log[1].contains(u"GetUpFileName -> 0"_s));
        QVERIFY(log[2].contains(u"GetRoomDeskState -> 0"_s));
        QVERIFY(log[3].contains(u"GET /diancai-demo.zip"_s));

        server.terminate();
        QVERIFY(server.waitForFinished(10000));
        QCOMPARE(server.exitStatus(), QProcess::NormalExit);
        QCOMPARE(server.exitCode(), 0);
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

QTEST_GUILESS_MAIN(TestDevServerProcess)
#include "tst_devserver_process.moc"

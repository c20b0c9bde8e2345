// The program itself, as the README's run command starts it: the demo base data and package,
// one log line per command, a clean stop on SIGTERM, a clear refusal of bad arguments.
#include "DevServerHarness.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDevServerProcess : public QObject {
    Q_OBJECT

private slots:
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
        QCOMPARE(status.code, u"0"_s);
        QVERIFY(!status.para.value(u"ServerVer"_s).isEmpty());
        QCOMPARE(server.command(u"GetUpFileName"_s, {}, {}).value, std::optional(u"diancai-demo.zip"_s));
        QVERIFY(!server.command(u"GetRoomDeskState"_s, {}, {}).rows.isEmpty());
        QFile zip(DevServerHarness::demoPackage());
        QVERIFY(zip.open(QIODevice::ReadOnly));
        QVERIFY(server.get(u"/diancai-demo.zip"_s).body == zip.readAll());

        QTRY_COMPARE(server.logLines().size(), 4); // three commands and the download
        const QStringList log = server.logLines();
        QVERIFY2(log[0].contains(u" 127.0.0.1 CheckServerStatus -> 0 "_s), qPrintable(log[0]));
        QVERIFY(log[1].contains(u"GetUpFileName -> 0"_s));
        QVERIFY(log[2].contains(u"GetRoomDeskState -> 0"_s));
        QVERIFY(log[3].contains(u"GET /diancai-demo.zip"_s));
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

QTEST_GUILESS_MAIN(TestDevServerProcess)
#include "tst_devserver_process.moc"

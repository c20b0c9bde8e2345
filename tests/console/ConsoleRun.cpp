#include "ConsoleRun.h"

#include <httplib.h>

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpServer>

QStringList ConsoleRun::run(const QString &script)
{
    QProcess console;
    console.start(QStringLiteral(CONSOLE_EXE), {QStringLiteral("--home"), home_.path()});
    if (!console.waitForStarted())
        return {};
    console.write(script.toUtf8());
    console.closeWriteChannel();
    console.waitForFinished(60000);
    exitCode = console.exitStatus() == QProcess::NormalExit ? console.exitCode() : -1;
    QStringList lines = QString::fromUtf8(console.readAllStandardOutput()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

DevServerProcess::~DevServerProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(5000);
    }
}

bool DevServerProcess::start(const QStringList &extraArguments, QString *error)
{
    const QString resources = qEnvironmentVariable("DIANCAI_RESOURCES");
    QStringList arguments{QStringLiteral("--port"),     QStringLiteral("0"),
                          QStringLiteral("--basedata"), resources + QStringLiteral("/update"),
                          QStringLiteral("--package"),  resources + QStringLiteral("/demo/diancai-demo.zip"),
                          QStringLiteral("--state"),    state_.path()};
    process_.start(QStringLiteral(DEVSERVER_EXE), arguments + extraArguments);
    if (!process_.waitForStarted() || !process_.waitForReadyRead(10000)) {
        *error = QStringLiteral("the development server did not start: ") + process_.errorString();
        return false;
    }
    const QString banner = QString::fromUtf8(process_.readLine());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral(":(\\d+)\\s*$")).match(banner);
    port_ = match.hasMatch() ? match.captured(1).toInt() : 0;
    if (port_ <= 0)
        *error = QStringLiteral("no port in: ") + banner;
    return port_ > 0;
}

QJsonObject DevServerProcess::controlGet(const QString &pathAndQuery) const
{
    httplib::Client client("127.0.0.1", port_);
    const auto result = client.Get(pathAndQuery.toStdString());
    if (!result)
        return {};
    return QJsonDocument::fromJson(QByteArray::fromStdString(result->body)).object();
}

int DevServerProcess::controlPost(const QString &pathAndQuery) const
{
    httplib::Client client("127.0.0.1", port_);
    const auto result = client.Post(pathAndQuery.toStdString(), std::string(), "text/plain");
    return result ? result->status : 0;
}

int closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

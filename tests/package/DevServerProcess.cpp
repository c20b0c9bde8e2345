#include "DevServerProcess.h"

#include "server/HttpClient.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTcpServer>
#include <QUrl>

using namespace Qt::StringLiterals;

QString DevServerProcess::demoPackage()
{
    return qEnvironmentVariable("DIANCAI_RESOURCES") + u"/demo/diancai-demo.zip"_s;
}

int DevServerProcess::closedLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort(); // closed when the probe goes
}

bool DevServerProcess::start(const QString &packagePath, const QStringList &extraArguments)
{
    process_.start(QStringLiteral(DEVSERVER_EXE),
                   QStringList{u"--port"_s, u"0"_s, u"--basedata"_s,
                               qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update"_s, u"--package"_s,
                               packagePath, u"--state"_s, state_.path(), u"--fresh"_s} +
                       extraArguments);
    if (!process_.waitForStarted(10000)) {
        error_ = u"cannot start "_s + QStringLiteral(DEVSERVER_EXE);
        return false;
    }
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(10000)) {
            error_ = u"no banner: "_s + QString::fromUtf8(process_.readAllStandardError());
            return false;
        }
    }
    const QString banner = QString::fromUtf8(process_.readLine());
    const auto match = QRegularExpression(u"listening on http://127\\.0\\.0\\.1:(\\d+)"_s).match(banner);
    error_ = u"unexpected banner: "_s + banner;
    port_ = match.captured(1).toInt();
    return match.hasMatch();
}

void DevServerProcess::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

int DevServerProcess::countLogLines(const QString &containing)
{
    log_ += process_.readAllStandardOutput();
    const QByteArray complete = log_.left(log_.lastIndexOf('\n') + 1);
    int count = 0;
    for (const QString &line : QString::fromUtf8(complete).split(u'\n'))
        count += line.contains(containing) ? 1 : 0;
    return count;
}

QJsonObject DevServerProcess::controlGet(const QString &pathAndQuery) const
{
    HttpRequest request;
    request.url = baseUrl() + pathAndQuery;
    return QJsonDocument::fromJson(HttpClient::perform(request).body).object();
}

bool DevServerProcess::controlPost(const QString &pathAndQuery) const
{
    HttpRequest request;
    request.url = baseUrl() + pathAndQuery;
    request.method = u"POST"_s;
    const HttpResponse response = HttpClient::perform(request);
    return !response.failure && response.status == 200;
}

bool DevServerProcess::injectFault(const QString &key, const QString &kindAndMore) const
{
    return controlPost(u"/__control/faults?command="_s + QString::fromLatin1(QUrl::toPercentEncoding(key)) +
                       u"&kind="_s + kindAndMore);
}

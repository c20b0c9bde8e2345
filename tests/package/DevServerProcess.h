#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// diancai-devserver as a child process on a free loopback port (it is started with "--port 0" and
// names the port it took on its first line), serving one package over the demo base data and a
// fresh state folder.
class DevServerProcess {
public:
    ~DevServerProcess() { stop(); }

    // False, with the reason in `error()`, when it did not come up.
    bool start(const QString &packagePath, const QStringList &extraArguments = {});
    void stop();
    QString error() const { return error_; }

    int port() const { return port_; }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:") + QString::number(port_); }

    // How many log lines (one per command and per package download) received so far hold the text.
    int countLogLines(const QString &containing);

    QJsonObject controlGet(const QString &pathAndQuery) const;
    bool controlPost(const QString &pathAndQuery) const;
    // "POST /__control/faults?command=KEY&kind=KIND..." in one call.
    bool injectFault(const QString &key, const QString &kindAndMore) const;

    static QString demoPackage();
    // A loopback port that nothing listens on.
    static int closedLoopbackPort();

private:
    QProcess process_;
    QTemporaryDir state_;
    QByteArray log_;
    int port_ = 0;
    QString error_;
};

#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// diancai-devserver as a child process on a free loopback port (it is started with "--port 0" and
// names the port it took on its first line), serving one package, with the demo base data as its
// catalogue and a fresh state folder. Its log lines are collected as they arrive.
class DevServerProcess {
public:
    DevServerProcess() = default;
    ~DevServerProcess();
    DevServerProcess(const DevServerProcess &) = delete;
    DevServerProcess &operator=(const DevServerProcess &) = delete;

    // False, with the reason in `error()`, when it did not come up.
    bool start(const QString &packagePath, const QStringList &extraArguments = {});
    void stop();
    QString error() const { return error_; }

    int port() const { return port_; }
    QString baseUrl() const;

    // Log lines received so far (one per command and per package download).
    QStringList logLines();
    int countLogLines(const QString &containing);

    // The control endpoint.
    QJsonObject controlGet(const QString &pathAndQuery) const;
    bool controlPost(const QString &pathAndQuery) const;
    // "POST /__control/faults?command=KEY&kind=KIND..." in one call.
    bool injectFault(const QString &key, const QString &kindAndMore) const;

    // The demo's shipped base data, the catalogue the server reads.
    static QString demoBaseData();
    static QString demoPackage();
    // A loopback port that nothing listens on.
    static int closedLoopbackPort();

private:
    QProcess process_;
    QTemporaryDir state_;
    QStringList lines_;
    QByteArray pending_;
    int port_ = 0;
    QString error_;
};

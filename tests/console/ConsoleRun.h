#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// diancai-console run over scripts in a home of its own that lives as long as this object.
class ConsoleRun {
public:
    // The lines of standard output; the exit code goes to `exitCode`.
    QStringList run(const QString &script);
    QString home() const { return home_.path(); }
    int exitCode = -1;

private:
    QTemporaryDir home_;
};

// diancai-devserver with the demo base data, started as a child process on a free loopback port.
class DevServerProcess {
public:
    ~DevServerProcess();
    // False (with `error`) when the server could not start or named no port.
    bool start(const QStringList &extraArguments, QString *error);
    int port() const { return port_; }

    QJsonObject controlGet(const QString &pathAndQuery) const;
    int controlPost(const QString &pathAndQuery) const;

private:
    QProcess process_;
    QTemporaryDir state_;
    int port_ = 0;
};

// A loopback port that nothing listens on (it was free a moment ago).
int closedPort();

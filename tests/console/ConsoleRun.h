#pragma once

#include "DevServerHarness.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// diancai-console run over scripts in a home of its own that lives as long as this object.
class ConsoleRun {
public:
    // The lines of standard output; the exit code goes to `exitCode`.
    QStringList run(const QString &script)
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
    QString home() const { return home_.path(); }
    int exitCode = -1;

private:
    QTemporaryDir home_;
};

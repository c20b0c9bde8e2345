#include "ConsoleRun.h"

#include <QProcess>

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

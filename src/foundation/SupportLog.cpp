#include "SupportLog.h"

#include "LogCategories.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>

#include <cstdio>

namespace {
const QString kFileName = QStringLiteral("diancai.log");
const QString kRunMark = QStringLiteral("running");

struct LogState {
    QMutex mutex;
    QString folder;
    SupportLog::Limits limits;
    QFile file;
    QtMessageHandler previous = nullptr;
};

LogState &state()
{
    static LogState log;
    return log;
}

QString rotatedName(const QString &folder, int index)
{
    return QDir(folder).filePath(index == 0 ? kFileName : kFileName + u'.' + QString::number(index));
}

const char *levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "error";
    case QtFatalMsg:
        return "fatal";
    }
    return "?";
}

// Under the mutex: moves diancai.log to .1, .1 to .2, ..., dropping the oldest.
void rotate(LogState &log)
{
    log.file.close();
    QFile::remove(rotatedName(log.folder, log.limits.files - 1));
    for (int i = log.limits.files - 2; i >= 0; --i)
        QFile::rename(rotatedName(log.folder, i), rotatedName(log.folder, i + 1));
    log.file.open(QIODevice::WriteOnly | QIODevice::Append);
}

void writeLine(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    LogState &log = state();
    {
        const QMutexLocker lock(&log.mutex);
        if (log.file.isOpen()) {
            const QByteArray line =
                QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8() +
                ' ' + levelName(type) + ' ' + (context.category ? context.category : "default") + ": " +
                message.toUtf8().replace('\n', ' ') + '\n';
            if (log.file.size() + line.size() > log.limits.fileBytes && log.file.size() > 0)
                rotate(log);
            log.file.write(line);
            log.file.flush();
        }
    }
    if (log.previous)
        log.previous(type, context, message);
}
} // namespace

namespace SupportLog {

QString folderIn(const QString &home)
{
    return QDir(home).filePath(QStringLiteral("log"));
}

void start(const QString &folder, Limits limits)
{
    LogState &log = state();
    QDir().mkpath(folder);
    const QString mark = QDir(folder).filePath(kRunMark);
    const bool previousRunCut = QFile::exists(mark);
    {
        const QMutexLocker lock(&log.mutex);
        log.folder = folder;
        log.limits = limits;
        log.file.close();
        log.file.setFileName(rotatedName(folder, 0));
        log.file.open(QIODevice::WriteOnly | QIODevice::Append);
        if (!log.previous)
            log.previous = qInstallMessageHandler(writeLine);
    }
    if (previousRunCut)
        qCWarning(lcApp) << "the previous run ended without stopping (a crash, a kill or a power cut)";
    QFile markFile(mark);
    if (markFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        markFile.write(QByteArray::number(QCoreApplication::applicationPid()));
    qCInfo(lcApp).noquote() << "start" << QCoreApplication::applicationName()
                            << QCoreApplication::applicationVersion() << "pid"
                            << QCoreApplication::applicationPid();
}

void stop()
{
    LogState &log = state();
    qCInfo(lcApp).noquote() << "stop" << QCoreApplication::applicationName();
    const QMutexLocker lock(&log.mutex);
    if (log.folder.isEmpty())
        return;
    QFile::remove(QDir(log.folder).filePath(kRunMark));
    log.file.close();
    qInstallMessageHandler(log.previous);
    log.previous = nullptr;
    log.folder.clear();
}

QStringList lastLines(const QString &folder, int count)
{
    QStringList lines;
    for (int i = 0; lines.size() < count; ++i) {
        QFile file(rotatedName(folder, i));
        if (!file.open(QIODevice::ReadOnly))
            break;
        QStringList fileLines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        fileLines.append(lines);
        lines = std::move(fileLines);
    }
    return lines.mid(qMax(0, int(lines.size()) - count));
}

} // namespace SupportLog

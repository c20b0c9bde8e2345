#include "foundation/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QStandardPaths>

namespace {
QMutex mutex;
QString homeDir;
QString resourceDir;
} // namespace

namespace AppPaths {

void initHome(const QStringList &arguments)
{
    QString dir;
    const qsizetype at = arguments.indexOf(QStringLiteral("--home"));
    if (at >= 0 && at + 1 < arguments.size())
        dir = arguments.at(at + 1);
    if (dir.isEmpty())
        dir = qEnvironmentVariable("DIANCAI_HOME");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    setHome(dir);
}

void setHome(const QString &dir)
{
    const QString absolute = QDir(dir).absolutePath();
    QDir().mkpath(absolute);
    QMutexLocker lock(&mutex);
    homeDir = absolute;
}

QString home()
{
    {
        QMutexLocker lock(&mutex);
        if (!homeDir.isEmpty())
            return homeDir;
    }
    initHome({});
    QMutexLocker lock(&mutex);
    return homeDir;
}

QString resourcesDir()
{
    QMutexLocker lock(&mutex);
    if (resourceDir.isEmpty()) {
        resourceDir = qEnvironmentVariable("DIANCAI_RESOURCES");
        if (resourceDir.isEmpty())
            resourceDir = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/diancai"))
                              .absolutePath();
    }
    return resourceDir;
}

void setResourcesDir(const QString &dir)
{
    QMutexLocker lock(&mutex);
    resourceDir = QDir(dir).absolutePath();
}

QString resourcePath(const QString &name)
{
    return resourcesDir() + u'/' + name;
}

} // namespace AppPaths

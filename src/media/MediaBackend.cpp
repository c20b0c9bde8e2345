#include "media/MediaBackend.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QStringList>

namespace {
bool pluginInstalled(const QString &backend)
{
    if (backend.isEmpty())
        return false;
    QStringList roots = QCoreApplication::libraryPaths();
    roots.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    for (const QString &root : std::as_const(roots)) {
        if (QFile::exists(root + QStringLiteral("/multimedia/lib") + backend +
                          QStringLiteral("mediaplugin.so")))
            return true;
    }
    return false;
}
} // namespace

namespace MediaBackend {

void chooseDefault()
{
    // Whoever calls first decides; the plugin folders are searched once per process.
    static const bool chosenOnce = [] {
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND") && pluginInstalled(QStringLiteral("ffmpeg")))
            qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
        return true;
    }();
    Q_UNUSED(chosenOnce);
}

QString chosen()
{
    const QString backend = qEnvironmentVariable("QT_MEDIA_BACKEND");
    return pluginInstalled(backend) ? backend : QString();
}

} // namespace MediaBackend

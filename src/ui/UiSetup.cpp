#include "UiSetup.h"

#include "ImageStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QQmlEngine>
#include <QQuickStyle>

namespace {
bool mediaPluginInstalled(const QString &backend)
{
    if (backend.isEmpty())
        return false;
    QStringList roots = QCoreApplication::libraryPaths();
    roots.append(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    for (const QString &root : std::as_const(roots))
        if (QFile::exists(root + QStringLiteral("/multimedia/lib") + backend +
                          QStringLiteral("mediaplugin.so")))
            return true;
    return false;
}
} // namespace

namespace UiSetup {

void chooseMediaBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND") && mediaPluginInstalled(QStringLiteral("ffmpeg")))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

QString mediaBackend()
{
    const QString chosen = qEnvironmentVariable("QT_MEDIA_BACKEND");
    return mediaPluginInstalled(chosen) ? chosen : QString();
}

void prepareApplication()
{
    QQuickStyle::setStyle(QStringLiteral("Material"));
    QFont font(kFontFamily);
    font.setPixelSize(18);
    QGuiApplication::setFont(font);
}

void prepareEngine(QQmlEngine &engine)
{
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    if (!engine.imageProvider(ImageStore::kProviderId))
        engine.addImageProvider(ImageStore::kProviderId, new StoredImageProvider);
}

QUrl viewUrl(const QString &fileName)
{
    return QUrl(QStringLiteral("qrc:/qt/qml/Diancai/Ui/") + fileName);
}

} // namespace UiSetup

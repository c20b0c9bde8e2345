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

namespace UiSetup {

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

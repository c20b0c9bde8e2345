#pragma once

#include <QString>
#include <QUrl>

class QQmlEngine;

// What the views need from the application and from each QML engine.
namespace UiSetup {
inline const QString kFontFamily = QStringLiteral("WenQuanYi Micro Hei");
inline const QString kModuleUri = QStringLiteral("Diancai.Ui");


// The Material style and the Chinese font. Call once the QGuiApplication exists, before an engine
// loads a view.
void prepareApplication();
// The module's import path and the picture provider.
void prepareEngine(QQmlEngine &engine);
// A view file of the module, e.g. "Main.qml".
QUrl viewUrl(const QString &fileName);
} // namespace UiSetup

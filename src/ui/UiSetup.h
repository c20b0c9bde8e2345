#pragma once

#include <QString>
#include <QUrl>

class QQmlEngine;

// What the views need from the application and from each QML engine.
namespace UiSetup {
inline const QString kFontFamily = QStringLiteral("WenQuanYi Micro Hei");
inline const QString kModuleUri = QStringLiteral("Diancai.Ui");

// Before the QGuiApplication and before any sound or video: chooses the FFmpeg multimedia backend
// when it is installed and none is chosen in QT_MEDIA_BACKEND. Qt's default, GStreamer, crashes
// the process when GStreamer's own plugins are incomplete.
void chooseMediaBackend();
// The multimedia backend chosen for the process (QT_MEDIA_BACKEND) when its plugin is installed;
// empty when none is chosen, and the video screen then only lists the videos.
QString mediaBackend();

// The Material style and the Chinese font. Call once the QGuiApplication exists, before an engine
// loads a view.
void prepareApplication();
// The module's import path and the picture provider.
void prepareEngine(QQmlEngine &engine);
// A view file of the module, e.g. "Main.qml".
QUrl viewUrl(const QString &fileName);
} // namespace UiSetup

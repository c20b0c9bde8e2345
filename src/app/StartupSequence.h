#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QQmlApplicationEngine;

// The terminal's start-up, in its order: the app home, the process-wide managers and settings, the
// grid layout, the string table (without notice), then the main window with the home screen at
// the root of the screen stack.
namespace StartupSequence {
// Application name, organisation and version, before anything reads a path.
void setApplicationNames();
// Every step before the window. `arguments` are the program's (for --home).
void prepareServices(const QStringList &arguments);
// Takes up the order an earlier run left unsent and keeps every later change; once the notices
// can be shown (after the window, or at once without one).
void adoptKeptOrder();
// The 1024 x 768 main window. Needs a QGuiApplication. Null when the window could not be built;
// the reason is then in the log.
// `fullscreen`: the whole screen without window decorations, as a tablet kiosk runs; otherwise
// the 1024 x 768 window.
std::unique_ptr<QQmlApplicationEngine> showMainWindow(bool fullscreen = false);

// Whether a window can be shown: a display server is named, or a platform was chosen
// (QT_QPA_PLATFORM or -platform, e.g. "offscreen").
bool displayAvailable(const QStringList &arguments);
// What to do without a display.
QString noDisplayHint();
// The text of `diancai --help`, and of `--version` (ProgramHelp.cpp, in the program only).
QString usage();
QString versionText();
// The settings and paths the terminal starts with, for --headless.
QString describe();
} // namespace StartupSequence

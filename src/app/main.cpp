// The terminal: the start-up sequence, then the main window until it is closed.
// `--headless` runs the start-up without a window and prints the settings it found; `--help` and
// `--version` answer without a display.
#include "StartupSequence.h"

#include "foundation/SupportLog.h"

#include "media/MediaBackend.h"
#include "media/SoundManager.h"
#include "order/OrderManager.h"
#include "order/TaskManager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QTextStream>
#include <QtQml/QQmlExtensionPlugin>

// The views: the static QML module Diancai.Ui (tests import it the same way).
Q_IMPORT_QML_PLUGIN(Diancai_UiPlugin)

namespace {
QStringList rawArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int runHeadless(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    StartupSequence::setApplicationNames();
    StartupSequence::prepareServices(app.arguments());
    StartupSequence::adoptKeptOrder();
    QTextStream(stdout) << StartupSequence::describe();
    SoundManager::resetDefaultManager();
    SupportLog::stop();
    return 0;
}
} // namespace

int main(int argc, char *argv[])
{
    const QStringList arguments = rawArguments(argc, argv);
    // Answered before anything starts: they need no display and touch no home.
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        QTextStream(stdout) << StartupSequence::usage();
        return 0;
    }
    if (arguments.contains(QStringLiteral("--version"))) {
        QTextStream(stdout) << StartupSequence::versionText();
        return 0;
    }
    MediaBackend::chooseDefault();
    if (arguments.contains(QStringLiteral("--headless")))
        return runHeadless(argc, argv);
    // Without a display the platform plugin would abort with a message that does not say what to do.
    if (!StartupSequence::displayAvailable(arguments)) {
        QTextStream(stderr) << StartupSequence::noDisplayHint();
        return 2;
    }

    QGuiApplication app(argc, argv);
    StartupSequence::setApplicationNames();
    StartupSequence::prepareServices(app.arguments());
    const bool fullscreen = arguments.lastIndexOf(QStringLiteral("--fullscreen")) >
                            arguments.lastIndexOf(QStringLiteral("--windowed"));
    const std::unique_ptr<QQmlApplicationEngine> engine = StartupSequence::showMainWindow(fullscreen);
    if (!engine) {
        QTextStream(stderr) << "diancai: the main window could not be built; see the messages above.\n";
        return 1;
    }
    StartupSequence::adoptKeptOrder();
    const int status = app.exec();
    OrderManager::defaultManager().waitUntilKept();
    // A thumbnail still being made would load picture plugins while the application goes.
    TaskManager::defaultManager().waitForDone();
    // The sound manager's players must go while the application object still exists.
    SoundManager::resetDefaultManager();
    SupportLog::stop();
    return status;
}

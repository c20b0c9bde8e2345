#include "StartupSequence.h"

#include "foundation/AppPaths.h"
#include "media/MediaBackend.h"
#include "media/SoundManager.h"
#include "order/OrderManager.h"
#include "server/NetworkChecker.h"
#include "settings/ConfigManager.h"
#include "settings/DataFolder.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "toolkit/PopViewManager.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/PopupFactories.h"
#include "ui/shell/UiSetup.h"

#include <QCoreApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

namespace StartupSequence {

void setApplicationNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("diancai"));
    QCoreApplication::setOrganizationName(QStringLiteral("diancai"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DIANCAI_VERSION));
}

void prepareServices(const QStringList &arguments)
{
    AppPaths::initHome(arguments);

    // The process-wide managers, created once here rather than by whoever asks first.
    PopViewManager::defaultManager();
    OrderManager::defaultManager().genNewPack();
    ConfigManager &config = ConfigManager::defaultManager();

    NetworkChecker::sharedInstance().check();
    // Before any multimedia object exists; the sound manager's creation runs its setup.
    MediaBackend::chooseDefault();
    SoundManager::defaultManager();

    LayoutManger::defaultManager().restore();
    LanguageManager::defaultManager().loadLanguage(config.languageCode(), false);
}

std::unique_ptr<QQmlApplicationEngine> showMainWindow()
{
    UiSetup::prepareApplication();
    NoticeBoard::instance().install();
    PopupFactories::registerAll(PopViewManager::defaultManager());

    auto engine = std::make_unique<QQmlApplicationEngine>();
    UiSetup::prepareEngine(*engine);
    engine->load(UiSetup::viewUrl(QStringLiteral("Main.qml")));
    if (engine->rootObjects().isEmpty() || !qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst()))
        return nullptr;
    return engine;
}

bool displayAvailable(const QStringList &arguments)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || arguments.contains(QStringLiteral("-platform")))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QString noDisplayHint()
{
    return QStringLiteral(
        "diancai: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "  Run it under a virtual display:  apt-get install xvfb && xvfb-run -a scripts/run.sh\n"
        "  Or without a window:             QT_QPA_PLATFORM=offscreen scripts/run.sh\n"
        "  Or only check the set-up:        diancai --headless\n");
}

QString describe()
{
    ConfigManager &config = ConfigManager::defaultManager();
    QString text;
    text += QStringLiteral("diancai ") + QCoreApplication::applicationVersion() + u'\n';
    text += QStringLiteral("home:      ") + AppPaths::home() + u'\n';
    text += QStringLiteral("resources: ") + AppPaths::resourcesDir() + u'\n';
    text += QStringLiteral("server:    ") +
            config.getServerAddress().value_or(QStringLiteral("(no address)")) + u'\n';
    text += QStringLiteral("terminal:  ") + config.posNum() + u'\n';
    text += QStringLiteral("language:  ") + config.languageCode() + u'\n';
    text += QStringLiteral("data:      ") + DataFolder::path() + u'\n';
    text += QStringLiteral("database:  ") + config.getDatabasePath() + u'\n';
    text += QStringLiteral("pictures:  ") + config.getBigPicPath() + u'\n';
    return text;
}

} // namespace StartupSequence

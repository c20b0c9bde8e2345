#include "StartupSequence.h"

#include "foundation/AppPaths.h"
#include "foundation/SupportLog.h"
#include "media/SoundManager.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "order/Outbox.h"
#include "server/NetworkChecker.h"
#include "services/Services.h"
#include "settings/ConfigManager.h"
#include "settings/DataFolder.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "storage/DBManager.h"
#include "toolkit/PopViewManager.h"
#include "ui/shell/NoticeBoard.h"
#include "ui/shell/PopupFactories.h"
#include "ui/shell/UiSetup.h"

#include <QCoreApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScreen>

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
    SupportLog::start(SupportLog::folderIn(AppPaths::home()));

    // The process-wide managers, created once here rather than by whoever asks first.
    PopViewManager::defaultManager();
    OrderManager::defaultManager().genNewPack();
    ConfigManager &config = ConfigManager::defaultManager();

    NetworkChecker::sharedInstance().check();
    // main chose the media backend before any multimedia object could exist.
    SoundManager::defaultManager();

    LayoutManger::defaultManager().restore();
    LanguageManager::defaultManager().loadLanguage(config.languageCode(), false);
    Services::startForThisProcess();
}

void adoptKeptOrder()
{
    OrderManager::defaultManager().adoptKeptOrder(std::make_shared<OrderKeeper>(DBManager::mainDBPath()));
    // What an earlier run queued goes out by itself, from the same database.
    Outbox::defaultOutbox().resume();
}

std::unique_ptr<QQmlApplicationEngine> showMainWindow(bool fullscreen)
{
    UiSetup::prepareApplication();
    NoticeBoard::instance().install();
    PopupFactories::registerAll(PopViewManager::defaultManager());

    auto engine = std::make_unique<QQmlApplicationEngine>();
    UiSetup::prepareEngine(*engine);
    engine->load(UiSetup::viewUrl(QStringLiteral("Main.qml")));
    auto *window = engine->rootObjects().isEmpty() ? nullptr
                                                   : qobject_cast<QQuickWindow *>(engine->rootObjects().constFirst());
    if (!window)
        return nullptr;
    if (fullscreen) {
        // Also sized by hand: without a window manager (a kiosk session) nothing else would.
        window->setFlag(Qt::FramelessWindowHint);
        window->setGeometry(window->screen()->geometry());
        window->showFullScreen();
    }
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

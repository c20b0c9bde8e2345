// Commands for the settings and for everything that talks to the ordering server.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "foundation/UserNotice.h"
#include "order/OrderSendChecks.h"
#include "order/OrderSender.h"
#include "order/TaskManager.h"
#include "server/ActGuQing.h"
#include "server/NetworkChecker.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/ConfigKeys.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"

#include <QObject>

#include <atomic>
#include <memory>

namespace {

// The settings screen's keys, and the login state that a script may set too.
bool isSettingsKey(const QString &key)
{
    static const QStringList loginKeys = {Key::IsLogin, Key::AccountId, Key::AccountName};
    return ConfigKeys::all().contains(key) || loginKeys.contains(key);
}

// The running program follows a changed setting at once, as after the settings screen's save.
void applySettings(const QString &changedKey)
{
    // The background tasks read the settings (the total's visibility): let them finish first.
    TaskManager::defaultManager().waitForDone();
    ConfigManager &config = ConfigManager::defaultManager();
    config.restore();
    if (changedKey == Key::Ip || changedKey == Key::Port)
        NetworkChecker::sharedInstance().check();
    if (changedKey == Key::LanguageCode)
        LanguageManager::defaultManager().loadLanguage(config.languageCode());
}
} // namespace

void ConsoleSession::server(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "server IP PORT"))
        return;
    bool portOk = false;
    const int port = args.at(1).toInt(&portOk);
    if (!NetworkChecker::parseIpv4(args.at(0)) || !portOk || port < 1 || port > 65535) {
        ConsoleOutput::error(QStringLiteral("not an IPv4 address and port: ") + args.join(u' '));
        return;
    }
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::Ip, args.at(0));
    store.setValue(Key::Port, args.at(1));
    applySettings(Key::Ip);
}

void ConsoleSession::set(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "set KEY VALUE"))
        return;
    if (!isSettingsKey(args.at(0))) {
        ConsoleOutput::error(QStringLiteral("not a settings key: ") + args.at(0));
        return;
    }
    SettingsStore::shared().setValue(args.at(0), args.at(1));
    applySettings(args.at(0));
}

void ConsoleSession::save(const QStringList &args)
{
    if (requireArgs(args, 0, 0, "save"))
        SettingsStore::shared().sync();
}

void ConsoleSession::login(const QStringList &args)
{
    if (!requireArgs(args, 2, 2, "login ID PASSWORD"))
        return;
    if (args.at(0).isEmpty() || args.at(1).isEmpty()) {
        ConsoleOutput::error(localised(QStringLiteral("用户名或密码不能为空")));
        return;
    }
    // The observers go with `waiting` at the end of the command: a late answer reaches nobody.
    bool answered = false;
    QObject waiting;
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(&waiting, Notify::NotificationLoginOk, [&answered](const Notification &notification) {
        ConsoleOutput::ok(notification.object.toString());
        answered = true;
    });
    center.addObserver(&waiting, Notify::NotificationLoginFailed,
                       [&answered](const Notification &notification) {
                           ConsoleOutput::error(notification.object.toString());
                           answered = true;
                       });
    Services::installed().staff->logIn(args.at(0), args.at(1));
    if (!waitFor([&answered] { return answered; }, exchangeWaitMs(1)))
        ConsoleOutput::error(QStringLiteral("no answer to the login"));
}

void ConsoleSession::logout(const QStringList &args)
{
    if (requireArgs(args, 0, 0, "logout"))
        Services::installed().staff->logOut();
}

// The order list's checks before a send, in its order; the pop-ups it would open instead (login,
// table chooser, guest count) become errors that name what is missing.
void ConsoleSession::send(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "send") || !requireLogin())
        return;
    using OrderSendChecks::Stop;
    const Stop stop = OrderSendChecks::check(orders());
    if (stop == Stop::AskTableState || stop == Stop::ChooseTable) {
        ConsoleOutput::error(localised(QStringLiteral("请选择桌台")));
        return;
    }
    if (stop != Stop::None) {
        ConsoleOutput::error(OrderSendChecks::message(stop));
        return;
    }
    UserNotice::showProgress(QString());
    // Shared with the completion, which may come after this command has given up and ended.
    auto outcome = std::make_shared<std::optional<OrderSender::Outcome>>();
    OrderSender::defaultSender().send([outcome](OrderSender::Outcome result) { *outcome = result; });
    if (!waitFor([outcome] { return outcome->has_value(); }, exchangeWaitMs(2)))
        ConsoleOutput::error(QStringLiteral("the send has not ended"));
}

void ConsoleSession::soldout(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "soldout"))
        return;
    ActGuQing &poller = ActGuQing::sharedInstance();
    // Told on a request worker, possibly after this command has given up.
    auto read = std::make_shared<std::atomic<int>>(-1);
    poller.loadGuQingList([read](bool listRead) { *read = listRead ? 1 : 0; });
    if (!waitFor([read] { return *read >= 0; }, exchangeWaitMs(1)))
        ConsoleOutput::error(QStringLiteral("the sold-out poll has not ended"));
    else if (*read == 0)
        ConsoleOutput::error(QStringLiteral("the sold-out list was not read; the last one read stays"));
    TaskManager::defaultManager().waitForDone();
    settle();
    const std::shared_ptr<const ActGuQing::SoldOutMap> soldOut = poller.dictGuqing();
    ConsoleOutput::row(soldOut ? soldOut->keys() : QStringList());
}

#include "server/LoginManager.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "server/CommandMaker.h"
#include "server/ServerError.h"
#include "server/ServerExchange.h"
#include "settings/LanguageManager.h"
#include "settings/LoginState.h"

LoginManager &LoginManager::defaultManager()
{
    static LoginManager manager;
    return manager;
}

bool LoginManager::isLogin()
{
    return LoginState::isLogin();
}

QString LoginManager::accountId()
{
    return LoginState::accountId();
}

QString LoginManager::accountName()
{
    return LoginState::accountName();
}

QString LoginManager::loginTitle()
{
    return accountName() + u'(' + accountId() + u')';
}

QString LoginManager::operatorName(const std::optional<QString> &returnMsg)
{
    if (!returnMsg)
        return {};
    const qsizetype close = returnMsg->indexOf(u')');
    if (close < 0)
        return {};
    const QString beforeClose = returnMsg->left(close);
    const qsizetype open = beforeClose.indexOf(u'(');
    if (open < 0)
        return {};
    return beforeClose.mid(open + 1);
}

void LoginManager::handleLoginReply(const QString &userId, const ServerReply &reply)
{
    if (!reply.readable) {
        PostNotificationInMainThread(Notify::NotificationLoginFailed, localised(QStringLiteral("登录失败")));
        return;
    }
    if (!reply.isAccepted()) {
        PostNotificationInMainThread(Notify::NotificationLoginFailed, reply.message);
        return;
    }
    LoginState::setLoggedIn(userId, operatorName(reply.message));
    PostNotificationInMainThread(Notify::NotificationLoginOk, reply.message);
}

void LoginManager::loginWithUserId(const QString &userId, const QString &password)
{
    // The same login still on its way (a double tap) is not sent again: its outcome has not been
    // posted yet (the queue retires a request before its outcome), and the notification it posts
    // reaches every observer, so it answers this call too. The login pop-up shows its own indicator.
    ServerExchange::sendQuietly(
        nullptr, CommandMaker::loginCommandWithUserId(userId, password),
        [userId](const ServerReply &reply) { handleLoginReply(userId, reply); },
        [](const ServerError &error) {
            PostNotificationInMainThread(Notify::NotificationLoginFailed, error.description());
        },
        ServerExchange::Indicator::None);
}

void LoginManager::logout()
{
    LoginState::setLoggedOut();
    PostNotificationInMainThread(Notify::NotificationLogout);
}

#include "server/LoginManager.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "server/CommandMaker.h"
#include "server/ResponseParser.h"
#include "server/ServerRequest.h"
#include "server/XmlReply.h"
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

void LoginManager::handleLoginReply(const QString &userId, const QByteArray &reply)
{
    const XmlReply parsed(reply);
    std::optional<QString> error;
    const std::optional<QString> code =
        ResponseParser::parseResponseData(parsed, QStringLiteral("ReturnCode"), &error);
    const std::optional<QString> message =
        ResponseParser::parseResponseData(parsed, QStringLiteral("ReturnMsg"));
    if (error) {
        PostNotificationInMainThread(
            Notify::NotificationLoginFailed,
            LanguageManager::defaultManager().readString(QStringLiteral("登录失败")));
        return;
    }
    if (code != QStringLiteral("0")) {
        PostNotificationInMainThread(Notify::NotificationLoginFailed, message.value_or(QString()));
        return;
    }
    LoginState::setLoggedIn(userId, operatorName(message));
    PostNotificationInMainThread(Notify::NotificationLoginOk, message.value_or(QString()));
}

void LoginManager::loginWithUserId(const QString &userId, const QString &password)
{
    auto request = ServerRequest::requestWithCommand(CommandMaker::loginCommandWithUserId(userId, password));
    request->setResponseBlock([userId](const QByteArray &body) { handleLoginReply(userId, body); });
    request->setErrorBlock([](const ServerError &error) {
        PostNotificationInMainThread(Notify::NotificationLoginFailed, error.description());
    });
    // The same login still on its way (a double tap) is not sent again: its outcome has not been
    // posted yet (the queue retires a request before its outcome), and the notification it posts
    // reaches every observer, so it answers this call too.
    request->go();
}

void LoginManager::logout()
{
    LoginState::setLoggedOut();
    PostNotificationInMainThread(Notify::NotificationLogout);
}

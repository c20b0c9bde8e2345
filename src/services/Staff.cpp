#include "Staff.h"

#include "Catalogue.h"
#include "foundation/UserNotice.h"
#include "server/CommandMaker.h"
#include "server/LoginManager.h"
#include "server/ServerExchange.h"
#include "server/SupportChecker.h"
#include "settings/LanguageManager.h"

Staff::Staff(const Catalogue &catalogue) : catalogue_(catalogue) {}

bool Staff::isLoggedIn() const
{
    return LoginManager::isLogin();
}

QString Staff::loggedInId() const
{
    return LoginManager::accountId();
}

QString Staff::loggedInName() const
{
    return LoginManager::accountName();
}

QString Staff::loggedInTitle() const
{
    return LoginManager::loginTitle();
}

void Staff::logIn(const QString &id, const QString &password)
{
    LoginManager::defaultManager().loginWithUserId(id, password);
}

void Staff::logOut()
{
    LoginManager::defaultManager().logout();
}

void Staff::changePassword(QObject *owner, const QString &newPassword, std::function<void()> onChanged)
{
    ServerExchange::send(owner, CommandMaker::changePassword(loggedInId(), newPassword),
                         [onChanged](const ServerReply &reply) {
                             if (!reply.isAccepted()) {
                                 ServerExchange::showRefusal(reply);
                                 return;
                             }
                             UserNotice::success(reply.message.isEmpty()
                                                     ? localised(QStringLiteral("修改成功"))
                                                     : reply.message);
                             if (onChanged)
                                 onChanged();
                         });
}

bool Staff::loggedInMayGiveGifts() const
{
    if (!isLoggedIn())
        return false;
    const CashierInfo operatorInfo = catalogue_.cashier(loggedInId());
    return !operatorInfo.cashierID.isEmpty() && operatorInfo.hasZengSongAuth();
}

bool Staff::giftsSupported() const
{
    return SupportChecker::sharedChecker().checkIsSupportZengSong();
}

Staff::GiftAuthority Staff::authoriseGift(const QString &id, const QString &password) const
{
    const CashierInfo operatorInfo = catalogue_.cashier(id);
    if (operatorInfo.cashierID.isEmpty() || operatorInfo.userPass != password)
        return GiftAuthority::WrongCredentials;
    return operatorInfo.hasZengSongAuth() ? GiftAuthority::Granted : GiftAuthority::NotPermitted;
}

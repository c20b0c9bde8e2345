#include "Staff.h"

#include "Catalogue.h"
#include "server/LoginManager.h"
#include "server/SupportChecker.h"

Staff::Staff(const Catalogue &catalogue)
    : catalogue_(catalogue)
{
}

bool Staff::isLoggedIn() const
{
    return LoginManager::isLogin();
}

QString Staff::loggedInId() const
{
    return LoginManager::accountId();
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

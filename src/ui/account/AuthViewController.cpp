#include "AuthViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/FoodOrder.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <optional>

using namespace Qt::StringLiterals;

AuthViewController::AuthViewController(const QString &titleKey, QObject *parent)
    : AccountFormController(titleKey, u"确定"_s, parent)
{
}

void AuthViewController::setIdxPath(int row)
{
    if (row == idxPath_)
        return;
    idxPath_ = row;
    emit idxPathChanged();
}

void AuthViewController::setIsZengSongMode(bool on)
{
    if (on == isZengSongMode_)
        return;
    isZengSongMode_ = on;
    emit isZengSongModeChanged();
}

void AuthViewController::submit()
{
    if (!isZengSongMode_)
        return;
    std::optional<CashierInfo> found;
    // The base data is read synchronously: the callback has run when the call returns.
    DBManager::defaultManager().getCashierInfoWithId(account(), [&found](const CashierInfo &info) {
        if (!info.cashierID.isEmpty())
            found = info;
    });
    const LanguageManager &language = LanguageManager::defaultManager();
    if (!found || found->userPass != password()) {
        UserNotice::error(language.readString(u"用户名或密码错误"_s));
        return;
    }
    if (!found->hasZengSongAuth()) {
        UserNotice::error(language.readString(u"没有权限"_s));
        return;
    }
    // The line changes through the order manager, under the lock the background tasks read with.
    if (foodOrder_)
        OrderManager::defaultManager().setZengSong(foodOrder_, !foodOrder_->isZengSong(), account());
    PostNotificationInMainThread(Notify::ZengSongAuthSuccess, idxPath_);
    dismissSelf();
}

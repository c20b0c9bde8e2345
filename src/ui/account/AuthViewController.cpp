#include "AuthViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/FoodOrder.h"
#include "order/OrderManager.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

AuthViewController::AuthViewController(const QString &titleKey, QObject *parent)
    : AccountFormController(titleKey, u"确定"_s, parent), services_(Services::installed())
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
    switch (services_.staff->authoriseGift(account(), password())) {
    case Staff::GiftAuthority::WrongCredentials:
        UserNotice::error(localised(u"用户名或密码错误"_s));
        return;
    case Staff::GiftAuthority::NotPermitted:
        UserNotice::error(localised(u"没有权限"_s));
        return;
    case Staff::GiftAuthority::Granted:
        break;
    }
    // The line changes through the order manager, under the lock the background tasks read with.
    if (foodOrder_)
        services_.order->setZengSong(foodOrder_, !foodOrder_->isZengSong(), account());
    PostNotificationInMainThread(Notify::ZengSongAuthSuccess, idxPath_);
    dismissSelf();
}

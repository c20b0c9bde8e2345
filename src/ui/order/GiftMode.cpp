#include "GiftMode.h"

#include "AuthViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "services/Services.h"
#include "services/Staff.h"
#include "toolkit/PopViewManager.h"

using namespace Qt::StringLiterals;

GiftMode::GiftMode(const Services &services, QObject *parent) : QObject(parent), services_(services)
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::NotificationLogout, [this](const Notification &) { setActive(false); });
    center.addObserver(this, Notify::ZengSongAuthSuccess,
                       [](const Notification &) { PostNotificationInMainThread(Notify::UpdateOrderList); });
}

void GiftMode::setActive(bool on)
{
    if (on == active_)
        return;
    active_ = on;
    emit activeChanged();
}

void GiftMode::toggle()
{
    if (services_.staff->giftsSupported())
        setActive(!active_);
}

void GiftMode::toggleLine(const std::shared_ptr<FoodOrder> &line, int row)
{
    if (!line || line->isMFoodType() || !active_)
        return;
    // Only an operator who is logged in now gives on their own authority.
    if (services_.staff->loggedInMayGiveGifts()) {
        services_.order->setZengSong(line, !line->isZengSong(), services_.staff->loggedInId());
        PostNotificationInMainThread(Notify::UpdateOrderList);
        return;
    }
    auto *auth = new AuthViewController(u"授权"_s);
    auth->setFoodOrder(line);
    auth->setIdxPath(row);
    auth->setIsZengSongMode(true);
    if (!PopViewManager::defaultManager().popController(auth))
        delete auth;
}

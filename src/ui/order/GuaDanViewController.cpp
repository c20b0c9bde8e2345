#include "GuaDanViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

GuaDanViewController::GuaDanViewController(QObject *parent) : PopRootViewController(parent)
{
    arrPacks_ = OrderManager::defaultManager().heldOrders();
}

QStringList GuaDanViewController::heldRows() const
{
    QStringList rows;
    for (qsizetype i = 0; i < arrPacks_.size(); ++i)
        rows.append(QString::number(i + 1) + u'\t' +
                    arrPacks_.at(i).createDate.toLocalTime().toString(u"yyyy-MM-dd HH:mm:ss"_s));
    return rows;
}

QStringList GuaDanViewController::lineRows() const
{
    QStringList rows;
    if (!orderPack_)
        return rows;
    for (const auto &line : std::as_const(orderPack_->ordersInPack))
        rows.append(line->foodName + u'\t' + line->OrderQuantity() + u'\t' + line->PriceSale1() + u'\t' +
                    QString::asprintf("%.2f", double(line->getTotalPrice())));
    return rows;
}

QString GuaDanViewController::totalText() const
{
    float total = 0;
    if (orderPack_) {
        for (const auto &line : std::as_const(orderPack_->ordersInPack))
            total += line->getSinglePrice();
    }
    return QString::asprintf("%.1f", double(total));
}

void GuaDanViewController::select(int index)
{
    if (index < 0 || index >= arrPacks_.size())
        return;
    selected_ = index;
    const Guadan &held = arrPacks_.at(index);
    std::shared_ptr<OrderPack> pack = dictOrderPacks_.value(held.gid);
    if (!pack) {
        pack = OrderPack::setupWithGuaDan(held);
        if (pack)
            dictOrderPacks_.insert(held.gid, pack);
    }
    // A broken record leaves the selection without an order: the one selected before must not be
    // taken back in its name.
    orderPack_ = pack;
    emit selectionChanged();
    if (!pack)
        UserNotice::info(localised(u"操作失败"_s));
}

void GuaDanViewController::confirm()
{
    if (isDismissing())
        return;
    if (selected_ < 0 || !orderPack_) {
        UserNotice::error(localised(u"请选择挂单"_s));
        return;
    }
    OrderManager &orders = OrderManager::defaultManager();
    if (!orders.genPackFromGuaDan(*orderPack_, arrPacks_.at(selected_).gid)) {
        if (!orders.isLocked())
            UserNotice::error(localised(u"恢复挂单失败"_s));
        return;
    }
    PostNotificationInMainThread(Notify::GuaDanChoosed, QVariant::fromValue(orderPack_));
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

void GuaDanViewController::cancel()
{
    if (!isDismissing())
        dismissSelf();
}

// Keeping the order being taken through a crash, and the lock that keeps a send whose answer was
// lost from being changed before it is sent again.

#include "foundation/LogCategories.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderKeeper.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QHash>

OrderSnapshot OrderManager::snapshot() const
{
    OrderSnapshot copy;
    QMutexLocker lock(&lockKey);
    if (orderPack_)
        copy.pack = *orderPack_;
    copy.locked = locked_;
    copy.lines.reserve(arrOrders_.size());
    copy.parents.fill(-1, arrOrders_.size());
    QHash<const FoodOrder *, qsizetype> position;
    position.reserve(arrOrders_.size());
    for (qsizetype i = 0; i < arrOrders_.size(); ++i) {
        const Line &line = arrOrders_.at(i);
        position.insert(line.get(), i);
        copy.lines.append(*line);
        copy.lines.last().arrSubOrders.clear();
    }
    for (qsizetype i = 0; i < arrOrders_.size(); ++i) {
        for (const Line &sub : std::as_const(arrOrders_.at(i)->arrSubOrders)) {
            if (const auto found = position.constFind(sub.get()); found != position.cend())
                copy.parents[found.value()] = i;
        }
    }
    return copy;
}

std::shared_ptr<OrderKeeper> OrderManager::keeper() const
{
    QMutexLocker lock(&lockKey);
    return keeper_;
}

void OrderManager::keep(std::function<void(bool)> durable)
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    if (!keeper) {
        if (durable)
            durable(true);
        return;
    }
    if (keepBatch_ > 0 && !durable) {
        keepDeferred_ = true;
        return;
    }
    keeper->keep(snapshot(), std::move(durable));
}

void OrderManager::waitUntilKept() const
{
    if (const std::shared_ptr<OrderKeeper> keeper = this->keeper())
        keeper->flush();
}

bool OrderManager::isLocked() const
{
    QMutexLocker lock(&lockKey);
    return locked_;
}

bool OrderManager::refuseWhenLocked() const
{
    if (!isLocked())
        return false;
    UserNotice::error(localised(QStringLiteral("点单已发出但未确认，请再次下单后再修改")));
    return true;
}

void OrderManager::adoptKeptOrder(std::shared_ptr<OrderKeeper> keeper)
{
    if (!keeper)
        return;
    std::optional<OrderSnapshot> kept;
    const OrderKeeper::Found found = keeper->load(kept);
    if (found == OrderKeeper::Found::MovedAside) {
        qCWarning(lcOrder).noquote() << "kept order unreadable, moved aside";
        UserNotice::info(localised(QStringLiteral("未发送的点单无法读取，已另存")));
    }

    QList<Line> lines;
    if (kept) {
        lines.reserve(kept->lines.size());
        for (const FoodOrder &line : std::as_const(kept->lines))
            lines.append(std::make_shared<FoodOrder>(line));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (const qsizetype parent = kept->parents.value(i, -1); parent >= 0)
                lines.at(parent)->arrSubOrders.append(lines.at(i));
        }
        qCInfo(lcOrder).noquote() << "kept order restored: table" << kept->pack.DeskNo.value_or(QString())
                                  << "flow" << kept->pack.UniqueFlowNo.value_or(QString()) << "lines"
                                  << kept->lines.size()
                                  << (kept->locked ? "locked, sent without a definite answer" : "editable");
        // Its number may have been sent already: numbers made from now on come after it.
        OrderPack::noteFlowNo(kept->pack.UniqueFlowNo.value_or(QString()));
    }
    {
        QMutexLocker lock(&lockKey);
        keeper_ = std::move(keeper);
        if (!kept)
            return;
        orderPack_ = std::make_shared<OrderPack>(kept->pack);
        arrOrders_ = std::move(lines);
        arrOrderCache_.clear();
        locked_ = kept->locked;
    }
    UserNotice::info(localised(QStringLiteral("已恢复未发送的点单")));
    PostNotificationInMainThread(Notify::UpdateOrderList);
    runPackTaskAndAllOrderTask();
}

bool OrderManager::refusesHold()
{
    return refuseWhenLocked();
}

bool OrderManager::saveHeldOrder(const QString &content)
{
    if (const std::shared_ptr<OrderKeeper> keeper = this->keeper())
        return keeper->hold(content);
    return OrderLinesSource::saveHeldOrder(content);
}

QList<Guadan> OrderManager::heldOrders() const
{
    QList<Guadan> held;
    DBManager::mainDBManager().getOrderPacks([&held](const QList<Guadan> &stored) { held = stored; });
    return held;
}

bool OrderManager::keepRestored(std::optional<qint64> heldGid)
{
    const std::shared_ptr<OrderKeeper> keeper = this->keeper();
    if (!heldGid) {
        keep();
        return true;
    }
    // The held order leaves its store in the same transaction as it becomes the kept order, so a
    // crash can never leave it in both places.
    if (keeper)
        return keeper->restore(snapshot(), *heldGid);
    bool deleted = false;
    DBManager::mainDBManager().deleteGuadanById(*heldGid, [&deleted](bool done) { deleted = done; });
    return deleted;
}

void OrderManager::lockForSend(std::function<void()> then)
{
    {
        QMutexLocker lock(&lockKey);
        locked_ = true;
    }
    keep([then = std::move(then)](bool) { then(); });
}

void OrderManager::unlockAfterRefusal()
{
    {
        QMutexLocker lock(&lockKey);
        locked_ = false;
    }
    keep();
}

void OrderManager::clearAfterSend()
{
    deleteAllFoodOrders();
    genNewPack();
    PostNotificationInMainThread(Notify::UpdateOrderList);
}

// The order's texts (the detail of the send text and of the held-order text) and its packs.

#include "order/OrderManager.h"

#include <utility>

namespace {
// Component lines belong to the closest set-meal line before them that they name (its dish number
// and sequence number). Looking back from each component, rather than taking every match, keeps
// two set meals apart when a sequence number occurs twice in a held order.
void relinkSetMeals(const QList<OrderManager::Line> &lines)
{
    QList<OrderManager::Line> parents;
    for (const OrderManager::Line &line : lines) {
        if (line->isTFoodType()) {
            line->arrSubOrders.clear();
            parents.append(line);
        } else if (line->isMFoodType()) {
            for (auto parent = parents.crbegin(); parent != parents.crend(); ++parent) {
                if (FoodOrder::isSubOrder(*line, **parent)) {
                    (*parent)->arrSubOrders.append(line);
                    break;
                }
            }
        }
    }
}
} // namespace

QString OrderManager::sendData()
{
    QMutexLocker lock(&lockKey);
    // Components are given away with their set meal, on the same authority.
    for (const Line &line : std::as_const(arrOrders_)) {
        if (!line->isTFoodType())
            continue;
        for (const Line &sub : std::as_const(line->arrSubOrders)) {
            sub->setIsZengSong(line->isZengSong());
            sub->authID = line->authID;
        }
    }
    // Numbered by position; components keep pointing at their parent's new number, so the server
    // and a held order saved after this still find which set meal each belongs to.
    quint64 position = 0;
    for (const Line &line : std::as_const(arrOrders_)) {
        line->itemSeq = ++position;
        if (line->isTFoodType()) {
            for (const Line &sub : std::as_const(line->arrSubOrders))
                sub->suiteIndex = qint64(position);
        }
    }
    QString detail;
    detail.reserve(arrOrders_.size() * 400);
    for (const Line &line : std::as_const(arrOrders_))
        detail += line->toDataString();
    lock.unlock();
    // The renumbered lines are what a later send of this order must repeat.
    keep();
    return detail;
}

QString OrderManager::guaDanData()
{
    QMutexLocker lock(&lockKey);
    QString detail;
    detail.reserve(arrOrders_.size() * 700);
    for (const Line &line : std::as_const(arrOrders_))
        detail += line->toGuadanString();
    return detail;
}

void OrderManager::genNewPack()
{
    // The server may know a locked order by its number already: it keeps it until answered.
    if (isLocked())
        return;
    std::shared_ptr<OrderPack> pack = OrderPack::genNewPack();
    {
        QMutexLocker lock(&lockKey);
        orderPack_ = std::move(pack);
    }
    keep();
}

bool OrderManager::genPackFromGuaDan(const OrderPack &restored, std::optional<qint64> heldGid)
{
    if (refuseWhenLocked())
        return false;
    std::shared_ptr<OrderPack> pack = OrderPack::genNewPack();
    pack->arrTaste = restored.arrTaste;
    pack->CustCount = restored.CustCount;
    QList<Line> lines;
    lines.reserve(restored.ordersInPack.size());
    for (const Line &line : restored.ordersInPack) {
        if (line)
            lines.append(line);
    }
    relinkSetMeals(lines);
    std::shared_ptr<OrderPack> previousPack;
    QList<Line> previousLines;
    {
        QMutexLocker lock(&lockKey);
        previousPack = std::exchange(orderPack_, std::move(pack));
        previousLines = std::exchange(arrOrders_, std::move(lines));
    }
    if (!keepRestored(heldGid)) {
        QMutexLocker lock(&lockKey);
        orderPack_ = std::move(previousPack);
        arrOrders_ = std::move(previousLines);
        return false;
    }
    runPackTaskAndAllOrderTask();
    return true;
}

// The order's lines as the send and the held-order text write them, and its packs.

#include "order/OrderManager.h"

#include <algorithm>
#include <utility>

namespace {
// Component lines belong to the closest set-meal line before them that they name (its dish number
// and sequence number). Looking back from each component, rather than taking every match, keeps
// two set meals apart when a sequence number occurs twice in a held order. A component whose set
// meal is not there (a damaged held order) becomes an ordinary line: components are changed and
// removed only through their set meal, so it could otherwise be neither.
void relinkSetMeals(const QList<OrderManager::Line> &lines)
{
    QList<OrderManager::Line> parents;
    for (const OrderManager::Line &line : lines) {
        if (line->isTFoodType()) {
            line->arrSubOrders.clear();
            parents.append(line);
        } else if (line->isMFoodType()) {
            const auto parent =
                std::find_if(parents.crbegin(), parents.crend(), [&line](const auto &candidate) {
                    return FoodOrder::isSubOrder(*line, *candidate);
                });
            if (parent != parents.crend()) {
                (*parent)->arrSubOrders.append(line);
            } else {
                line->FoodType = QStringLiteral("D");
                line->suitno.clear();
                line->suiteIndex = 0;
            }
        }
    }
}
} // namespace

void OrderManager::numberLinesForSend()
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
    lock.unlock();
    // The renumbered lines are what a later send of this order must repeat.
    keep();
}

void OrderManager::readOrder(const std::function<void(const OrderPack &, const QList<Line> &)> &read) const
{
    QMutexLocker lock(&lockKey);
    if (orderPack_ && read)
        read(*orderPack_, arrOrders_);
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

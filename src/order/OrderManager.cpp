#include "order/OrderManager.h"

#include "catalogue/SoldOutList.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/SoundManager.h"
#include "order/OrderKeeper.h"
#include "order/OrderPopups.h"
#include "order/SetupFoodOrder.h"
#include "order/TaskManager.h"
#include "storage/DBManager.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {
const QString kBnok = QStringLiteral("bnok");
const QString kBncancel = QStringLiteral("bncancel");

bool isSoldOut(const QString &foodno)
{
    return SoldOutList::shared().contains(foodno);
}

void scaleSubOrders(FoodOrder &parent)
{
    for (const auto &sub : std::as_const(parent.arrSubOrders)) {
        if (sub)
            sub->orderQty = parent.orderQty * sub->suitFoodQty;
    }
}
} // namespace

OrderManager &OrderManager::defaultManager()
{
    // Never destroyed: task results and server replies may still reach it while statics go at exit.
    static OrderManager *const manager = [] {
        auto *created = new OrderManager;
        created->setTaskManager(&TaskManager::defaultManager());
        created->setSoundPlayer([](const QString &effect) {
            SoundManager &sounds = SoundManager::defaultManager();
            if (effect == kBnok)
                sounds.bnok();
            else if (effect == kBncancel)
                sounds.bncancel();
        });
        OrderPack::setLinesSource(created);
        return created;
    }();
    return *manager;
}

OrderManager::OrderManager() : context_(std::make_unique<QObject>())
{
    if (QCoreApplication *app = QCoreApplication::instance(); app && context_->thread() != app->thread())
        context_->moveToThread(app->thread());
    // Without a quick taste setter to confirm them, waiting lines join the order at once.
    QObject::connect(&PopViewManager::defaultManager(), &PopViewManager::popFailed, context_.get(),
                     [this](const QString &name) {
                         if (name == PopName::QuickTasteSetViewController)
                             processOrderCache();
                     });
}

OrderManager::~OrderManager()
{
    if (OrderPack::linesSource() == this)
        OrderPack::setLinesSource(nullptr);
}

void OrderManager::setTaskManager(TaskManager *tasks)
{
    tasks_ = tasks;
}

void OrderManager::setSoundPlayer(std::function<void(const QString &)> play)
{
    play_ = std::move(play);
}

void OrderManager::play(const QString &effect) const
{
    if (play_)
        play_(effect);
}

void OrderManager::queueTasks(const QStringList &foodnos) const
{
    if (!tasks_)
        return;
    for (const QString &foodno : foodnos)
        tasks_->runOrderAmountTaskWithFoodIdentity(foodno);
    tasks_->runOrderPackTask();
}

quint64 OrderManager::nextItemSeq() const
{
    QMutexLocker lock(&lockKey);
    return quint64(arrOrders_.size()) + 1;
}

void OrderManager::addFood(const Food &food, const std::optional<FoodItemsize> &itemsize, float qty)
{
    if (!food.info || refuseWhenLocked())
        return;
    // A set meal enters line by line; the order is kept once, with all of them.
    ++keepBatch_;
    addFoodLines(food, itemsize, qty);
    if (--keepBatch_ == 0 && std::exchange(keepDeferred_, false))
        keep();
}

void OrderManager::addFoodLines(const Food &food, const std::optional<FoodItemsize> &itemsize, float qty)
{
    play(kBnok);
    // The quantity is given to the new line before it is staged, so that a dish line that merges
    // into an equal one brings its whole quantity along.
    const bool scaled = std::isfinite(qty) && qty > 1;

    if (food.isDFoodType()) {
        Line line = FoodOrder::genFoodOrderWithType(food.info->FoodType);
        setupFoodOrder(food, *line);
        line->itemSeq = nextItemSeq();
        if (itemsize) {
            line->itemsize = itemsize->itemsize;
            line->salePrice1 = food.isShiJia() ? 0 : itemsize->salePrice1;
            line->salePrice2 = itemsize->salePrice2;
            line->salePrice3 = itemsize->salePrice3;
            line->MemberPrice = itemsize->MemberPrice;
        }
        if (scaled)
            line->orderQty = qty;
        addToOrderCache(line);
    } else if (food.isTFoodType()) {
        Line parent = FoodOrder::genFoodOrderWithType(food.info->FoodType);
        setupFoodOrder(food, *parent);
        parent->itemSeq = nextItemSeq();
        if (scaled)
            parent->orderQty = qty;
        addToOrderCache(parent);
        // A refused set meal takes its components with it.
        if (!isSoldOut(parent->foodno)) {
            for (const Food &component : food.arrSuiteFoods) {
                Line sub = FoodOrder::genFoodOrderWithType(QStringLiteral("M"));
                setupFoodOrder(component, *sub);
                sub->itemSeq = nextItemSeq();
                sub->suiteIndex = qint64(parent->itemSeq);
                sub->orderQty = parent->orderQty * component.suitFoodQty;
                {
                    QMutexLocker lock(&lockKey);
                    parent->arrSubOrders.append(sub);
                }
                addToOrderCache(sub);
            }
        }
    } else {
        return;
    }
    queueTasks({food.info->foodno});
}

void OrderManager::addToOrderCache(const Line &line)
{
    if (!line || refuseWhenLocked())
        return;
    if (line->isMFoodType()) {
        {
            QMutexLocker lock(&lockKey);
            arrOrderCache_.append(line);
        }
        processOrderCache();
        return;
    }
    bool hasBoundTastes = false;
    DBManager::defaultManager().isFoodHasBindingTasteInfoByStyle(QStringLiteral("P"), line->foodno,
                                                                 [&](bool bound) { hasBoundTastes = bound; });
    {
        QMutexLocker lock(&lockKey);
        arrOrderCache_.append(line);
    }
    if (hasBoundTastes && OrderPopups::popQuickTasteSetView(arrOrderCache()))
        return;
    processOrderCache();
}

void OrderManager::processOrderCache()
{
    {
        QMutexLocker lock(&lockKey);
        for (const Line &staged : std::as_const(arrOrderCache_)) {
            if (!staged || isSoldOut(staged->foodno))
                continue;
            if (staged->isDFoodType()) {
                const auto equal = std::find_if(arrOrders_.cbegin(), arrOrders_.cend(),
                                                [&](const Line &line) { return staged->mergesInto(*line); });
                if (equal != arrOrders_.cend())
                    (*equal)->orderQty += staged->orderQty;
                else
                    arrOrders_.append(staged);
            } else if (staged->isTFoodType() || staged->isMFoodType()) {
                arrOrders_.append(staged);
            }
        }
        arrOrderCache_.clear();
    }
    keep();
    PostNotificationInMainThread(Notify::UpdateOrderList);
    runPackTaskAndAllOrderTask();
}

OrderManager::Line OrderManager::lastLineOfDish(const QString &foodno) const
{
    QMutexLocker lock(&lockKey);
    // Components are never lowered from the menu: they follow their set meal.
    for (auto it = arrOrders_.crbegin(); it != arrOrders_.crend(); ++it) {
        if (!(*it)->isMFoodType() && (*it)->foodno == foodno)
            return *it;
    }
    return {};
}

void OrderManager::removeFood(const Food &food)
{
    if (refuseWhenLocked())
        return;
    play(kBncancel);
    if (!food.info || !(food.isDFoodType() || food.isTFoodType()))
        return;
    const Line found = lastLineOfDish(food.info->foodno);
    if (!found)
        return;
    {
        QMutexLocker lock(&lockKey);
        applyQuantityLocked(found, found->orderQty - 1);
    }
    keep();
    queueTasks({found->foodno});
}

void OrderManager::removeLineLocked(const Line &line)
{
    arrOrders_.removeOne(line);
    if (line->isTFoodType()) {
        for (const Line &sub : std::as_const(line->arrSubOrders))
            arrOrders_.removeOne(sub);
    }
}

void OrderManager::applyQuantityLocked(const Line &line, float qty)
{
    line->orderQty = qty;
    if (qty <= 0) {
        if (!line->isMFoodType())
            removeLineLocked(line);
    } else if (line->isTFoodType()) {
        scaleSubOrders(*line);
    }
}

void OrderManager::deleteFoodOrder(const Line &line)
{
    if (!line || refuseWhenLocked())
        return;
    if (!line->isMFoodType()) {
        QMutexLocker lock(&lockKey);
        removeLineLocked(line);
    }
    keep();
    queueTasks({line->foodno});
}

void OrderManager::deleteAllFoodOrders()
{
    QStringList foodnos;
    {
        QMutexLocker lock(&lockKey);
        arrOrderCache_.clear();
        for (const Line &line : std::as_const(arrOrders_)) {
            if ((line->isDFoodType() || line->isTFoodType()) && !foodnos.contains(line->foodno))
                foodnos.append(line->foodno);
        }
        arrOrders_.clear();
        locked_ = false;
    }
    keep();
    queueTasks(foodnos);
}

void OrderManager::setOrderAlphaQty(const Line &line, float step)
{
    if (!line || !std::isfinite(step) || refuseWhenLocked())
        return;
    if (step > 0) {
        play(kBnok);
        if (isSoldOut(line->foodno))
            return;
    } else {
        play(kBncancel);
    }
    {
        QMutexLocker lock(&lockKey);
        applyQuantityLocked(line, line->orderQty + step);
    }
    keep();
    queueTasks({line->foodno});
}

void OrderManager::setOrderQty(const Line &line, float qty)
{
    if (!line || !std::isfinite(qty) || refuseWhenLocked())
        return;
    if (qty > line->orderQty && isSoldOut(line->foodno))
        return;
    {
        QMutexLocker lock(&lockKey);
        applyQuantityLocked(line, qty);
    }
    keep();
    queueTasks({line->foodno});
}

void OrderManager::switchPrintState()
{
    if (arrOrders().isEmpty() || refuseWhenLocked())
        return;
    {
        QMutexLocker lock(&lockKey);
        const QString first = arrOrders_.isEmpty() ? QString() : arrOrders_.first()->PrintState;
        if (first.isEmpty())
            return;
        const QString next = FoodOrder::nextPrintState(first);
        for (const Line &line : std::as_const(arrOrders_))
            line->PrintState = next;
    }
    keep();
}

void OrderManager::setZengSong(const Line &line, bool gift, const QString &authID)
{
    if (!line || refuseWhenLocked())
        return;
    {
        QMutexLocker lock(&lockKey);
        const QList<Line> marked =
            line->isTFoodType() ? QList<Line>{line} + line->arrSubOrders : QList<Line>{line};
        for (const Line &each : marked) {
            each->setIsZengSong(gift);
            each->authID = gift ? authID : QString();
        }
    }
    keep();
}

bool OrderManager::changeLine(const Line &line, const std::function<void(FoodOrder &)> &change)
{
    if (!line || !change || refuseWhenLocked())
        return false;
    {
        QMutexLocker lock(&lockKey);
        change(*line);
    }
    keep();
    return true;
}

bool OrderManager::changePack(const std::function<void(OrderPack &)> &change)
{
    if (!change || refuseWhenLocked())
        return false;
    {
        QMutexLocker lock(&lockKey);
        if (!orderPack_)
            return false;
        change(*orderPack_);
    }
    keep();
    return true;
}

void OrderManager::runPackTaskAndAllOrderTask()
{
    QStringList foodnos;
    {
        QMutexLocker lock(&lockKey);
        for (const Line &line : std::as_const(arrOrders_)) {
            if (line->isDFoodType() || line->isTFoodType())
                foodnos.append(line->foodno);
        }
    }
    queueTasks(foodnos);
}

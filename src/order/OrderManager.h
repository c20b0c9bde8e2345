#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"
#include "order/FoodOrder.h"
#include "order/OrderLinesSource.h"
#include "order/OrderPack.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class OrderKeeper;
struct OrderSnapshot;
class TaskManager;

// The single owner of the order being taken: its lines (`arrOrders`), its header (`orderPack`)
// and the staging list (`arrOrderCache`) through which new lines enter. Every ordering screen acts
// through it; after each change it queues the background tasks that recompute the per-dish
// quantities and the totals. Sending the order is the OrderSender's.
//
// Its members: changing the lines (OrderManager.cpp), reads and totals (OrderReads.cpp), keeping
// and the send lock (OrderKeeping.cpp), the lines as texts and packs (OrderTexts.cpp).
//
// Threads: every operation that changes the order runs on the main thread. The background tasks
// read the lines on their worker, so the list and the lines' fields are only changed under
// `lockKey`; screens that change a field of a line or of the pack themselves do it through
// changeLine() / changePack(), which take the same lock.
//
// Keeping: once adoptKeptOrder() has given it a keeper, every change of the lines or the header is
// handed to the keeper, which writes it off the main thread, so the order survives a crash. While
// a send of the order has no definite answer the order is locked (isLocked): the server may have
// it already, so it may only be sent again unchanged (or cleared), never changed or held.
class OrderManager : public OrderLinesSource {
public:
    using Line = std::shared_ptr<FoodOrder>;

    // Created on first use, registered as the order pack's source of lines, queuing its tasks on
    // TaskManager::defaultManager().
    static OrderManager &defaultManager();

    // A manager of its own (tests, benchmarks): no tasks and no sounds until they are set.
    OrderManager();
    ~OrderManager() override;
    OrderManager(const OrderManager &) = delete;
    OrderManager &operator=(const OrderManager &) = delete;

    // Where the amount and pack tasks go; none queues nothing.
    void setTaskManager(TaskManager *tasks);

    // Starts keeping the order with `keeper`: first the order it kept from an earlier run becomes
    // the current order, exactly as it was, and the waiter is told once; one that cannot be read is
    // moved aside, with a notice. Main thread, once, before any change is to be kept.
    void adoptKeptOrder(std::shared_ptr<OrderKeeper> keeper);
    // Blocks until every change so far is on disk (the program's end, tests).
    void waitUntilKept() const;
    // A send of the order is waiting for a definite answer, or ended without one.
    bool isLocked() const;
    // Plays the short effects "bnok" and "bncancel"; none plays nothing.
    void setSoundPlayer(std::function<void(const QString &effect)> play);
    void play(const QString &effect) const;

    // Adding and removing (main thread).
    void addFood(const Food &food, const std::optional<FoodItemsize> &itemsize = std::nullopt, float qty = 1);
    void addToOrderCache(const Line &line);
    void processOrderCache();
    void removeFood(const Food &food);
    void deleteFoodOrder(const Line &line);
    // Also unlocks a locked order: clearing it is the waiter's decision, made after a confirmation.
    void deleteAllFoodOrders() override;
    void setOrderAlphaQty(const Line &line, float step);
    void setOrderQty(const Line &line, float qty);
    void switchPrintState();
    quint64 nextItemSeq() const;

    // Marks or clears a gift, authorised by `authID`. A set meal's components follow it at once, so
    // the totals show what the server will bill.
    void setZengSong(const Line &line, bool gift, const QString &authID = {});

    // Changes fields of a line or of the pack under the lock the background tasks read with; false
    // when refused (nothing to change, or a send waits for its answer).
    bool changeLine(const Line &line, const std::function<void(FoodOrder &)> &change);
    bool changePack(const std::function<void(OrderPack &)> &change);
    // Reads them under the same lock; nothing is kept or refused, also while a send waits.
    void readLine(const Line &line, const std::function<void(const FoodOrder &)> &read) const;
    void readPack(const std::function<void(const OrderPack &)> &read) const;

    // Copies of the lists; the lines themselves are shared.
    QList<Line> arrOrders() const;
    QList<Line> arrOrderCache() const;
    std::shared_ptr<OrderPack> orderPack() const;

    // Amounts, safe on any thread.
    QString getOrderAmount(const QString &foodno) const;
    QString getOrderPackAmount() const;
    QString getOrderPackPay() const;
    bool hasShiJiaPriceZero() const;

    // Order texts and packs.
    QString guaDanData() override;
    bool refusesHold() override;
    bool saveHeldOrder(const QString &content) override;
    // The held orders in the store, newest first.
    QList<Guadan> heldOrders() const;
    // Keeps the pack of a locked order.
    void genNewPack();
    // With `heldGid`, the held order of that number leaves the store in the same step as the order
    // becomes the kept one; false, with nothing changed, when that step failed.
    bool genPackFromGuaDan(const OrderPack &restored, std::optional<qint64> heldGid = std::nullopt);

    // The send's hold on the order (OrderSender). Numbers the lines by position, components giving
    // their set meal's number and gift, and keeps them so: a later send must repeat exactly these.
    void numberLinesForSend();
    // Reads the pack (when there is one) and the lines together, under the lock.
    void readOrder(const std::function<void(const OrderPack &, const QList<Line> &)> &read) const;
    // Locks the order and runs `then` once the lock is on disk.
    void lockForSend(std::function<void()> then);
    void unlockAfterRefusal();
    // Empties the sent order and starts a new pack.
    void clearAfterSend();
    std::shared_ptr<OrderKeeper> keeper() const;

    void runPackTaskAndAllOrderTask();

    // The sold-out task's result: each line is marked by whether its dish is in `soldOut`.
    // Main thread, where the marks are read for display.
    void applySoldOutMarks(const QSet<QString> &soldOut);

private:
    // Keeping (OrderKeeping.cpp).
    OrderSnapshot snapshot() const;
    void keep(std::function<void(bool)> durable = {});
    // True, with the message shown, while the order is locked.
    bool refuseWhenLocked() const;
    // Keeps a restored held order; with `heldGid` also takes that held order out of its store.
    bool keepRestored(std::optional<qint64> heldGid);

    // Adds the lines of a dish or a set meal; addFood keeps the order once after all of them.
    void addFoodLines(const Food &food, const std::optional<FoodItemsize> &itemsize, float qty);

    void queueTasks(const QStringList &foodnos) const;
    Line lastLineOfDish(const QString &foodno) const;
    // Removes the line (with its sub-lines when it is a set meal); the lock must be held.
    void removeLineLocked(const Line &line);
    // Sets the quantity and scales a set meal's sub-lines with it, or removes the line at 0.
    void applyQuantityLocked(const Line &line, float qty);

    mutable QMutex lockKey;
    QList<Line> arrOrders_;
    QList<Line> arrOrderCache_;
    std::shared_ptr<OrderPack> orderPack_;
    bool locked_ = false;
    std::shared_ptr<OrderKeeper> keeper_;
    // Main thread: while a change of several lines is under way, keeping waits for its end.
    int keepBatch_ = 0;
    bool keepDeferred_ = false;

    TaskManager *tasks_ = nullptr;
    std::function<void(const QString &)> play_;
    // Receives the pop-up manager's failures on the main thread.
    std::unique_ptr<QObject> context_;
};

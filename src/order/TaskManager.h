#pragma once

#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

class OrderManager;

// The background task queue: the ordered quantity of a dish, the order's count and total, the
// sold-out marks of the lines and the thumbnails of dish pictures. Tasks run one at a time, in the
// order queued, on one worker thread; each posts its result on the main thread, so the results
// arrive in the order the tasks were queued and the last one posted is the current one.
class TaskManager {
public:
    // Created on first use, reading OrderManager::defaultManager(); registers its sold-out task
    // with the sold-out poller.
    static TaskManager &defaultManager();

    // A queue reading the given order (tests, benchmarks); none reads the default manager.
    explicit TaskManager(OrderManager *orders = nullptr);
    ~TaskManager();
    TaskManager(const TaskManager &) = delete;
    TaskManager &operator=(const TaskManager &) = delete;

    // Posts "kTaskOrderAmount" with [foodno, getOrderAmount(foodno)].
    void runOrderAmountTaskWithFoodIdentity(const QString &foodno);
    // Posts "updateOrderPackInfoDone" with [getOrderPackAmount, getOrderPackPay].
    void runOrderPackTask();
    // Marks every line of the order by whether its dish is on the sold-out list; posts nothing.
    void runFoodSoldOutTask();
    // Posts "kTaskGenSmallImage" with [foodno, thumbnail path, or empty text when there is none].
    // A task whose `wanted` has turned false by its turn is skipped and posts nothing.
    void runGenSmallImageTaskWithFoodIdentity(const QString &foodno,
                                              std::shared_ptr<const std::atomic_bool> wanted = {});

    // Waits until every queued task has run; false on time-out. Results posted to the main thread
    // may still wait in its event queue.
    bool waitForDone(int msecs = -1);

private:
    OrderManager &orders() const;

    OrderManager *orders_;
    QThreadPool queue;
};

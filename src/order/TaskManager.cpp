#include "order/TaskManager.h"

#include "order/OrderManager.h"
#include "order/OrderTasks.h"
#include "server/ActGuQing.h"

TaskManager &TaskManager::defaultManager()
{
    // Never destroyed: its worker may still be running a task while statics go at exit.
    static TaskManager *const manager = [] {
        auto *created = new TaskManager;
        ActGuQing::sharedInstance().setSoldOutTask([created] { created->runFoodSoldOutTask(); });
        return created;
    }();
    return *manager;
}

TaskManager::TaskManager(OrderManager *orders) : orders_(orders)
{
    // One worker: tasks run strictly one after another, in the order queued.
    queue.setMaxThreadCount(1);
}

TaskManager::~TaskManager()
{
    queue.waitForDone();
}

OrderManager &TaskManager::orders() const
{
    return orders_ ? *orders_ : OrderManager::defaultManager();
}

void TaskManager::runOrderAmountTaskWithFoodIdentity(const QString &foodno)
{
    queue.start(new OrderAmountTask(orders(), foodno));
}

void TaskManager::runOrderPackTask()
{
    queue.start(new OrderPackTask(orders()));
}

void TaskManager::runFoodSoldOutTask()
{
    queue.start(new FoodSoldOutTask(orders()));
}

void TaskManager::runGenSmallImageTaskWithFoodIdentity(const QString &foodno,
                                                      std::shared_ptr<const std::atomic_bool> wanted)
{
    queue.start(new GenSmallImageTask(foodno, std::move(wanted)));
}

bool TaskManager::waitForDone(int msecs)
{
    return queue.waitForDone(msecs);
}

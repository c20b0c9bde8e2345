#pragma once

#include <QRunnable>
#include <QString>

#include <atomic>
#include <memory>

class OrderManager;

// The four background tasks of TaskManager. Each computes one result on the task worker and hands
// it to the main thread; they read the order only under the order manager's lock.

class OrderAmountTask : public QRunnable {
public:
    OrderAmountTask(OrderManager &orders, const QString &identity) : orders_(orders), identity(identity) {}
    void run() override;

private:
    OrderManager &orders_;
    const QString identity;
};

class OrderPackTask : public QRunnable {
public:
    explicit OrderPackTask(OrderManager &orders) : orders_(orders) {}
    void run() override;

private:
    OrderManager &orders_;
};

// The marks are set on the main thread, where they are read for display; the task only takes the
// sold-out list as it stands when the task runs.
class FoodSoldOutTask : public QRunnable {
public:
    explicit FoodSoldOutTask(OrderManager &orders) : orders_(orders) {}
    void run() override;

private:
    OrderManager &orders_;
};

class GenSmallImageTask : public QRunnable {
public:
    // A task whose `wanted` flag is false when its turn comes does nothing: the page that asked
    // for it is no longer shown.
    explicit GenSmallImageTask(const QString &identity, std::shared_ptr<const std::atomic_bool> wanted = {})
        : identity(identity), wanted(std::move(wanted))
    {
    }
    void run() override;

private:
    const QString identity;
    const std::shared_ptr<const std::atomic_bool> wanted;
};

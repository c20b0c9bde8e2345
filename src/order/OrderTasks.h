#pragma once

#include <QRunnable>
#include <QString>

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
    explicit GenSmallImageTask(const QString &identity) : identity(identity) {}
    void run() override;

private:
    const QString identity;
};

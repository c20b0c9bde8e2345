#pragma once

#include "storage/KeptOrder.h"

#include <QList>
#include <QString>

#include <memory>

class OrderKeeper;
class OrderManager;
class OrderSender;
class QObject;
class QTimer;

// Orders taken while the server could not be reached, sent by themselves once it answers again.
//
// Queueing moves the current order (its command text made once, with its flow number and the
// logged-in waiter) into the table beside the kept order and clears the kept order in the same
// transaction; a new order with a new flow number begins. The sender then sends one order at a
// time, oldest first, always the stored text unchanged, so the server's de-duplication by device and
// flow number counts each order once however often it goes out. Before each attempt the server check
// is asked; when it or the send fails the next attempt waits 2, 4, 8, 16, then every 30 seconds.
// A definite success removes the order; a refusal moves it to the held orders with the server's
// message; no definite answer marks it unconfirmed and it goes again unchanged.
//
// "kOutboxChanged" is posted whenever the number of queued orders or their state may have changed.
// Main thread.
class Outbox {
public:
    // The outbox of OrderManager::defaultManager(), created on first use.
    static Outbox &defaultOutbox();

    // `sender` sends the current order of `orders`: while its order is on its way it is not queued.
    Outbox(OrderManager &orders, OrderSender &sender);
    ~Outbox();
    Outbox(const Outbox &) = delete;
    Outbox &operator=(const Outbox &) = delete;

    // Takes up what an earlier run left queued (the order manager's keeper must be adopted).
    void resume();
    // Queues the current order; false, with the reason shown, when it cannot be.
    bool queueCurrent();
    // Oldest first, as stored; at most `limit`, all when it is negative.
    QList<OutboxRow> entries(int limit = -1) const;
    // As of the last change (no store read).
    int count() const { return count_; }
    // Sends at once instead of waiting out the interval.
    void retryNow();
    // Moves the queued order `flowNo` to the held orders; false, with the reason shown, when it is
    // not queued or is on its way right now.
    bool cancel(const QString &flowNo);
    // An attempt is on its way.
    bool isSending() const { return sending_; }

private:
    void sendNext();
    void post(OutboxRow row);
    void delivered(const OutboxRow &row);
    void refused(const OutboxRow &row, const QString &message);
    void unanswered(OutboxRow row, const QString &error);
    void waitBeforeNext();
    void changed();

    OrderManager &orders_;
    OrderSender &sender_;
    std::shared_ptr<OrderKeeper> keeper() const;
    // The exchanges' context: their outcome runs on its thread, and not at all once it is gone.
    std::unique_ptr<QObject> context_;
    QTimer *retry_ = nullptr; // owned by context_
    int failures_ = 0;        // attempts in a row without a definite answer
    bool sending_ = false;
    int count_ = 0;
};

#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class OrderManager;
struct ServerReply;

// Sends the order being taken, in two steps: a server check, then the order itself
// ("kSendOrderPackSuccess" / "kSendOrderPackFailed" tell the screens). The checks before a send are
// OrderSendChecks; the order's lines and pack stay with the OrderManager, which this only reads,
// locks and clears.
//
// Exactly once: the order is locked, and on disk with its flow number, before it leaves. A success
// clears it and starts a new pack, a refusal unlocks it, anything else (no answer, an unreadable
// one) leaves it locked, so that it can only be sent again unchanged under the same number.
//
// The texts a failed send shows are at the top of OrderSender.cpp; the server's own refusal is
// shown as it came.
class OrderSender {
public:
    // How a send attempt ended, for callers that wait for it (the console).
    enum class Outcome {
        Sent,        // the server took the order ("kSendOrderPackSuccess" was posted)
        Refused,     // the server refused the check or the order (in its reply or with an HTTP 4xx), or
                     // its reply was unreadable
        Failed,      // the exchange itself failed (no answer, time-out, connection refused, HTTP 5xx)
        AlreadyBusy, // the same send is still on its way; this one was dropped
    };
    using Done = std::function<void(Outcome)>;

    // The sender of OrderManager::defaultManager(), created on first use.
    static OrderSender &defaultSender();

    // Created on the main thread; replies that arrive after it is gone touch nothing.
    explicit OrderSender(OrderManager &orders);
    ~OrderSender();
    OrderSender(const OrderSender &) = delete;
    OrderSender &operator=(const OrderSender &) = delete;

    // The "OrderPack" command of the order as it stands. Numbers the lines by position first (and
    // keeps them so): a later send of the same order must repeat exactly this.
    QString sendText();

    // Sends the order's text (sendText()). `done` (optional) runs on the main thread once the attempt
    // has ended, after every message and notification it caused.
    void send(Done done = {});
    // The server's message, or, for a reply that said nothing readable, a message that tells so.
    static QString refusalText(const ServerReply &reply);

    // The two steps, for a text already made.
    void sendOrderPack(const QString &sendText, Done done = {});
    void sendOrderPackStep2(const QString &sendText, Done done = {});
    // The order itself is on its way (from its lock until its answer): it must not be moved.
    bool orderUnderWay() const { return orderUnderWay_; }

private:
    void postOrder(const QString &sendText, Done done);

    OrderManager &orders_;
    // The exchanges' context: their outcome runs on its thread, and not at all once it is gone.
    std::unique_ptr<QObject> context_;
    bool orderUnderWay_ = false; // main thread
};

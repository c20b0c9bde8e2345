#pragma once

#include <QObject>
#include <QString>

#include <QtQml/qqmlregistration.h>
#include <optional>

struct Notification;
class OrderManager;

// "下单" on the order list: the send checks in their order (OrderSendChecks), one stop at a time.
// A stop the waiter can mend opens the dialog that asks for what is missing and waits for it
// (`state`); only a confirmation of the dialog this flow opened (it carries the flow's token in
// "openedBy") moves it on, and then the checks run again from the top. When they all pass the
// order goes through the OrderSender. When the server cannot be reached (the network check, or a
// send without an answer) the error notice offers "稍后自动发送": the order moves to the outbox
// and the list is free for the next one; a refusal stays on the screen to be mended. The list's
// table button opens its chooser through here too.
class OrderSendFlow : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the order list")
    Q_PROPERTY(State state READ state NOTIFY stateChanged)
public:
    enum class State {
        Idle,             // nothing asked; also after the order was handed to the sender
        AskingTableState, // asking the server for the bound table's guest count
        AwaitingGuests,   // the guest-count editor is open
        AwaitingTable,    // the table chooser is open
    };
    Q_ENUM(State)

    static inline const QString kOpenedBy = QStringLiteral("openedBy");

    explicit OrderSendFlow(OrderManager &orders, QObject *parent = nullptr);
    ~OrderSendFlow() override;

    State state() const { return state_; }

    // Runs the checks and sends, or stops at the first that fails.
    Q_INVOKABLE void start();
    // The table chooser of the list's table button: its confirmation changes the table, no send
    // follows.
    void chooseTable();

signals:
    void stateChanged();
    // The order's table may have changed (bound, or chosen in the chooser).
    void tableChanged();

private:
    void setState(State state);
    void askTableState(const QString &deskNo);
    void openGuestEditor();
    void openChooser(bool forSend);
    void popupConfirmed(const Notification &notification);
    void offerQueueing();

    OrderManager &orders_;
    QString token_;
    State state_ = State::Idle;
};

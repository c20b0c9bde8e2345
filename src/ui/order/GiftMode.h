#pragma once

#include <QObject>

#include <QtQml/qqmlregistration.h>
#include <memory>

struct FoodOrder;
struct Services;

// The order list's gift mode: while it is on, each row shows its gift switch. The logged-in
// operator's own authority gives a line at once, recorded as its `authID`; without it, or without
// anybody logged in, the authorisation dialog asks. Gift mode ends when the operator logs out:
// gifts were given on the authority of the operator who has just left.
class GiftMode : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the order list")
    Q_PROPERTY(bool active READ isActive NOTIFY activeChanged)
public:
    explicit GiftMode(const Services &services, QObject *parent = nullptr);

    bool isActive() const { return active_; }
    void setActive(bool on);

    // The gift button: on and off, where the server's data knows gifts at all.
    Q_INVOKABLE void toggle();
    // Gives the line at `row` as a gift, or takes the gift back (set-meal components follow their set).
    void toggleLine(const std::shared_ptr<FoodOrder> &line, int row);

signals:
    void activeChanged();

private:
    const Services &services_;
    bool active_ = false;
};

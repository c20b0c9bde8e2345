#pragma once

#include <QMutex>
#include <QSet>
#include <QString>

#include <memory>

// The dish numbers the server last reported as sold out. The sold-out poller publishes each new
// list whole; dish names, order lines and background tasks read it from any thread.
class SoldOutList {
public:
    static SoldOutList &shared();

    bool contains(const QString &foodno) const;
    QSet<QString> snapshot() const;
    void publish(QSet<QString> foodnos);
    void clear();

private:
    std::shared_ptr<const QSet<QString>> current() const;

    mutable QMutex mutex_;
    // Readers take a reference and look it up outside the lock; a publish swaps in a new set.
    std::shared_ptr<const QSet<QString>> foodnos_ = std::make_shared<const QSet<QString>>();
};

#include "foundation/NotificationCenter.h"

#include "foundation/MainThread.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::addObserver(QObject *owner, const QString &name, Handler handler)
{
    Q_ASSERT(owner);
    auto observer = std::make_shared<Observer>(Observer{owner, name, std::move(handler)});
    bool firstForOwner = false;
    {
        QMutexLocker lock(&mutex_);
        firstForOwner = std::none_of(observers_.begin(), observers_.end(),
                                     [owner](const auto &o) { return o->owner == owner; });
        observers_.push_back(std::move(observer));
    }
    if (firstForOwner) {
        // Direct: the owner may live on any thread, and its entries must go before it is gone.
        connect(owner, &QObject::destroyed, this, [this, owner] { removeOwner(owner); },
                Qt::DirectConnection);
    }
}

void NotificationCenter::removeObserver(QObject *owner, const QString &name)
{
    QMutexLocker lock(&mutex_);
    std::erase_if(observers_, [&](const std::shared_ptr<Observer> &o) {
        const bool match = o->owner == owner && (name.isEmpty() || o->name == name);
        if (match)
            o->removed = true;
        return match;
    });
}

void NotificationCenter::removeOwner(QObject *owner)
{
    removeObserver(owner);
}

int NotificationCenter::observerCount(const QString &name) const
{
    QMutexLocker lock(&mutex_);
    return int(std::count_if(observers_.begin(), observers_.end(),
                             [&](const auto &o) { return o->name == name; }));
}

void NotificationCenter::post(const QString &name, const QVariant &object, const QVariantMap &userInfo)
{
    deliver(Notification{name, object, userInfo});
}

void NotificationCenter::deliver(const Notification &notification)
{
    std::vector<std::shared_ptr<Observer>> targets;
    {
        QMutexLocker lock(&mutex_);
        for (const auto &o : observers_) {
            if (o->name == notification.name)
                targets.push_back(o);
        }
    }
    for (const auto &o : targets) {
        bool removed;
        {
            QMutexLocker lock(&mutex_);
            removed = o->removed;
        }
        // An earlier handler of this same notification may have removed it.
        if (!removed)
            o->handler(notification);
    }
}

void NotificationCenter::postInMainThread(const QString &name, const QVariant &object,
                                          const QVariantMap &userInfo)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        post(name, object, userInfo);
        return;
    }
    runOnMainThread([this, n = Notification{name, object, userInfo}] { deliver(n); });
}

void PostNotificationInMainThread(const QString &name, const QVariant &object, const QVariantMap &userInfo)
{
    NotificationCenter::defaultCenter().postInMainThread(name, object, userInfo);
}

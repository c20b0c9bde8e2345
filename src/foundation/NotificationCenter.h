#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

struct Notification {
    QString name;
    QVariant object;
    QVariantMap userInfo;
};

// Named notifications between parts that hold no reference to each other.
// `post` delivers synchronously on the calling thread; `postInMainThread` delivers at once when
// called on the main thread and otherwise queues the delivery to it without waiting.
// An observer belongs to an owner QObject and is removed when the owner is destroyed.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(const Notification &)>;

    static NotificationCenter &defaultCenter();

    void addObserver(QObject *owner, const QString &name, Handler handler);
    // Removes the owner's observers of `name`, or all of them when `name` is empty.
    void removeObserver(QObject *owner, const QString &name = {});

    void post(const QString &name, const QVariant &object = {}, const QVariantMap &userInfo = {});
    void postInMainThread(const QString &name, const QVariant &object = {},
                          const QVariantMap &userInfo = {});

    int observerCount(const QString &name) const;

private:
    struct Observer {
        QObject *owner;
        QString name;
        Handler handler;
        bool removed = false;
    };
    void deliver(const Notification &notification);
    void removeOwner(QObject *owner);

    mutable QMutex mutex_;
    std::vector<std::shared_ptr<Observer>> observers_;
};

void PostNotificationInMainThread(const QString &name, const QVariant &object = {},
                                  const QVariantMap &userInfo = {});

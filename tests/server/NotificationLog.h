#pragma once

#include "foundation/NotificationCenter.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QThread>

// Records the notifications of the given names as "name|object", and whether each arrived on
// the main thread.
class NotificationLog : public QObject {
public:
    explicit NotificationLog(const QStringList &names)
    {
        for (const QString &name : names) {
            NotificationCenter::defaultCenter().addObserver(this, name, [this](const Notification &n) {
                entries << n.name + u'|' + n.object.toString();
                if (QThread::currentThread() != QCoreApplication::instance()->thread())
                    offMainThread = true;
            });
        }
    }

    QStringList entries;
    bool offMainThread = false;
};

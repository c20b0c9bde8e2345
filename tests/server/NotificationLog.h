#pragma once

#include "foundation/NotificationCenter.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QThread>

// Records the notifications of the given names as "name|object" (a list joined by ","), and
// whether each arrived on the main thread.
class NotificationLog : public QObject {
public:
    explicit NotificationLog(const QStringList &names)
    {
        for (const QString &name : names) {
            NotificationCenter::defaultCenter().addObserver(this, name, [this](const Notification &n) {
                const QString payload = n.object.typeId() == QMetaType::QStringList
                                            ? n.object.toStringList().join(u',')
                                            : n.object.toString();
                entries << n.name + u'|' + payload;
                if (QThread::currentThread() != QCoreApplication::instance()->thread())
                    offMainThread = true;
            });
        }
    }

    QStringList entries;
    bool offMainThread = false;
};

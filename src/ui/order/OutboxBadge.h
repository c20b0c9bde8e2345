#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// "待发送 N" in every screen's top bar: how many orders wait in the outbox, kept current from
// "kOutboxChanged"; a tap opens the outbox list.
class OutboxBadge : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    explicit OutboxBadge(QObject *parent = nullptr);

    int count() const { return count_; }
    Q_INVOKABLE void openList();

signals:
    void countChanged();

private:
    void update();

    int count_ = 0;
};

#pragma once

#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The outbox list: the orders waiting to be sent by themselves, oldest first, each with its table,
// the time it was queued, its number of lines, its amount, its state and the last error. Per order,
// "立即重试" sends at once (the oldest goes first, as always) and "取消" asks, then moves the order
// to the held orders. The rows follow the outbox as it changes; an emptied list stays open and says
// so, the waiter closes it.
class OutboxViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "OutboxView")
    Q_PROPERTY(QVariantList rows READ rows NOTIFY rowsChanged)
public:
    explicit OutboxViewController(QObject *parent = nullptr);

    // Opens the list over whatever is on screen.
    static void open();

    // One map per queued order: flowNo, table, time ("HH:mm"), lines, amount ("%.2f"), state, error.
    QVariantList rows() const { return rows_; }

    Q_INVOKABLE void retry();
    // Asks first: the order then leaves the outbox for the held orders.
    Q_INVOKABLE void cancelOrder(const QString &flowNo, const QString &table);
    Q_INVOKABLE void close();

    void initLanguage() override { reload(); }

signals:
    void rowsChanged();

private:
    void reload();

    QVariantList rows_;
};

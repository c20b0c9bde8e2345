#pragma once

#include "catalogue/CatalogueRecords.h"
#include "order/OrderPack.h"
#include "toolkit/PopRootViewController.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <memory>

// The held-order list: the orders held on this terminal, numbered from 1 with the time they were
// held ("yyyy-MM-dd HH:mm:ss"); for the one selected its lines (name, quantity, unit price, line
// total "%.2f") and the order total ("%.1f"). "确定" takes the selected order back: it becomes the
// order in progress and leaves the store in one step (OrderManager::genPackFromGuaDan), so that no
// crash or refusal can lose it; then "kGuaDanChoosed" carries its pack to the order list.
//
// A held order that cannot be rebuilt shows "操作失败" and leaves the selection without an order,
// so "确定" then deletes nothing and never brings back the order selected before ("请选择挂单").
// A failed restore shows "恢复挂单失败" (or the order manager's own refusal while a send waits
// for its answer); the held order and the order in progress then stay as they were.
class GuaDanViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "GuaDanView")
    Q_PROPERTY(QStringList heldRows READ heldRows CONSTANT)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)
    Q_PROPERTY(QStringList lineRows READ lineRows NOTIFY selectionChanged)
    Q_PROPERTY(QString totalText READ totalText NOTIFY selectionChanged)
public:
    explicit GuaDanViewController(QObject *parent = nullptr);

    // One entry per held order: "number\ttime".
    QStringList heldRows() const;
    int selectedIndex() const { return selected_; }
    // One entry per line of the selected order: "name\tquantity\tunit price\ttotal".
    QStringList lineRows() const;
    QString totalText() const;
    std::shared_ptr<OrderPack> selectedPack() const { return orderPack_; }

    Q_INVOKABLE void select(int index);
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void selectionChanged();

private:
    QList<Guadan> arrPacks_;
    QHash<qint32, std::shared_ptr<OrderPack>> dictOrderPacks_;
    int selected_ = -1;
    std::shared_ptr<OrderPack> orderPack_;
};

#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The size chooser of a dish with sizes: one row per size ("%@ - ￥%.2f"), the dish's own size
// last. More than two entries are shown by price, lowest first (equal prices keep their order).
// A tap on a row orders the dish in that size at once. The choice stays in the chooser: the
// dish's catalogue record, which the menu shares, is never changed.
class FoodItemSizeViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "FoodItemSizeView")
    Q_PROPERTY(QStringList rows READ rows CONSTANT)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)
public:
    FoodItemSizeViewController(const Food &food, const QList<FoodItemsize> &sizes, QObject *parent = nullptr);

    QStringList rows() const;
    int selectedRow() const { return selectedRow_; }
    const QList<FoodItemsize> &sizes() const { return sizes_; }

    // A tap on a row: chooses it and confirms.
    Q_INVOKABLE void chooseRow(int row);
    // "确定": "请选择规格" without a chosen row; else orders the dish in that size and closes.
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void selectedRowChanged();

private:
    Food food_;
    QList<FoodItemsize> sizes_;
    int selectedRow_ = -1;
};

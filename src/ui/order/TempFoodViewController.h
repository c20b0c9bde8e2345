#pragma once

#include "catalogue/Food.h"
#include "toolkit/PopRootViewController.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The temporary-dish editor: the catalogue's temporary dishes (number and name), and the name,
// price and quantity typed for the one picked. "确定" checks, in this order, "请选择菜品",
// "请填菜品名称", "请填写销售价格", "销售价格需要大于零！" and "销售需需大于1！", then adds ONE line
// carrying the quantity and the typed price. The dish goes straight to OrderManager, never through
// the size chooser or the set-meal details, and the catalogue record keeps its own name and price.
class TempFoodViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "TempFoodView")
    Q_PROPERTY(QStringList dishNumbers READ dishNumbers CONSTANT)
    Q_PROPERTY(QStringList dishNames READ dishNames CONSTANT)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(QString nameText READ nameText WRITE setNameText NOTIFY fieldsChanged)
    Q_PROPERTY(QString priceText READ priceText WRITE setPriceText NOTIFY fieldsChanged)
    Q_PROPERTY(QString qtyText READ qtyText WRITE setQtyText NOTIFY fieldsChanged)
public:
    explicit TempFoodViewController(QObject *parent = nullptr);

    QStringList dishNumbers() const;
    QStringList dishNames() const;
    int selectedIndex() const { return selected_; }
    QString nameText() const { return name_; }
    void setNameText(const QString &text);
    QString priceText() const { return price_; }
    void setPriceText(const QString &text);
    QString qtyText() const { return qty_; }
    void setQtyText(const QString &text);

    // Picks a dish: its name fills the name field and the quantity becomes "1".
    Q_INVOKABLE void select(int index);
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

signals:
    void selectedIndexChanged();
    void fieldsChanged();

private:
    QList<Food> dishes_;
    int selected_ = -1;
    QString name_;
    QString price_;
    QString qty_;
};

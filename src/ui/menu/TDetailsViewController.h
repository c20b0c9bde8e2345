#pragma once

#include "SetMealRowsModel.h"
#include "catalogue/Food.h"
#include "toolkit/PopRootViewController.h"

#include <QString>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

// The set-meal details: the set's components (left) and the alternatives of the selected one
// (right), the number of sets and the price with the exchanges' surcharges. "换 菜" puts the
// selected alternative in the selected component's place; the alternatives travel with the
// position, so exchanging back restores the set. "确定" orders the sets, unless a component is sold
// out: then it names that component and the waiter exchanges it first.
class TDetailsViewController : public PopRootViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("opened through PopViewManager")
    Q_CLASSINFO("PopView", "TDetailsView")
    Q_PROPERTY(QString title READ title NOTIFY captionsChanged)
    Q_PROPERTY(SetMealRowsModel *components READ components CONSTANT)
    Q_PROPERTY(SetMealRowsModel *alternatives READ alternatives CONSTANT)
    Q_PROPERTY(QString qtyText READ qtyText NOTIFY statusChanged)
    Q_PROPERTY(QString priceText READ priceText NOTIFY statusChanged)
public:
    explicit TDetailsViewController(const Food &setMeal, QObject *parent = nullptr);

    QString title() const;
    SetMealRowsModel *components() { return &components_; }
    SetMealRowsModel *alternatives() { return &alternatives_; }
    QString qtyText() const;
    QString priceText() const { return food_.getSuitePrice(); }
    const Food &food() const { return food_; }
    float orderNum() const { return orderNum_; }

    Q_INVOKABLE void selectComponent(int index);
    Q_INVOKABLE void selectAlternative(int index);
    Q_INVOKABLE void add();
    Q_INVOKABLE void del();
    Q_INVOKABLE void change();
    Q_INVOKABLE void confirm();
    Q_INVOKABLE void cancel();

    void initLanguage() override;

signals:
    void captionsChanged();
    void statusChanged();

private:
    void reloadComponents();
    void reloadAlternatives();
    void askPictures(const QList<Food> &foods);

    Food food_;
    QStringList arrOrgFoodnos_;
    float orderNum_ = 1;
    SetMealRowsModel components_;
    SetMealRowsModel alternatives_;
};

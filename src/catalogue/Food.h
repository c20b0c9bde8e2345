#pragma once

#include "catalogue/FoodInfo.h"

#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>

// A menu item: one dish with the names of its categories and, for a set meal, its components and
// their exchange options. Copies of a Food share the same dish record.
struct Food {
    std::shared_ptr<FoodInfo> info = std::make_shared<FoodInfo>();
    QString bcatName;
    QString scatName;
    // A set meal's components in ascending `suiteIndex`, loaded when the set meal is opened.
    QList<Food> arrSuiteFoods;
    // A component's exchange options.
    QList<Food> arrSuiteFoodsChange;
    // Set-meal dish number of a component or exchange option.
    QString suitno;
    float suitFoodQty = 0;
    QString forceChange;
    qint64 suiteIndex = 0;
    // The component this entry stands for: its own number, or the replaced one after an exchange.
    QString OrgFoodNo;
    // Extra charge of an exchange option or of an exchanged component.
    float changeAmt = 0;

    float salePrice1() const;
    float memberPrice() const;

    bool isDFoodType() const;
    bool isTFoodType() const;
    bool isMFoodType() const;
    bool isShiJia() const;
    bool isTuiJian() const;
    bool isTempFood() const;
    bool hasChangeFoods() const;

    // "￥ 12.50 / 份", "￥ 12.50", or the localised "时价" (with " / unit" when there is a unit).
    QString getPrice() const;
    // The set meal's price with each component's exchange charge for its quantity: "￥ 98.00".
    QString getSuitePrice() const;
    float setMealPrice() const;

    // The set-meal exchange price, the one rule for it: what a component adds to its set meal is its
    // exchange charge times its quantity, nothing for a component without one. The set price on the
    // menu, the order's amounts and the send text all come from here.
    static float exchangeCharge(float changeAmt, float qty = 1);

private:
    // The dish, or an empty one for a Food whose info was dropped, so no reader dereferences null.
    const FoodInfo &dish() const;
};

Q_DECLARE_METATYPE(Food)

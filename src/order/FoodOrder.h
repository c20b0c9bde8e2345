#pragma once

#include "catalogue/StyledText.h"
#include "catalogue/TasteInfo.h"

#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>

// One line of an order: a dish, a set meal, or one component of a set meal, with its quantity,
// size, price, print state, tastes and gift mark. A set meal is a parent line of type "T" whose
// component lines ("M") are both in its `arrSubOrders` and ordinary members of the order, linked
// to it by `suitno` (the parent's dish number) and `suiteIndex` (the parent's `itemSeq`).
struct FoodOrder {
    // Kitchen print states, cycled 0 -> 1 -> 2 -> 0.
    static inline const QString stateJiqi = QStringLiteral("0");
    static inline const QString stateDengjiao = QStringLiteral("1");
    static inline const QString stateBuchu = QStringLiteral("2");

    QString foodno;
    QString catno;
    // For a temporary dish: the typed name.
    QString foodName;
    QString foodSubName;
    // "D" dish, "T" set meal, "M" set-meal component.
    QString FoodType;
    QString currpriceFlag;
    QString TjFlag;
    QString TempFoodFlag;
    QString spellName;
    // The unit price of every amount; 0 for a market-price dish until a price is entered.
    float salePrice1 = 0;
    float salePrice2 = 0;
    float salePrice3 = 0;
    float MemberPrice = 0;
    QString unitname;
    QString itemsize;
    QString Remark;
    QString PrintState;
    QString bcatName;
    QString scatName;
    QString suitno;
    QString forceChange;
    // For a component: the parent's `itemSeq` once ordered, the catalogue position until then.
    qint64 suiteIndex = 0;
    float suitFoodQty = 0;
    // Kept only in the held-order text.
    qint32 suitIndex = 0;
    QList<std::shared_ptr<FoodOrder>> arrSubOrders;
    // For a component: the component it replaced in an exchange, or its own number.
    QString OrgFoodNo;
    // For a component: the exchange charge per unit, which is the component's unit price.
    float changeAmt = 0;
    float orderQty = 0;
    quint64 itemSeq = 0;
    QList<TasteInfo> arrTaste;
    // "A" normal sale, "C" gift; follows the gift mark.
    QString sellWay;
    // Who authorised the gift; empty for a normal line.
    QString authID;
    // Set by the sold-out task; never stored.
    bool isSoldOut = false;

    static std::shared_ptr<FoodOrder> genFoodOrderWithType(const QString &type);
    // The line is a component of `parent`: same set meal and the parent's sequence number.
    static bool isSubOrder(const FoodOrder &line, const FoodOrder &parent);

    // The merge rule: a new dish line joins `existing` only when nothing the kitchen or the bill
    // would tell apart differs.
    bool mergesInto(const FoodOrder &existing) const;

    bool isZengSong() const { return isZengSong_; }
    // Marks or clears the gift; `sellWay` becomes "C" or "A" with it.
    void setIsZengSong(bool gift);

    bool isTFoodType() const;
    bool isDFoodType() const;
    bool isMFoodType() const;
    bool isShiJia() const;
    bool isTempFood() const;

    // The line's amount: price times quantity (nothing for a gift), for a set meal optionally with
    // its components' exchange charges, plus the tastes' surcharges. Unknown types amount to 0.
    float computePriceWhenTTypeComputeSub(bool includeSubOrders) const;
    float getTotalPrice() const;
    float getSinglePrice() const;

    QString displayFoodName() const;
    StyledText displayStyleFoodName() const;
    // `name` with the sold-out mark appended when the line is sold out.
    StyledText displayStyleSoldoutFoodName(const QString &name) const;

    // The price a line is billed and sent at: a component's exchange charge (Food::exchangeCharge),
    // any other line its sale price.
    float unitPrice() const;
    // The localised "赠送" for a gift, else unitPrice().
    QString PriceSale1() const;
    QString PriceSale2() const;
    QString PriceSale3() const;
    QString OrderQuantity() const;

    // The localised "即起", "等叫", "不出"; any other state is shown as it stands.
    static QString printStateText(const QString &state);
    // The state after `state` in the cycle; a state outside the three stays.
    static QString nextPrintState(const QString &state);

    // The "<Data ... />" element of the send text and the "<Guadan ... />" element of the
    // held-order text. Both first bring `sellWay` in line with the gift mark and clear `authID`
    // of a line that is not a gift.
    QString toDataString();
    QString toGuadanString();

private:
    void settleSellWay();

    bool isZengSong_ = false;
};

Q_DECLARE_METATYPE(std::shared_ptr<FoodOrder>)

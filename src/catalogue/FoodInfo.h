#pragma once

#include "catalogue/StyledText.h"

#include <QMetaType>
#include <QString>

#include <memory>

// One dish of the catalogue (table FoodInfo). Filled by the database layer and then only read,
// except `itemsize` (the chosen size) and the sale-list fields `itemseq` and `qty`.
struct FoodInfo {
    // Set only when the dish carries a line of a table's sale list.
    QString itemseq;
    QString foodno;
    QString catno;
    QString foodName;
    QString foodSubName;
    // "D" ordinary dish, "T" set meal, "M" set-meal component.
    QString FoodType;
    QString currpriceFlag;
    QString TjFlag;
    QString TempFoodFlag;
    QString spellName;
    float salePrice1 = 0;
    float salePrice2 = 0;
    float salePrice3 = 0;
    float MemberPrice = 0;
    QString unitname;
    QString itemsize;
    QString Remark;
    // Set only when the dish carries a line of a table's sale list.
    float qty = 0;
    // The dish's own size name as loaded; stays when another size is chosen.
    QString orgItemSize;

    // The localised "(已售罄)" mark shown after the names of sold-out dishes.
    static QString soldOutSuffix();

    bool isSoldOut() const;
    QString displayFoodName() const;
    // displayFoodName() with the sold-out mark highlighted.
    StyledText displayStyleFoodName() const;
    std::shared_ptr<FoodInfo> clone() const;

    bool operator==(const FoodInfo &) const = default;
};

Q_DECLARE_METATYPE(std::shared_ptr<FoodInfo>)

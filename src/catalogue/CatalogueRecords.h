#pragma once

// The plain records of the catalogue, one per table of the base data, plus the held orders of the
// device. Field names follow the columns letter for letter. Texts absent in the database are empty;
// one-letter flags mean "yes" only when they equal "Y".

#include "catalogue/Food.h"
#include "catalogue/FoodInfo.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One optional size of a dish (table FoodItemsize). Only `salePrice1` comes from the table; the
// other prices are set only in the default entry made from the dish itself.
struct FoodItemsize {
    QString foodno;
    QString itemsize;
    float salePrice1 = 0;
    float salePrice2 = 0;
    float salePrice3 = 0;
    float MemberPrice = 0;

    bool operator==(const FoodItemsize &) const = default;
};

// A small category (table FoodSmallCatInfo); the last four fields belong to the menu browser.
struct FoodSmallCatInfo {
    QString scatno;
    QString scatName;
    QString bcatNo;
    // Dish cells per menu page (columns cpViewRow, cpViewCol); 0 when not set.
    qint64 layoutRow = 0;
    qint64 layoutCol = 0;
    qint64 pageIndexInGrid = 0;
    qint32 flag = 0;
    bool isTuiJian = false;
    QList<Food> arrFoods;
};

// A top-level category (table FoodBigCatInfo) with its small categories.
struct FoodBigCatInfo {
    QString bcatno;
    QString bcatName;
    QList<FoodSmallCatInfo> arrSubCate;
};

// A component of a set meal (table SuitFoodInfo).
struct SuitFoodInfo {
    QString suitno;
    QString foodno;
    float foodQty = 0;
    QString forceChange;
    qint64 fIndex = 0;
    QString foodName;
    QString itemsize;
    QString currpriceFlag;
    QString TempFoodFlag;
};

// A dish that may replace a component of a set meal (table SuitFoodChange).
struct SuitFoodChange {
    QString suitno;
    QString foodno;
    QString changeFoodno;
    // May be 0 or negative.
    float changeAmt = 0;
    QString foodName;
};

// A cooking-method category (table TasteCatInfo): style "P" for order lines, "B" for the whole order.
struct TasteCatInfo {
    QString TasteCatNo;
    QString TasteCatName;
    QString TasteCatStyle;
};

// A cooking method bound to a dish (table FoodTasteInfo).
struct FoodTasteInfo {
    QString foodno;
    QString tasteno;
};

struct RoomInfo {
    QString roomno;
    QString roomName;
};

struct DeskInfo {
    // The table number sent to the server.
    QString deskno;
    QString deskName;
    QString roomno;
};

// A reason for returning a dish (table RtnReasonInfo).
struct RtnReasonInfo {
    QString reasonNo;
    QString reasonName;
};

// One name/value parameter of the store (table StoreInfo), e.g. "StoreName", "BaseDataVer".
struct StoreInfo {
    QString pname;
    QString pvalue;
    QString remark;
};

// An operator (table CashierInfo).
struct CashierInfo {
    QString cashierID;
    QString cashierName;
    QString userPass;
    // One-letter permission flags, one position per permission.
    QString userAuth;

    // The operator may authorise gifts: position 20 of `userAuth` is "Y".
    bool hasZengSongAuth() const;
};

// An order held on the device (table guadan), in the held-order text form.
struct Guadan {
    qint64 gid = 0;
    QString content;
    // Stored as whole seconds since 1970-01-01 UTC.
    QDateTime createDate;
};

#pragma once

#include <QString>

#include <optional>

// Records read from the rows of server replies. Each field is the row element's attribute of the
// same name; a missing attribute leaves it absent.

// One table in the reply to "GetRoomDeskState".
struct Row {
    std::optional<QString> deskNo;
    std::optional<QString> deskName;
    std::optional<QString> useIndex; // "0" free, anything else in use
    std::optional<QString> custNumber;
    std::optional<QString> TotalAmt;
};

// One sold line in the reply to "GetDeskSaleList".
struct Row2 {
    std::optional<QString> itemseq;
    std::optional<QString> pluno;
    std::optional<QString> pluName;
    std::optional<QString> unitName;
    std::optional<QString> itemsize;
    std::optional<QString> saleQty;
    std::optional<QString> SalePrice;
    std::optional<QString> sellWay;
    std::optional<QString> havePrtFlag;
    std::optional<QString> FoodType;
    std::optional<QString> FlagGroup;

    // The line waits for its weight to be confirmed: printed state "2", not a set-meal component,
    // and the second flag of FlagGroup is "Y". A FlagGroup shorter than two characters carries
    // no weighing flag.
    bool isChengZhongItem() const;
};

// One dish of the sold-out list ("GetGqFoodList"); leftQty exactly "0" means sold out.
struct Row3 {
    std::optional<QString> foodno;
    std::optional<QString> foodName;
    std::optional<QString> unitName;
    std::optional<QString> itemsize;
    std::optional<QString> InitQty;
    std::optional<QString> SaleQty;
    std::optional<QString> leftQty;
    std::optional<QString> AlterQty;
};

// How an amount, a quantity or a guest count of a reply is taken: as received, unless it names a
// number that no float holds (NaN, an infinity, beyond float's range such as 1e308), which would
// reach the screens as "nan" or "inf" or overflow the sums: that becomes "0". Any other text
// that is not a number stays, and reads as 0 where numbers are read.
std::optional<QString> finiteNumberText(const std::optional<QString> &text);

// The server's parameters from the reply to "CheckServerStatus".
struct ParaList {
    std::optional<QString> serverDogNo; // attribute "ServerDogNo"
    std::optional<QString> serverVer;   // attribute "ServerVer"
};

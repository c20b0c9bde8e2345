#pragma once

#include <QList>
#include <QString>

#include <optional>

// The base data of one restaurant, as its ordering server exports it into PadBaseData.db. Field
// names follow the columns letter for letter. Prices are kept as the decimal values the server
// stores (double), so that 12.8 is written as 12.8 and not as a widened float.
namespace demodata {

// How a category's dishes look in their pictures: the vessel and the colours of the food.
enum class Look {
    Cold,
    Spicy,
    StirFry,
    Braised,
    GriddlePot,
    Seafood,
    Soup,
    Staple,
    DimSum,
    Beer,
    Liquor,
    SoftDrink,
    Tea,
    SetMeal,
    Dessert,
    OpenItem,
};

struct BigCategory {
    QString bcatno;
    QString bcatName;
};

struct SmallCategory {
    QString scatno;
    QString scatName;
    QString bcatNo;
    // The category's own menu grid; absent (NULL) or 0 means the menu's default grid.
    std::optional<qint64> cpViewRow;
    std::optional<qint64> cpViewCol;
    Look look = Look::StirFry;
};

struct Dish {
    QString foodno;
    QString catno;
    QString foodName;
    QString foodSubName;
    QString FoodType = QStringLiteral("D");
    QString currpriceFlag = QStringLiteral("N");
    QString TjFlag = QStringLiteral("N");
    // Real exports leave this NULL for some dishes, which then show in neither dish list.
    std::optional<QString> TempFoodFlag = QStringLiteral("N");
    QString spellName;
    double salePrice1 = 0;
    double salePrice2 = 0;
    double salePrice3 = 0;
    double MemberPrice = 0;
    QString unitname;
    QString itemsize;
    QString Remark;
};

struct ItemSize {
    QString foodno;
    QString itemsize;
    double salePrice1 = 0;
    double salePrice2 = 0;
    double salePrice3 = 0;
    double MemberPrice = 0;
};

struct SuitComponent {
    QString suitno;
    QString foodno;
    QString foodName;
    double foodQty = 1;
    QString forceChange;
    qint64 fIndex = 0;
    QString itemsize;
    QString currpriceFlag;
    std::optional<QString> TempFoodFlag;
};

struct SuitChange {
    QString suitno;
    QString foodno;
    QString changeFoodno;
    QString foodName;
    double changeAmt = 0;
};

struct TasteCategory {
    QString TasteCatNo;
    QString TasteCatName;
    QString TasteCatStyle;
};

struct Taste {
    QString TasteNo;
    QString TasteName;
    QString TasteCatNo;
    QString QtyStyle;
    std::optional<QString> AmtStyle;
    double TasteAmt = 0;
};

struct FoodTaste {
    QString foodno;
    QString tasteno;
};

struct Room {
    QString roomno;
    QString roomName;
};

struct Desk {
    QString deskno;
    QString deskName;
    QString roomno;
};

struct ReturnReason {
    QString reasonNo;
    QString reasonName;
};

struct StoreParam {
    QString pname;
    QString pvalue;
    QString remark;
};

struct Cashier {
    QString cashierID;
    QString cashierName;
    QString userAuth;
    QString userPass;
};

struct Catalogue {
    QList<BigCategory> bigCategories;
    QList<SmallCategory> smallCategories;
    QList<Dish> dishes;
    QList<ItemSize> itemSizes;
    QList<SuitComponent> suitComponents;
    QList<SuitChange> suitChanges;
    QList<TasteCategory> tasteCategories;
    QList<Taste> tastes;
    QList<FoodTaste> foodTastes;
    QList<Room> rooms;
    QList<Desk> desks;
    QList<ReturnReason> returnReasons;
    QList<StoreParam> storeParams;
    QList<Cashier> cashiers;

    const SmallCategory *smallCategory(const QString &scatno) const;
    const Dish *dishNamed(const QString &foodName) const;
};

} // namespace demodata

#include "Catalogue.h"

#include "storage/DBManager.h"

namespace {
DBManager &baseData()
{
    return DBManager::defaultManager();
}
} // namespace

MenuCatalogue Catalogue::menu() const
{
    return readMenuCatalogue();
}

QList<Food> Catalogue::dishes(bool temporary) const
{
    QList<Food> read;
    baseData().getAllFoodInfo([&read](const QList<Food> &foods) { read = foods; }, temporary);
    return read;
}

QList<FoodInfo> Catalogue::dishNames() const
{
    QList<FoodInfo> read;
    baseData().getFoodInfo2([&read](const QList<FoodInfo> &infos) { read = infos; });
    return read;
}

TasteChoices Catalogue::tastes(const QString &style, const QString &foodNo) const
{
    TasteChoices read;
    baseData().getTasteInfoByStyle(style, foodNo,
                                   [&read](const QList<TasteCatInfo> &categories, const QList<TasteInfo> &all,
                                           const DBManager::TasteMap &byCategory) {
                                       read = {categories, all, byCategory};
                                   });
    return read;
}

QList<RoomInfo> Catalogue::rooms() const
{
    QList<RoomInfo> read;
    baseData().getAllRooms([&read](const QList<RoomInfo> &rooms) { read = rooms; });
    return read;
}

QList<DeskInfo> Catalogue::tables() const
{
    QList<DeskInfo> read;
    baseData().getAllTables([&read](const QList<DeskInfo> &tables) { read = tables; });
    return read;
}

QList<FoodBigCatInfo> Catalogue::bigCategories() const
{
    QList<FoodBigCatInfo> read;
    baseData().getAllFoodBigCat([&read](const QList<FoodBigCatInfo> &cats) { read = cats; });
    return read;
}

QList<FoodSmallCatInfo> Catalogue::smallCategories() const
{
    QList<FoodSmallCatInfo> read;
    baseData().getAllFoodSmallCat([&read](const QList<FoodSmallCatInfo> &cats) { read = cats; });
    return read;
}

QList<RtnReasonInfo> Catalogue::returnReasons() const
{
    QList<RtnReasonInfo> read;
    baseData().getAllReason([&read](const QList<RtnReasonInfo> &reasons) { read = reasons; });
    return read;
}

CashierInfo Catalogue::cashier(const QString &id) const
{
    CashierInfo read;
    baseData().getCashierInfoWithId(id, [&read](const CashierInfo &info) { read = info; });
    return read;
}

QString Catalogue::storeName() const
{
    QString read;
    baseData().getStoreName([&read](const StoreInfo &info) { read = info.pvalue; });
    return read;
}

void Catalogue::reload()
{
    baseData().setup();
}

#include "Catalogue.h"

#include "storage/DBManager.h"

namespace {
DBManager &baseData()
{
    return DBManager::defaultManager();
}

// A whole list of the base data, which hands it to a callback before returning.
template <class Record>
QList<Record> readAll(void (DBManager::*query)(const DBManager::Callback<const QList<Record> &> &))
{
    QList<Record> read;
    (baseData().*query)([&read](const QList<Record> &records) { read = records; });
    return read;
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
    return readAll(&DBManager::getFoodInfo2);
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
    return readAll(&DBManager::getAllRooms);
}

QList<DeskInfo> Catalogue::tables() const
{
    return readAll(&DBManager::getAllTables);
}

QList<FoodBigCatInfo> Catalogue::bigCategories() const
{
    return readAll(&DBManager::getAllFoodBigCat);
}

QList<FoodSmallCatInfo> Catalogue::smallCategories() const
{
    return readAll(&DBManager::getAllFoodSmallCat);
}

QList<RtnReasonInfo> Catalogue::returnReasons() const
{
    return readAll(&DBManager::getAllReason);
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

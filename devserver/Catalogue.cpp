#include "Catalogue.h"

#include "SqliteDb.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace {

// Tables that a base-data file may lack are read as empty: the prepare fails and no row comes.
std::map<std::string, std::string> smallToBigCategory(const SqliteDb &db)
{
    std::map<std::string, std::string> map;
    SqliteStatement query(db, "select scatno, bcatNo from FoodSmallCatInfo");
    while (query.next())
        map[query.text(0)] = query.text(1);
    return map;
}

} // namespace

std::optional<Catalogue> Catalogue::load(const std::string &baseDataFolder, std::string &error)
{
    const std::string path = (std::filesystem::path(baseDataFolder) / "PadBaseData.db").string();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "no PadBaseData.db in " + baseDataFolder;
        return std::nullopt;
    }
    SqliteDb db;
    if (!db.open(path, true, error))
        return std::nullopt;
    if (!db.exec("select count(*) from sqlite_master", &error)) {
        error = path + ": " + error;
        return std::nullopt;
    }

    Catalogue catalogue;
    const auto bigOf = smallToBigCategory(db);
    SqliteStatement dishes(db, "select foodno, catno, foodName, FoodType, unitname, itemsize, salePrice1 "
                               "from FoodInfo");
    while (dishes.next()) {
        CatalogueDish dish{dishes.text(0), dishes.text(1), {}, dishes.text(2), dishes.text(3), dishes.text(4),
                           dishes.text(5), dishes.real(6)};
        if (const auto big = bigOf.find(dish.smallCatNo); big != bigOf.end())
            dish.bigCatNo = big->second;
        catalogue.dishes_[dish.foodNo] = dish;
    }
    SqliteStatement desks(db, "select deskno, deskName, roomno from DeskInfo");
    while (desks.next()) {
        CatalogueDesk desk{desks.text(0), desks.text(1), desks.text(2)};
        if (desk.deskNo.empty() || catalogue.deskIndex_.count(desk.deskNo))
            continue;
        catalogue.deskIndex_[desk.deskNo] = catalogue.desks_.size();
        catalogue.desks_.push_back(desk);
    }
    SqliteStatement cashiers(db, "select cashierID, cashierName, userPass from CashierInfo");
    while (cashiers.next())
        catalogue.cashiers_[cashiers.text(0)] = {cashiers.text(0), cashiers.text(1), cashiers.text(2)};
    SqliteStatement tastes(db, "select TasteNo, TasteName, AmtStyle, TasteAmt from TasteInfo");
    while (tastes.next())
        catalogue.tastes_[tastes.text(0)] = {tastes.text(0), tastes.text(1), tastes.text(2), tastes.real(3)};
    SqliteStatement reasons(db, "select reasonNo, reasonName from RtnReasonInfo");
    while (reasons.next())
        catalogue.reasons_[reasons.text(0)] = reasons.text(1);
    SqliteStatement store(db, "select pname, pvalue from StoreInfo");
    while (store.next())
        catalogue.storeParameters_[store.text(0)] = store.text(1);
    return catalogue;
}

const CatalogueDish *Catalogue::dish(const std::string &foodNo) const
{
    const auto it = dishes_.find(foodNo);
    return it == dishes_.end() ? nullptr : &it->second;
}

const CatalogueDesk *Catalogue::desk(const std::string &deskNo) const
{
    const auto it = deskIndex_.find(deskNo);
    return it == deskIndex_.end() ? nullptr : &desks_[it->second];
}

const CatalogueCashier *Catalogue::cashier(const std::string &id) const
{
    const auto it = cashiers_.find(id);
    return it == cashiers_.end() ? nullptr : &it->second;
}

const CatalogueTaste *Catalogue::taste(const std::string &tasteNo) const
{
    const auto it = tastes_.find(tasteNo);
    return it == tastes_.end() ? nullptr : &it->second;
}

std::optional<std::string> Catalogue::reasonName(const std::string &reasonNo) const
{
    const auto it = reasons_.find(reasonNo);
    if (it == reasons_.end())
        return std::nullopt;
    return it->second;
}

std::string Catalogue::storeParameter(const std::string &name) const
{
    const auto it = storeParameters_.find(name);
    return it == storeParameters_.end() ? std::string() : it->second;
}

bool Catalogue::isWeightUnit(const std::string &unitName)
{
    static const std::array<std::string, 9> units = {"斤", "两", "公斤", "千克", "克", "kg", "KG", "g", "lb"};
    return std::find(units.begin(), units.end(), unitName) != units.end();
}

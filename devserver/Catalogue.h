#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

struct CatalogueDish {
    std::string foodNo;
    std::string smallCatNo;
    std::string bigCatNo;
    std::string name;
    std::string foodType;
    std::string unitName;
    std::string itemSize;
    double price = 0;
};

struct CatalogueDesk {
    std::string deskNo;
    std::string deskName;
    std::string roomNo;
};

struct CatalogueCashier {
    std::string id;
    std::string name;
    std::string password;
};

struct CatalogueTaste {
    std::string tasteNo;
    std::string name;
    std::string amtStyle; // "A" fixed amount, "P" percentage
    double amount = 0;
};

// The restaurant's catalogue as the terminal reads it: the base-data folder's "PadBaseData.db",
// opened read-only and loaded whole at start (it never changes while the server runs).
class Catalogue {
public:
    // Nothing, with the reason in error, when the folder holds no readable PadBaseData.db.
    static std::optional<Catalogue> load(const std::string &baseDataFolder, std::string &error);

    const CatalogueDish *dish(const std::string &foodNo) const;
    const CatalogueDesk *desk(const std::string &deskNo) const;
    const std::vector<CatalogueDesk> &desks() const { return desks_; }
    const CatalogueCashier *cashier(const std::string &id) const;
    const CatalogueTaste *taste(const std::string &tasteNo) const;
    bool hasReturnReasons() const { return !reasons_.empty(); }
    std::optional<std::string> reasonName(const std::string &reasonNo) const;
    // The value of a store parameter ("StoreName", "BaseDataVer"); empty when there is none.
    std::string storeParameter(const std::string &name) const;

    // Dishes sold by weight: their unit is a weight unit such as 斤 or 两.
    static bool isWeightUnit(const std::string &unitName);

private:
    std::map<std::string, CatalogueDish> dishes_;
    std::vector<CatalogueDesk> desks_;
    std::map<std::string, std::size_t> deskIndex_;
    std::map<std::string, CatalogueCashier> cashiers_;
    std::map<std::string, CatalogueTaste> tastes_;
    std::map<std::string, std::string> reasons_;
    std::map<std::string, std::string> storeParameters_;
};

#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"
#include "catalogue/TasteInfo.h"
#include "storage/MenuCatalogue.h"

#include <QHash>
#include <QList>
#include <QString>

// The cooking methods offered for one style (and dish): the categories in order, every method, and
// each category's methods under its `TasteCatNo`.
struct TasteChoices {
    QList<TasteCatInfo> categories;
    QList<TasteInfo> all;
    QHash<QString, QList<TasteInfo>> byCategory;
};

// The installed catalogue as the screens and the console read it: values, never callbacks, never
// SQL. A catalogue that cannot be read gives empty lists and empty records.
class Catalogue {
public:
    virtual ~Catalogue() = default;

    // The menu cut by the current settings (categories, pages, the recommended page).
    virtual MenuCatalogue menu() const;
    // The temporary dishes when `temporary`, else the others.
    virtual QList<Food> dishes(bool temporary = false) const;
    // Number, name, spelling and price of every dish, by number: the search lists.
    virtual QList<FoodInfo> dishNames() const;
    virtual TasteChoices tastes(const QString &style, const QString &foodNo = {}) const;
    // Headed by the pseudo-room "all".
    virtual QList<RoomInfo> rooms() const;
    virtual QList<DeskInfo> tables() const;
    // What the dish operations choose from: the categories and the reasons for a return.
    virtual QList<FoodBigCatInfo> bigCategories() const;
    virtual QList<FoodSmallCatInfo> smallCategories() const;
    virtual QList<RtnReasonInfo> returnReasons() const;
    // The operator with that number; an empty record when none.
    virtual CashierInfo cashier(const QString &id) const;
    virtual QString storeName() const;
    // Opens the base data again (after a new package was unpacked or the data folder changed).
    virtual void reload();
};

#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"

#include <QList>
#include <QString>

// Finding dishes by a typed key, as the search pop-up, the quick-order screen and the console do.
namespace DishSearch {
// The dishes whose number, name or mnemonic holds `key` anywhere, ignoring letter case, in the
// order given; every dish for an empty key.
QList<Food> filterWithKey(const QList<Food> &dishes, const QString &key);

struct Section {
    FoodSmallCatInfo category;
    QList<Food> dishes;
};

// The dishes grouped by small category (`catno` = `scatno`), in the categories' order, each keeping
// the dishes' order. Categories without a dish are left out, and so are dishes of no listed category.
QList<Section> groupBySmallCategory(const QList<FoodSmallCatInfo> &categories, const QList<Food> &dishes);
} // namespace DishSearch

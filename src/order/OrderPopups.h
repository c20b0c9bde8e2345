#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"
#include "order/FoodOrder.h"

#include <QList>

#include <memory>

// The pop-ups the ordering core asks for, opened through the pop-up manager's factories so that the
// UI and the console each answer them. Each returns false, and nothing opens, when no factory is
// registered under the pop-up's name. The arguments travel in this order:
// - size chooser: the Food, then its QList<FoodItemsize>;
// - set-meal details: the Food with its components loaded;
// - quick taste setter: the QList<std::shared_ptr<FoodOrder>> of waiting lines (the lines
//   themselves, so tastes set on them reach the order).
namespace OrderPopups {
bool popFoodItemSizeView(const Food &food, const QList<FoodItemsize> &sizes);
bool popFoodTypeTDetails(const Food &food);
bool popQuickTasteSetView(const QList<std::shared_ptr<FoodOrder>> &lines);
} // namespace OrderPopups

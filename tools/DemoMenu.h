#pragma once

#include "Catalogue.h"

#include <span>

// The demo restaurant's categories and dishes as hand-written rows; DemoRestaurant turns them
// into the catalogue and adds sizes, set meals and cooking methods by dish name.
namespace demodata::demomenu {

enum DishFlag : unsigned {
    Plain = 0,
    Recommended = 1,  // TjFlag "Y"
    MarketPrice = 2,  // currpriceFlag "Y", priced when ordered
    OpenItem = 4,     // TempFoodFlag "Y": name and price typed by the waiter
    SetMeal = 8,      // FoodType "T"
    NullTempFlag = 16 // TempFoodFlag left NULL, as some exports do
};

struct BigCategoryRow {
    const char *bcatno;
    const char *name;
};

struct SmallCategoryRow {
    const char *scatno;
    const char *name;
    const char *bcatno;
    int viewRow; // -1: NULL
    int viewCol;
    Look look;
};

struct DishRow {
    const char *scatno;
    const char *name;
    const char *english;
    double price;
    const char *unit;
    unsigned flags;
    const char *remark;
};

std::span<const BigCategoryRow> bigCategories();
std::span<const SmallCategoryRow> smallCategories();
std::span<const DishRow> dishes();

} // namespace demodata::demomenu

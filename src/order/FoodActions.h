#pragma once

#include "catalogue/Food.h"

#include <memory>

// Turns a menu card's add and remove buttons into order-manager calls for one dish.
class FoodActions {
public:
    static std::shared_ptr<FoodActions> genActionWithFood(const Food &food);
    explicit FoodActions(Food food) : food_(std::move(food)) {}

    const Food &food() const { return food_; }

    // A set meal opens its set-meal details with its components loaded; a dish with sizes opens
    // the size chooser (its sizes and its own); any other dish is added at once. A component is
    // never ordered from the menu.
    void addFood();
    // Lowers the dish's last line by one.
    void delFood();

private:
    Food food_;
};

#pragma once

#include "catalogue/Food.h"
#include "order/FoodOrder.h"

// The rule that turns a dish of the menu into an order line. The caller has created the line with
// the dish's type; this copies the dish's texts, prices and set-meal fields into it, sets the
// configured default print state and the starting quantity: a component's quantity per set meal,
// otherwise 1, and a market-price dish starts at price 0 until a price is entered.
void setupFoodOrder(const Food &food, FoodOrder &line);

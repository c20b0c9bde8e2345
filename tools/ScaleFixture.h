#pragma once

#include "Catalogue.h"

#include <optional>

namespace demodata {

// A catalogue of exactly `dishCount` dishes with the demo restaurant's shape: the demo's dishes
// that carry sizes, set meals, exchanges, bound cooking methods, market prices and open items are
// kept, and the rest of the menu is generated from name parts.
Catalogue scaleFixture(int dishCount);

// The fewest dishes a fixture can have: the kept demo dishes.
int minimumFixtureDishes();
constexpr int kMaximumFixtureDishes = 200000;

} // namespace demodata

#pragma once

#include "Catalogue.h"

namespace demodata {

// 福满楼酒家: the believable Chinese restaurant shipped as the terminal's demo data.
Catalogue demoRestaurant();

// Dish numbers are five digits with leading zeros, counted in menu order.
QString foodnoFor(int sequence);

} // namespace demodata

#pragma once

#include "Catalogue.h"

namespace demodata {

// The tables that do not depend on the dish list: cooking methods, rooms and tables, return
// reasons, store parameters and operators. The demo restaurant and the scale fixtures share them.
void addCommonTables(Catalogue &catalogue);

} // namespace demodata

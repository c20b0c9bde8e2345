#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QList>

// The sizes offered when a dish is ordered.
namespace FoodSizes {
// The dish's size rows in table order followed by the dish's own size and prices. A dish without
// size rows has no size list (empty) and is ordered at once with its own size.
QList<FoodItemsize> withDefault(const FoodInfo &dish, QList<FoodItemsize> rows);
// The list as the size chooser shows it: by ascending `salePrice1` (equal prices keep their
// order) when there are more than two entries; two entries keep the size row first.
QList<FoodItemsize> forChooser(QList<FoodItemsize> sizes);
} // namespace FoodSizes

#include "catalogue/FoodSizes.h"

#include <algorithm>

namespace FoodSizes {

QList<FoodItemsize> withDefault(const FoodInfo &dish, QList<FoodItemsize> rows)
{
    if (rows.isEmpty())
        return rows;
    rows.append(FoodItemsize{dish.foodno, dish.orgItemSize, dish.salePrice1, dish.salePrice2, dish.salePrice3,
                             dish.MemberPrice});
    return rows;
}

QList<FoodItemsize> forChooser(QList<FoodItemsize> sizes)
{
    if (sizes.size() > 2) {
        std::stable_sort(sizes.begin(), sizes.end(), [](const FoodItemsize &a, const FoodItemsize &b) {
            return a.salePrice1 < b.salePrice1;
        });
    }
    return sizes;
}

} // namespace FoodSizes

#include "order/OrderPopups.h"

#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

namespace OrderPopups {

bool popFoodItemSizeView(const Food &food, const QList<FoodItemsize> &sizes)
{
    return PopViewManager::defaultManager().pop(PopName::FoodItemSizeViewController,
                                                {QVariant::fromValue(food), QVariant::fromValue(sizes)});
}

bool popFoodTypeTDetails(const Food &food)
{
    return PopViewManager::defaultManager().pop(PopName::TDetailsViewController, {QVariant::fromValue(food)});
}

bool popQuickTasteSetView(const QList<std::shared_ptr<FoodOrder>> &lines)
{
    return PopViewManager::defaultManager().pop(PopName::QuickTasteSetViewController,
                                                {QVariant::fromValue(lines)});
}

} // namespace OrderPopups

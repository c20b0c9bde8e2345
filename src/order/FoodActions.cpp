#include "order/FoodActions.h"

#include "catalogue/FoodSizes.h"
#include "order/OrderManager.h"
#include "order/OrderPopups.h"
#include "storage/DBManager.h"

#include <QDebug>

std::shared_ptr<FoodActions> FoodActions::genActionWithFood(const Food &food)
{
    return std::make_shared<FoodActions>(food);
}

void FoodActions::addFood()
{
    if (!food_.info)
        return;
    if (food_.isTFoodType()) {
        Food setMeal = food_;
        DBManager::defaultManager().getTFoodDataWithFood(setMeal);
        if (!OrderPopups::popFoodTypeTDetails(setMeal))
            qWarning("FoodActions: no set-meal details are registered; %s is not ordered",
                     qUtf8Printable(food_.info->foodno));
    } else if (food_.isDFoodType()) {
        QList<FoodItemsize> rows;
        DBManager::defaultManager().getFoodItemsizeWithFoodno(
            food_.info->foodno, [&rows](const QList<FoodItemsize> &sizes) { rows = sizes; });
        if (rows.isEmpty())
            OrderManager::defaultManager().addFood(food_);
        else if (!OrderPopups::popFoodItemSizeView(food_, FoodSizes::withDefault(*food_.info, rows)))
            qWarning("FoodActions: no size chooser is registered; %s is not ordered",
                     qUtf8Printable(food_.info->foodno));
    }
}

void FoodActions::delFood()
{
    OrderManager::defaultManager().removeFood(food_);
}

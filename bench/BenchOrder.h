#pragma once

// The order the order benchmarks share: a process home of its own and 500 different lines (350
// dishes with two tastes each, every tenth a gift, and 30 set meals of four components), so that
// nothing merges.

#include "SilentNotices.h"

#include "foundation/AppPaths.h"
#include "order/OrderManager.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QTemporaryDir>

namespace BenchOrder {
constexpr int kDishLines = 350;
constexpr int kSetMeals = 30;
constexpr int kComponents = 4;

inline Food menuFood(const QString &foodno, const QString &type, float price)
{
    Food food;
    food.info->foodno = foodno;
    food.info->FoodType = type;
    food.info->foodName = QStringLiteral("宫保鸡丁 ") + foodno;
    food.info->foodSubName = QStringLiteral("Kung Pao Chicken");
    food.info->salePrice1 = price;
    food.info->unitname = QStringLiteral("份");
    food.info->currpriceFlag = QStringLiteral("N");
    food.info->TempFoodFlag = QStringLiteral("N");
    food.bcatName = QStringLiteral("热菜");
    food.scatName = QStringLiteral("川湘风味");
    return food;
}

// A set meal of kComponents components, the first with a 5.00 surcharge.
inline Food setMeal(const QString &suitno)
{
    Food meal = menuFood(suitno, QStringLiteral("T"), 88);
    for (int c = 0; c < kComponents; ++c) {
        Food component = menuFood(QStringLiteral("M") + QString::number(c), QStringLiteral("M"), 10);
        component.suitno = suitno;
        component.suitFoodQty = 1 + float(c % 2);
        component.OrgFoodNo = component.info->foodno;
        component.changeAmt = c == 0 ? 5 : 0;
        meal.arrSuiteFoods.append(component);
    }
    return meal;
}

inline void fillOrder(OrderManager &orders)
{
    const QList<TasteInfo> tastes{
        TasteInfo{
            QStringLiteral("003"), QStringLiteral("中辣"), QStringLiteral("01"), QStringLiteral("0"), {}, 0},
        TasteInfo{QStringLiteral("-999"), QStringLiteral("少油"), {}, {}, QStringLiteral("A"), 2}};
    for (int i = 0; i < kDishLines; ++i) {
        orders.addFood(
            menuFood(QStringLiteral("D") + QString::number(i), QStringLiteral("D"), 20 + float(i % 30)));
        orders.changeLine(orders.arrOrders().last(), [&](FoodOrder &changed) {
            changed.arrTaste = tastes;
            if (i % 10 == 0)
                changed.setIsZengSong(true);
        });
    }
    for (int s = 0; s < kSetMeals; ++s)
        orders.addFood(setMeal(QStringLiteral("T") + QString::number(s)));
}

// A home, settings and base data of the process's own, with silent notices.
struct Home {
    QTemporaryDir dir;

    Home()
    {
        AppPaths::setHome(dir.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DBManager::resetForTests();
        UserNotice::setSink(std::make_shared<SilentNotices>());
    }
};
} // namespace BenchOrder

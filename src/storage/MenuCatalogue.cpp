#include "storage/MenuCatalogue.h"

#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/LayoutManger.h"
#include "storage/DBManager.h"

MenuCatalogue readMenuCatalogue()
{
    DBManager &db = DBManager::defaultManager();
    QList<FoodBigCatInfo> bigCategories;
    DBManager::SmallCatMap smallCategories;
    db.getFoodCatInfo([&](const QList<FoodBigCatInfo> &big, const DBManager::SmallCatMap &small) {
        bigCategories = big;
        smallCategories = small;
    });
    QList<Food> foods;
    db.getAllFoodInfo([&foods](const QList<Food> &all) { foods = all; }, false);

    MenuCatalogue menu;
    menu.unreadable = bigCategories.size() == 1 && bigCategories.first().bcatno == u"-no";
    menu.pages = computeCollectionData(bigCategories, smallCategories, foods,
                                       LanguageManager::defaultManager().readString(QStringLiteral("推荐")),
                                       ConfigManager::defaultManager().isDisplayTuiJian(),
                                       LayoutManger::defaultManager().layout());
    return menu;
}

// The menu as the menu screen cuts it into pages, for support staff and scripted checks.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "catalogue/DishSearch.h"
#include "storage/DBManager.h"
#include "storage/MenuCatalogue.h"

namespace {
QString foodnos(const QList<Food> &foods)
{
    QStringList numbers;
    for (const Food &food : foods)
        numbers.append(food.info->foodno);
    return numbers.join(u',');
}
} // namespace

void ConsoleSession::pages(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "pages"))
        return;
    const MenuPages menu = readMenuCatalogue().pages;
    for (int i = 0; i < menu.pageCount(); ++i) {
        const MenuPages::Page &page = menu.arrAllPages.at(i);
        ConsoleOutput::row({QString::number(i + 1), menu.arrCategory.at(page.bigCategory).bcatName,
                            menu.arrAllSCate.at(page.smallCategory).scatName, foodnos(page.foods)});
    }
    ConsoleOutput::line(QStringLiteral("pages: ") + QString::number(menu.pageCount()));
}

void ConsoleSession::detail(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "detail"))
        return;
    ConsoleOutput::line(foodnos(readMenuCatalogue().pages.arrDetailFoodInfos));
}

namespace {
QList<Food> orderableDishes()
{
    QList<Food> dishes;
    DBManager::defaultManager().getAllFoodInfo([&dishes](const QList<Food> &foods) { dishes = foods; },
                                               false);
    return dishes;
}
} // namespace

void ConsoleSession::search(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "search [KEY]"))
        return;
    for (const Food &food : DishSearch::filterWithKey(orderableDishes(), args.value(0)))
        ConsoleOutput::row({food.info->foodno, food.info->displayFoodName()});
}

void ConsoleSession::quick(const QStringList &args)
{
    if (!requireArgs(args, 0, 1, "quick [KEY]"))
        return;
    QList<FoodSmallCatInfo> categories;
    DBManager::defaultManager().getAllFoodSmallCat(
        [&categories](const QList<FoodSmallCatInfo> &found) { categories = found; });
    const QList<Food> matching = DishSearch::filterWithKey(orderableDishes(), args.value(0));
    for (const DishSearch::Section &section : DishSearch::groupBySmallCategory(categories, matching))
        ConsoleOutput::row({section.category.scatName, foodnos(section.dishes)});
}

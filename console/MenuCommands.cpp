// The menu as the menu screen cuts it into pages, for support staff and scripted checks.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
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

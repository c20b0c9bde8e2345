#include "order/SetMealExchange.h"

#include "catalogue/SoldOutList.h"
#include "settings/LanguageManager.h"

#include <utility>

namespace SetMealExchange {

QStringList originalFoodnos(const Food &setMeal)
{
    QStringList foodnos;
    for (const Food &component : setMeal.arrSuiteFoods)
        foodnos.append(component.info ? component.info->foodno : QString());
    return foodnos;
}

bool exchange(Food &setMeal, const QStringList &originalFoodnos, qsizetype position, qsizetype change)
{
    if (position < 0 || position >= setMeal.arrSuiteFoods.size())
        return false;
    Food current = setMeal.arrSuiteFoods.at(position);
    if (change < 0 || change >= current.arrSuiteFoodsChange.size())
        return false;

    Food chosen = current.arrSuiteFoodsChange.at(change);
    std::swap(current.suitFoodQty, chosen.suitFoodQty);
    chosen.OrgFoodNo = originalFoodnos.value(position);
    QList<Food> alternatives = std::move(current.arrSuiteFoodsChange);
    current.arrSuiteFoodsChange.clear();
    alternatives[change] = std::move(current);
    chosen.arrSuiteFoodsChange = std::move(alternatives);
    setMeal.arrSuiteFoods[position] = std::move(chosen);
    return true;
}

const Food *soldOutComponent(const Food &setMeal)
{
    for (const Food &component : setMeal.arrSuiteFoods) {
        if (component.info && SoldOutList::shared().contains(component.info->foodno))
            return &component;
    }
    return nullptr;
}

QString soldOutMessage(const Food &component)
{
    return LanguageManager::defaultManager().readString(QStringLiteral("%1已沽清")).arg(component.info->foodName);
}

} // namespace SetMealExchange

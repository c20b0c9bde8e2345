#include "catalogue/DishSearch.h"

#include <QHash>

namespace DishSearch {

QList<Food> filterWithKey(const QList<Food> &dishes, const QString &key)
{
    if (key.isEmpty())
        return dishes;
    QList<Food> found;
    for (const Food &dish : dishes) {
        const FoodInfo &info = *dish.info;
        if (info.foodno.contains(key, Qt::CaseInsensitive) ||
            info.foodName.contains(key, Qt::CaseInsensitive) ||
            info.spellName.contains(key, Qt::CaseInsensitive))
            found.append(dish);
    }
    return found;
}

QList<Section> groupBySmallCategory(const QList<FoodSmallCatInfo> &categories, const QList<Food> &dishes)
{
    QHash<QString, QList<Food>> byCategory;
    for (const Food &dish : dishes)
        byCategory[dish.info->catno].append(dish);
    QList<Section> sections;
    for (const FoodSmallCatInfo &category : categories) {
        const auto found = byCategory.constFind(category.scatno);
        if (found != byCategory.cend() && !found->isEmpty())
            sections.append({category, *found});
    }
    return sections;
}

} // namespace DishSearch

#include "Catalogue.h"

namespace demodata {

const SmallCategory *Catalogue::smallCategory(const QString &scatno) const
{
    for (const SmallCategory &category : smallCategories) {
        if (category.scatno == scatno)
            return &category;
    }
    return nullptr;
}

const Dish *Catalogue::dishNamed(const QString &foodName) const
{
    for (const Dish &dish : dishes) {
        if (dish.foodName == foodName)
            return &dish;
    }
    return nullptr;
}

} // namespace demodata

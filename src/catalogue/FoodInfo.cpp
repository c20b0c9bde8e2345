#include "catalogue/FoodInfo.h"

#include "catalogue/SoldOutList.h"
#include "settings/LanguageManager.h"

QString FoodInfo::soldOutSuffix()
{
    return LanguageManager::defaultManager().readString(QStringLiteral("(已售罄)"));
}

bool FoodInfo::isSoldOut() const
{
    return SoldOutList::shared().contains(foodno);
}

QString FoodInfo::displayFoodName() const
{
    return displayStyleFoodName().text;
}

StyledText FoodInfo::displayStyleFoodName() const
{
    if (!isSoldOut())
        return {foodName, 0};
    const QString suffix = soldOutSuffix();
    return {foodName + suffix, suffix.size()};
}

std::shared_ptr<FoodInfo> FoodInfo::clone() const
{
    return std::make_shared<FoodInfo>(*this);
}

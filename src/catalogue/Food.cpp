#include "catalogue/Food.h"

#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"

#include <cmath>

namespace {
bool isYes(const QString &flag)
{
    return flag == u"Y";
}

QString yuan(float amount)
{
    return QStringLiteral("￥ ") + CommonUtils::format2(amount);
}
} // namespace

const FoodInfo &Food::dish() const
{
    static const FoodInfo empty;
    return info ? *info : empty;
}

float Food::salePrice1() const
{
    return dish().salePrice1;
}

float Food::memberPrice() const
{
    return dish().MemberPrice;
}

bool Food::isDFoodType() const
{
    return dish().FoodType == u"D";
}

bool Food::isTFoodType() const
{
    return dish().FoodType == u"T";
}

bool Food::isMFoodType() const
{
    return dish().FoodType == u"M";
}

bool Food::isShiJia() const
{
    return isYes(dish().currpriceFlag);
}

bool Food::isTuiJian() const
{
    return isYes(dish().TjFlag);
}

bool Food::isTempFood() const
{
    return isYes(dish().TempFoodFlag);
}

bool Food::hasChangeFoods() const
{
    return !arrSuiteFoodsChange.isEmpty();
}

QString Food::getPrice() const
{
    const QString &unit = dish().unitname;
    const QString price = isShiJia() ? LanguageManager::defaultManager().readString(QStringLiteral("时价"))
                                     : yuan(dish().salePrice1);
    return unit.isEmpty() ? price : price + QStringLiteral(" / ") + unit;
}

float Food::exchangeCharge(float changeAmt, float qty)
{
    return std::fabs(changeAmt) > 0 ? changeAmt * qty : 0.0f;
}

float Food::setMealPrice() const
{
    float price = dish().salePrice1;
    for (const Food &component : arrSuiteFoods)
        price += exchangeCharge(component.changeAmt, component.suitFoodQty);
    return price;
}

QString Food::getSuitePrice() const
{
    return yuan(setMealPrice());
}

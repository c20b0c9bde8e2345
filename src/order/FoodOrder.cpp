#include "order/FoodOrder.h"

#include "catalogue/Food.h"
#include "catalogue/FoodInfo.h"
#include "catalogue/SoldOutList.h"
#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"

namespace {
bool isYes(const QString &flag)
{
    return flag == u"Y";
}

} // namespace

std::shared_ptr<FoodOrder> FoodOrder::genFoodOrderWithType(const QString &type)
{
    auto line = std::make_shared<FoodOrder>();
    line->FoodType = type;
    return line;
}

bool FoodOrder::isSubOrder(const FoodOrder &line, const FoodOrder &parent)
{
    return line.suitno == parent.foodno && line.suiteIndex >= 0 &&
           static_cast<quint64>(line.suiteIndex) == parent.itemSeq;
}

bool FoodOrder::mergesInto(const FoodOrder &existing) const
{
    return !existing.isMFoodType() && existing.foodno == foodno && existing.itemsize == itemsize &&
           existing.foodName == foodName && existing.salePrice1 == salePrice1 &&
           TasteInfo::sendTasteDefString(existing.arrTaste) == TasteInfo::sendTasteDefString(arrTaste) &&
           TasteInfo::sendTasteManualString(existing.arrTaste) == TasteInfo::sendTasteManualString(arrTaste);
}

void FoodOrder::setIsZengSong(bool gift)
{
    isZengSong_ = gift;
    sellWay = gift ? QStringLiteral("C") : QStringLiteral("A");
}

bool FoodOrder::isTFoodType() const
{
    return FoodType == u"T";
}

bool FoodOrder::isDFoodType() const
{
    return FoodType == u"D";
}

bool FoodOrder::isMFoodType() const
{
    return FoodType == u"M";
}

bool FoodOrder::isShiJia() const
{
    return isYes(currpriceFlag);
}

bool FoodOrder::isTempFood() const
{
    return isYes(TempFoodFlag);
}

float FoodOrder::computePriceWhenTTypeComputeSub(bool includeSubOrders) const
{
    float base = 0;
    if (isDFoodType() || isTFoodType()) {
        base = (isZengSong_ ? 0.0f : salePrice1) * orderQty;
        if (isTFoodType() && includeSubOrders && !isZengSong_) {
            for (const auto &sub : arrSubOrders) {
                if (sub)
                    base += Food::exchangeCharge(sub->changeAmt, sub->orderQty);
            }
        }
    } else if (isMFoodType()) {
        base = isZengSong_ ? 0.0f : Food::exchangeCharge(changeAmt, orderQty);
    } else {
        return 0;
    }
    return base + TasteInfo::surcharge(arrTaste, base);
}

float FoodOrder::getTotalPrice() const
{
    return computePriceWhenTTypeComputeSub(true);
}

float FoodOrder::getSinglePrice() const
{
    return computePriceWhenTTypeComputeSub(false);
}

QString FoodOrder::displayFoodName() const
{
    return displayStyleFoodName().text;
}

StyledText FoodOrder::displayStyleFoodName() const
{
    return displayStyleSoldoutFoodName(foodName);
}

StyledText FoodOrder::displayStyleSoldoutFoodName(const QString &name) const
{
    if (!isSoldOut)
        return {name, 0};
    const QString suffix = FoodInfo::soldOutSuffix();
    return {name + suffix, suffix.size()};
}

QString FoodOrder::PriceSale1() const
{
    if (isZengSong_)
        return localised(QStringLiteral("赠送"));
    return CommonUtils::format2(unitPrice());
}

float FoodOrder::unitPrice() const
{
    return isMFoodType() ? Food::exchangeCharge(changeAmt) : salePrice1;
}

QString FoodOrder::PriceSale2() const
{
    return CommonUtils::format2(salePrice2);
}

QString FoodOrder::PriceSale3() const
{
    return CommonUtils::format2(salePrice3);
}

QString FoodOrder::OrderQuantity() const
{
    return CommonUtils::format2(orderQty);
}

QString FoodOrder::printStateText(const QString &state)
{
    if (state == stateJiqi)
        return localised(QStringLiteral("即起"));
    if (state == stateDengjiao)
        return localised(QStringLiteral("等叫"));
    if (state == stateBuchu)
        return localised(QStringLiteral("不出"));
    return state;
}

QString FoodOrder::nextPrintState(const QString &state)
{
    if (state == stateJiqi)
        return stateDengjiao;
    if (state == stateDengjiao)
        return stateBuchu;
    if (state == stateBuchu)
        return stateJiqi;
    return state;
}

void FoodOrder::settleSellWay()
{
    sellWay = isZengSong_ ? QStringLiteral("C") : QStringLiteral("A");
    if (!isZengSong_)
        authID.clear();
}

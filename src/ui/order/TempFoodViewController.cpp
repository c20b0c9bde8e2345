#include "TempFoodViewController.h"

#include "LineNumberEditors.h"

#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "services/Catalogue.h"
#include "services/Services.h"
#include "settings/LanguageManager.h"

#include <cmath>

using namespace Qt::StringLiterals;

TempFoodViewController::TempFoodViewController(QObject *parent) : PopRootViewController(parent)
{
    dishes_ = Services::installed().catalogue->dishes(true);
}

QStringList TempFoodViewController::dishNumbers() const
{
    QStringList numbers;
    for (const Food &dish : dishes_)
        numbers.append(dish.info->foodno);
    return numbers;
}

QStringList TempFoodViewController::dishNames() const
{
    QStringList names;
    for (const Food &dish : dishes_)
        names.append(dish.info->foodName);
    return names;
}

void TempFoodViewController::setNameText(const QString &text)
{
    if (text != name_) {
        name_ = text;
        emit fieldsChanged();
    }
}

void TempFoodViewController::setPriceText(const QString &text)
{
    if (text != price_) {
        price_ = text;
        emit fieldsChanged();
    }
}

void TempFoodViewController::setQtyText(const QString &text)
{
    if (text != qty_) {
        qty_ = text;
        emit fieldsChanged();
    }
}

void TempFoodViewController::select(int index)
{
    if (index < 0 || index >= dishes_.size())
        return;
    selected_ = index;
    emit selectedIndexChanged();
    name_ = dishes_.at(index).info->foodName;
    qty_ = u"1"_s;
    emit fieldsChanged();
}

void TempFoodViewController::confirm()
{
    if (isDismissing())
        return;
    const auto refuse = [](const QString &key) {
        UserNotice::error(LanguageManager::defaultManager().readString(key));
    };
    if (selected_ < 0)
        return refuse(u"请选择菜品"_s);
    if (name_.trimmed().isEmpty())
        return refuse(u"请填菜品名称"_s);
    if (price_.isEmpty())
        return refuse(u"请填写销售价格"_s);
    const std::optional<float> price = CommonUtils::editedNumber(price_);
    if (!price || *price <= 0 || *price > kMaxEditedNumber)
        return refuse(u"销售价格需要大于零！"_s);
    const std::optional<float> qty = CommonUtils::editedNumber(qty_);
    if (!qty || std::floor(*qty) < 1 || *qty > kMaxEditedNumber)
        return refuse(u"销售需需大于1！"_s);

    // A copy of the record, so the catalogue keeps its own name and price; a plain dish, so no
    // size or set-meal pop-up is opened and the typed price is what the line carries.
    Food dish = dishes_.at(selected_);
    dish.info = std::make_shared<FoodInfo>(*dish.info);
    dish.info->foodName = name_;
    dish.info->salePrice1 = *price;
    dish.info->FoodType = u"D"_s;
    dish.arrSuiteFoods.clear();
    OrderManager::defaultManager().addFood(dish, std::nullopt, std::floor(*qty));
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

void TempFoodViewController::cancel()
{
    if (!isDismissing())
        dismissSelf();
}

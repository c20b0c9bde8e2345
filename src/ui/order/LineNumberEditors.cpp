#include "LineNumberEditors.h"

#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

namespace {
void refuse(const QString &key)
{
    UserNotice::error(LanguageManager::defaultManager().readString(key));
}

QString packGuests()
{
    QString guests;
    OrderManager::defaultManager().changePack(
        [&guests](OrderPack &pack) { guests = pack.CustCount.value_or(QString()); });
    return guests.isEmpty() ? u"0"_s : guests;
}
} // namespace

SaleQtyChangeViewController::SaleQtyChangeViewController(const std::shared_ptr<FoodOrder> &line,
                                                         QObject *parent)
    : NumberInputViewController(u"数量修改"_s, line ? line->OrderQuantity() : QString(), parent), line_(line)
{
}

void SaleQtyChangeViewController::confirm()
{
    if (isDismissing())
        return;
    endEditing();
    const std::optional<float> qty = CommonUtils::editedNumber(text());
    if (!qty || *qty > kMaxEditedNumber)
        return refuse(u"请输入正确数量"_s);
    if (*qty <= 0)
        return refuse(u"数量不能为0"_s);
    OrderManager::defaultManager().setOrderQty(line_, *qty);
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

SalePriceChangeViewController::SalePriceChangeViewController(const std::shared_ptr<FoodOrder> &line,
                                                             QObject *parent)
    : NumberInputViewController(u"价格修改"_s, line ? line->PriceSale1() : QString(), parent), line_(line)
{
}

void SalePriceChangeViewController::confirm()
{
    if (isDismissing())
        return;
    endEditing();
    const std::optional<float> price = CommonUtils::editedNumber(text());
    if (!price || *price > kMaxEditedNumber)
        return refuse(u"请输入正确的金额"_s);
    if (*price <= 0)
        return refuse(u"销售价格需要大于零！"_s);
    if (line_)
        OrderManager::defaultManager().changeLine(
            line_, [&price](FoodOrder &target) { target.salePrice1 = *price; });
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

CusNumChangeViewController::CusNumChangeViewController(QObject *parent)
    : NumberInputViewController(u"请输入用餐人数"_s, packGuests(), parent)
{
}

void CusNumChangeViewController::confirm()
{
    if (isDismissing())
        return;
    endEditing();
    if (!CommonUtils::editedNumber(text()))
        return refuse(u"请输入正确数量"_s);
    const QString guests = text();
    OrderManager::defaultManager().changePack([&guests](OrderPack &pack) { pack.CustCount = guests; });
    NumberInputViewController::confirm();
}

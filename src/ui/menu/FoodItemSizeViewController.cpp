#include "FoodItemSizeViewController.h"

#include "catalogue/FoodSizes.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"


FoodItemSizeViewController::FoodItemSizeViewController(const Food &food, const QList<FoodItemsize> &sizes,
                                                       QObject *parent)
    : PopRootViewController(parent), food_(food), sizes_(FoodSizes::forChooser(sizes))
{
}

QStringList FoodItemSizeViewController::rows() const
{
    QStringList rows;
    for (const FoodItemsize &size : sizes_)
        rows.append(QString::asprintf("%s - ￥%.2f", qUtf8Printable(size.itemsize), double(size.salePrice1)));
    return rows;
}

void FoodItemSizeViewController::chooseRow(int row)
{
    if (row < 0 || row >= sizes_.size())
        return;
    selectedRow_ = row;
    emit selectedRowChanged();
    confirm();
}

void FoodItemSizeViewController::confirm()
{
    if (isDismissing())
        return;
    if (selectedRow_ < 0) {
        UserNotice::error(LanguageManager::defaultManager().readString(QStringLiteral("请选择规格")));
        return;
    }
    OrderManager::defaultManager().addFood(food_, sizes_.at(selectedRow_));
    NotificationCenter::defaultCenter().post(Notify::UpdateOrderList);
    dismissSelf();
}

void FoodItemSizeViewController::cancel()
{
    dismissSelf();
}

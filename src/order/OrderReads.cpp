// What the order manager tells without changing anything: reads under its lock, copies of its
// lists, and the totals the screens and the background tasks show.

#include "foundation/CommonUtils.h"
#include "order/OrderManager.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"

#include <algorithm>

namespace {
QString quantityText(float sum)
{
    return sum == 0 ? QStringLiteral("0") : CommonUtils::format2(sum);
}
} // namespace

void OrderManager::readLine(const Line &line, const std::function<void(const FoodOrder &)> &read) const
{
    QMutexLocker lock(&lockKey);
    if (line && read)
        read(*line);
}

void OrderManager::readPack(const std::function<void(const OrderPack &)> &read) const
{
    QMutexLocker lock(&lockKey);
    if (orderPack_ && read)
        read(*orderPack_);
}

QList<OrderManager::Line> OrderManager::arrOrders() const
{
    QMutexLocker lock(&lockKey);
    return arrOrders_;
}

QList<OrderManager::Line> OrderManager::arrOrderCache() const
{
    QMutexLocker lock(&lockKey);
    return arrOrderCache_;
}

std::shared_ptr<OrderPack> OrderManager::orderPack() const
{
    QMutexLocker lock(&lockKey);
    return orderPack_;
}

QString OrderManager::getOrderAmount(const QString &foodno) const
{
    float sum = 0;
    {
        QMutexLocker lock(&lockKey);
        for (const Line &line : arrOrders_) {
            if (!line->isMFoodType() && line->foodno == foodno)
                sum += line->orderQty;
        }
    }
    return quantityText(sum);
}

QString OrderManager::getOrderPackAmount() const
{
    float sum = 0;
    {
        QMutexLocker lock(&lockKey);
        for (const Line &line : arrOrders_) {
            if (line->isDFoodType() || line->isTFoodType())
                sum += line->orderQty;
        }
    }
    return quantityText(sum);
}

QString OrderManager::getOrderPackPay() const
{
    if (!ConfigManager::defaultManager().showsAmounts())
        return LanguageManager::defaultManager().readString(QStringLiteral("不显示"));
    float sum = 0;
    QList<TasteInfo> remarks;
    {
        QMutexLocker lock(&lockKey);
        // A set meal's exchange charges count once, through its component lines.
        for (const Line &line : arrOrders_)
            sum += line->getSinglePrice();
        if (orderPack_)
            remarks = orderPack_->arrTaste;
    }
    return CommonUtils::format2(sum + TasteInfo::surcharge(remarks, sum));
}

bool OrderManager::hasShiJiaPriceZero() const
{
    QMutexLocker lock(&lockKey);
    return std::any_of(arrOrders_.cbegin(), arrOrders_.cend(), [](const Line &line) {
        return !line->isMFoodType() && line->isShiJia() && line->salePrice1 <= 0;
    });
}

void OrderManager::applySoldOutMarks(const QSet<QString> &soldOut)
{
    QMutexLocker lock(&lockKey);
    for (const Line &line : std::as_const(arrOrders_))
        line->isSoldOut = soldOut.contains(line->foodno);
}

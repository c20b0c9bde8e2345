#include "TDetailsViewController.h"

#include "DishCardModel.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "order/SetMealExchange.h"
#include "order/TaskManager.h"
#include "settings/LanguageManager.h"

#include <QUrl>

using namespace Qt::StringLiterals;

TDetailsViewController::TDetailsViewController(const Food &setMeal, QObject *parent)
    : PopRootViewController(parent), food_(setMeal), arrOrgFoodnos_(SetMealExchange::originalFoodnos(setMeal))
{
    reloadComponents();
    askPictures(food_.arrSuiteFoods);
    // Rows show the menu's thumbnails, scaled down by the view.
    NotificationCenter::defaultCenter().addObserver(this, Notify::TaskGenSmallImage,
                                                    [this](const Notification &notification) {
                                                        const QStringList result = notification.object.toStringList();
                                                        if (result.size() < 2)
                                                            return;
                                                        const QUrl picture = result.at(1).isEmpty()
                                                                                 ? QUrl()
                                                                                 : QUrl::fromLocalFile(result.at(1));
                                                        components_.setPicture(result.at(0), picture);
                                                        alternatives_.setPicture(result.at(0), picture);
                                                    });
}

QString TDetailsViewController::title() const
{
    return QString::asprintf("%s：（ %lu ）", qUtf8Printable(localised(u"套餐明细"_s)),
                             static_cast<unsigned long>(food_.arrSuiteFoods.size()));
}

QString TDetailsViewController::qtyText() const
{
    return QString::asprintf("%.2f", double(orderNum_));
}

void TDetailsViewController::initLanguage()
{
    emit captionsChanged();
    reloadComponents();
    reloadAlternatives();
}

void TDetailsViewController::reloadComponents()
{
    QList<SetMealRowsModel::Row> rows;
    for (const Food &component : std::as_const(food_.arrSuiteFoods))
        rows.append({component.info->foodno, DishCardModel::nameHtml(component),
                     QString::asprintf("%.2f", double(component.suitFoodQty)), component.hasChangeFoods()});
    components_.reload(rows, components_.selectedIndex());
}

void TDetailsViewController::reloadAlternatives()
{
    QList<SetMealRowsModel::Row> rows;
    const int selected = components_.selectedIndex();
    if (selected >= 0) {
        for (const Food &alternative : food_.arrSuiteFoods.at(selected).arrSuiteFoodsChange)
            rows.append({alternative.info->foodno, DishCardModel::nameHtml(alternative),
                         QString::asprintf(qUtf8Printable(localised(u"加价￥%.2f"_s)), double(alternative.changeAmt)),
                         false});
    }
    alternatives_.reload(rows, alternatives_.selectedIndex());
}

void TDetailsViewController::askPictures(const QList<Food> &foods)
{
    TaskManager &tasks = TaskManager::defaultManager();
    for (const Food &food : foods)
        tasks.runGenSmallImageTaskWithFoodIdentity(food.info->foodno);
}

void TDetailsViewController::selectComponent(int index)
{
    if (index < 0 || index >= food_.arrSuiteFoods.size() || index == components_.selectedIndex())
        return;
    components_.select(index);
    alternatives_.reload({});
    reloadAlternatives();
    askPictures(food_.arrSuiteFoods.at(index).arrSuiteFoodsChange);
}

void TDetailsViewController::selectAlternative(int index)
{
    alternatives_.select(index);
}

void TDetailsViewController::add()
{
    orderNum_ += 1;
    emit statusChanged();
}

void TDetailsViewController::del()
{
    orderNum_ = std::max(1.0f, orderNum_ - 1);
    emit statusChanged();
}

void TDetailsViewController::change()
{
    const int component = components_.selectedIndex();
    const int alternative = alternatives_.selectedIndex();
    if (component < 0 || alternative < 0 ||
        !SetMealExchange::exchange(food_, arrOrgFoodnos_, component, alternative)) {
        UserNotice::error(localised(u"请选择需换的菜品"_s));
        return;
    }
    reloadComponents();
    reloadAlternatives();
    emit statusChanged();
}

void TDetailsViewController::confirm()
{
    if (isDismissing())
        return;
    if (const Food *soldOut = SetMealExchange::soldOutComponent(food_)) {
        UserNotice::error(SetMealExchange::soldOutMessage(*soldOut));
        return;
    }
    OrderManager::defaultManager().addFood(food_, std::nullopt, orderNum_);
    NotificationCenter::defaultCenter().post(Notify::UpdateOrderList);
    dismissSelf();
}

void TDetailsViewController::cancel()
{
    dismissSelf();
}

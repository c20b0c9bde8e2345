#include "MenuDetailViewController.h"

#include "DishCardModel.h"
#include "MainViewController.h"
#include "foundation/CommonUtils.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/UserNotice.h"
#include "media/PhotoManager.h"
#include "media/SoundManager.h"
#include "order/FoodActions.h"
#include "order/TaskManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

MenuDetailViewController::MenuDetailViewController(QObject *parent) : MenuViewController(parent) {}

QObject *MenuDetailViewController::menu() const
{
    return menu_.data();
}

void MenuDetailViewController::setMenu(QObject *menu)
{
    menu_ = qobject_cast<MainViewController *>(menu);
}

QString MenuDetailViewController::foodno() const
{
    const Food *food = current();
    return food ? food->info->foodno : startFoodno_;
}

void MenuDetailViewController::setFoodno(const QString &foodno)
{
    startFoodno_ = foodno;
}

void MenuDetailViewController::setSequence(const QList<Food> &sequence, const QString &foodno)
{
    sequence_ = sequence;
    startFoodno_ = foodno;
    int index = int(sequence_.size()) - 1;
    for (int i = 0; i < sequence_.size(); ++i) {
        if (sequence_.at(i).info->foodno == foodno) {
            index = i;
            break;
        }
    }
    show(index);
}

void MenuDetailViewController::loadView()
{
    PhotoManager::defaultManager().setup();
    NotificationCenter::defaultCenter().addObserver(this, Notify::TaskOrderAmount,
                                                    [this](const Notification &notification) {
                                                        const QStringList result = notification.object.toStringList();
                                                        if (result.size() < 2 || result.at(0) != foodno())
                                                            return;
                                                        amount_ = CommonUtils::removeStringZero(result.at(1));
                                                        emit amountChanged();
                                                    });
    if (menu_)
        setSequence(menu_->menu().arrDetailFoodInfos, startFoodno_);
}

const Food *MenuDetailViewController::current() const
{
    return index_ >= 0 && index_ < sequence_.size() ? &sequence_.at(index_) : nullptr;
}

QString MenuDetailViewController::name() const
{
    const Food *food = current();
    return food ? DishCardModel::nameHtml(*food) : QString();
}

QString MenuDetailViewController::price() const
{
    const Food *food = current();
    return food ? food->getPrice() : QString();
}

QString MenuDetailViewController::remark() const
{
    const Food *food = current();
    return food ? food->info->Remark : QString();
}

QUrl MenuDetailViewController::picture() const
{
    const Food *food = current();
    if (!food)
        return {};
    const std::optional<QString> path = PhotoManager::defaultManager().getImagePathByFoodno(food->info->foodno);
    return QUrl::fromLocalFile(path ? *path : PhotoManager::lostImagePath());
}

void MenuDetailViewController::show(int index)
{
    index_ = index;
    amount_.clear();
    emit dishChanged();
    emit amountChanged();
    if (const Food *food = current()) {
        TaskManager &tasks = TaskManager::defaultManager();
        tasks.runOrderAmountTaskWithFoodIdentity(food->info->foodno);
        tasks.runOrderPackTask();
    }
}

void MenuDetailViewController::nextFood()
{
    if (sequence_.isEmpty())
        return;
    if (index_ >= sequence_.size() - 1) {
        UserNotice::info(LanguageManager::defaultManager().readString(u"已到达最后"_s));
        return;
    }
    sound().turnR();
    show(index_ + 1);
    emit slide(1);
}

void MenuDetailViewController::prevFood()
{
    if (sequence_.isEmpty())
        return;
    if (index_ <= 0) {
        UserNotice::info(LanguageManager::defaultManager().readString(u"已到达最前"_s));
        return;
    }
    sound().turnL();
    show(index_ - 1);
    emit slide(-1);
}

void MenuDetailViewController::addFood()
{
    if (const Food *food = current())
        FoodActions(*food).addFood();
}

void MenuDetailViewController::delFood()
{
    if (const Food *food = current())
        FoodActions(*food).delFood();
}

void MenuDetailViewController::togglePanel()
{
    panelVisible_ = !panelVisible_;
    emit panelVisibleChanged();
}

#include "QuickOrderViewController.h"

#include "ImageStore.h"

#include "catalogue/DishSearch.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/PhotoManager.h"
#include "order/FoodActions.h"
#include "order/TaskManager.h"
#include "settings/ConfigManager.h"
#include "storage/DBManager.h"

#include <algorithm>

using namespace Qt::StringLiterals;

QuickOrderViewController::QuickOrderViewController(QObject *parent) : MenuViewController(parent)
{
    connect(&field_, &DishSearchField::searchRequested, this, &QuickOrderViewController::search);
}

void QuickOrderViewController::loadView()
{
    PhotoManager::defaultManager().setup();
    background_ =
        ImageStore::instance().put(u"quickOrderBackground"_s, ConfigManager::defaultManager().getMainImage());
    DBManager &db = DBManager::defaultManager();
    db.getAllFoodSmallCat([this](const QList<FoodSmallCatInfo> &categories) { arrSmallCat_ = categories; });
    db.getAllFoodInfo([this](const QList<Food> &foods) { arrFood_ = foods; }, false);
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::TaskOrderAmount, [this](const Notification &note) {
        const QStringList result = note.object.toStringList();
        if (result.size() >= 2)
            rows_.setAmount(result.at(0), result.at(1));
    });
    center.addObserver(this, Notify::PopManagerControllerDismiss, [this](const Notification &) {
        if (!field_.text().isEmpty())
            emit field_.selectAllRequested();
    });
    search();
    if (rows_.count() > 0)
        selectRow(0);
}

void QuickOrderViewController::keyboardCose()
{
    field_.endEditing();
    MenuViewController::keyboardCose();
}

void QuickOrderViewController::search()
{
    rows_.reload(
        DishSearch::groupBySmallCategory(arrSmallCat_, DishSearch::filterWithKey(arrFood_, field_.text())));
    refreshAmounts(0, kFirstVisibleRows - 1);
}

void QuickOrderViewController::refreshAmounts(int first, int last)
{
    last = std::min(last, rows_.count() - 1);
    for (int row = std::max(first, 0); row <= last; ++row)
        TaskManager::defaultManager().runOrderAmountTaskWithFoodIdentity(rows_.dish(row).info->foodno);
}

void QuickOrderViewController::showExtraInfo(int row)
{
    const FoodInfo &info = *rows_.dish(row).info;
    panelName_ = info.displayStyleFoodName().toHtml();
    panelRemark_ = info.Remark;
    const std::optional<QString> path = PhotoManager::defaultManager().getImagePathByFoodno(info.foodno);
    panelPicture_ = QUrl::fromLocalFile(path ? *path : PhotoManager::lostImagePath());
    emit panelChanged();
}

void QuickOrderViewController::selectRow(int row)
{
    if (row < 0 || row >= rows_.count())
        return;
    rows_.select(row);
    showExtraInfo(row);
}

void QuickOrderViewController::add(int row)
{
    if (row < 0 || row >= rows_.count())
        return;
    field_.dishAdded();
    selectRow(row);
    FoodActions(rows_.dish(row)).addFood();
}

void QuickOrderViewController::remove(int row)
{
    if (row >= 0 && row < rows_.count())
        FoodActions(rows_.dish(row)).delFood();
}

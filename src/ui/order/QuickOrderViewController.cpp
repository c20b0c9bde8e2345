#include "QuickOrderViewController.h"

#include "ImageStore.h"

#include "catalogue/DishSearch.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/PhotoManager.h"
#include "order/FoodActions.h"
#include "settings/ConfigManager.h"
#include "storage/DBManager.h"

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
    rows_.askAmounts(0, DishRowsModel::kFirstVisibleRows - 1);
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

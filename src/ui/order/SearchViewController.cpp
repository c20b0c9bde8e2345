#include "SearchViewController.h"

#include "catalogue/DishSearch.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/FoodActions.h"
#include "services/Catalogue.h"
#include "services/Services.h"

SearchViewController::SearchViewController(QObject *parent) : PopRootViewController(parent)
{
    arrFood_ = Services::installed().catalogue->dishes();
    connect(&field_, &DishSearchField::searchRequested, this, &SearchViewController::search);
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, Notify::PopManagerControllerBackToFront, [this](const Notification &note) {
        if (note.object.value<QObject *>() == this)
            emit field_.selectAllRequested();
    });
    search();
}

void SearchViewController::search()
{
    rows_.reload(DishSearch::filterWithKey(arrFood_, field_.text()));
    rows_.askAmounts(0, DishRowsModel::kFirstVisibleRows - 1);
}

void SearchViewController::add(int row)
{
    if (row < 0 || row >= rows_.count())
        return;
    field_.dishAdded();
    FoodActions(rows_.dish(row)).addFood();
    if (shouldReloadOrderList_)
        PostNotificationInMainThread(Notify::UpdateOrderList);
}

void SearchViewController::remove(int row)
{
    if (row < 0 || row >= rows_.count())
        return;
    FoodActions(rows_.dish(row)).delFood();
    if (shouldReloadOrderList_)
        PostNotificationInMainThread(Notify::UpdateOrderList);
}

void SearchViewController::close()
{
    if (isDismissing())
        return;
    field_.endEditing();
    dismissSelf();
}

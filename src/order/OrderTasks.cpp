#include "order/OrderTasks.h"

#include "catalogue/SoldOutList.h"
#include "foundation/MainThread.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "media/PhotoManager.h"
#include "order/OrderManager.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

void OrderAmountTask::run()
{
    PostNotificationInMainThread(Notify::TaskOrderAmount,
                                 QStringList{identity, orders_.getOrderAmount(identity)});
}

void OrderPackTask::run()
{
    PostNotificationInMainThread(Notify::UpdateOrderPackInfoDone,
                                 QStringList{orders_.getOrderPackAmount(), orders_.getOrderPackPay()});
}

void FoodSoldOutTask::run()
{
    const QSet<QString> soldOut = SoldOutList::shared().snapshot();
    OrderManager *orders = &orders_;
    // Queued like every posted notification, so it keeps its place among the results of the tasks
    // before and after it.
    runOnMainThread([orders, soldOut] { orders->applySoldOutMarks(soldOut); });
}

void GenSmallImageTask::run()
{
    if (wanted && !wanted->load())
        return;
    const QString path = PhotoManager::defaultManager().getSmallImagePathByFoodno(identity);
    // A thumbnail that could not be made is no path at all: the dish cell shows its placeholder.
    const QString shown = !path.isEmpty() && QFileInfo::exists(path) ? path : QString();
    PostNotificationInMainThread(Notify::TaskGenSmallImage, QStringList{identity, shown});
}

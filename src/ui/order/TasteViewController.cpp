#include "TasteViewController.h"

#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "order/OrderManager.h"
#include "settings/LanguageManager.h"

using namespace Qt::StringLiterals;

TasteViewController::TasteViewController(const Line &line, QObject *parent)
    : PopRootViewController(parent), line_(line)
{
    QList<TasteInfo> current;
    OrderManager &orders = OrderManager::defaultManager();
    if (line_)
        orders.readLine(line_, [&current](const FoodOrder &target) { current = target.arrTaste; });
    else
        orders.readPack([&current](const OrderPack &pack) { current = pack.arrTaste; });
    picker_.load(line_ ? u"P"_s : u"B"_s, line_ ? line_->foodno : QString(), current);
    initLanguage();
}

void TasteViewController::initLanguage()
{
    title_ = line_ ? line_->foodName : LanguageManager::defaultManager().readString(u"整单备注"_s);
    emit titleChanged();
}

void TasteViewController::confirm()
{
    if (isDismissing())
        return;
    const QList<TasteInfo> chosen = picker_.chosenTastes();
    OrderManager &orders = OrderManager::defaultManager();
    if (line_)
        orders.changeLine(line_, [&chosen](FoodOrder &target) { target.arrTaste = chosen; });
    else
        orders.changePack([&chosen](OrderPack &pack) { pack.arrTaste = chosen; });
    PostNotificationInMainThread(Notify::UpdateOrderList);
    dismissSelf();
}

void TasteViewController::cancel()
{
    if (!isDismissing())
        dismissSelf();
}

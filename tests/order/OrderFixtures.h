#pragma once

#include "catalogue/Food.h"
#include "catalogue/SoldOutList.h"
#include "foundation/NotificationCenter.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <memory>

// Menu items as the database layer makes them, without a database.
namespace Menu {
inline Food food(const QString &foodno, const QString &type, float price, const QString &name = {})
{
    Food food;
    food.info->foodno = foodno;
    food.info->FoodType = type;
    food.info->foodName = name.isEmpty() ? QStringLiteral("菜") + foodno : name;
    food.info->salePrice1 = price;
    food.info->currpriceFlag = QStringLiteral("N");
    food.info->TempFoodFlag = QStringLiteral("N");
    food.scatName = QStringLiteral("小类");
    return food;
}

inline Food dish(const QString &foodno, float price = 10)
{
    return food(foodno, QStringLiteral("D"), price);
}

inline Food marketPriceDish(const QString &foodno)
{
    Food f = dish(foodno, 99);
    f.info->currpriceFlag = QStringLiteral("Y");
    return f;
}

// One component of a set meal: `qty` per set and an exchange charge per unit.
inline Food component(const QString &suitno, const QString &foodno, float qty, float changeAmt = 0)
{
    Food f = food(foodno, QStringLiteral("M"), 5);
    f.suitno = suitno;
    f.suitFoodQty = qty;
    f.OrgFoodNo = foodno;
    f.changeAmt = changeAmt;
    return f;
}

inline Food setMeal(const QString &foodno, float price, const QList<Food> &components)
{
    Food f = food(foodno, QStringLiteral("T"), price);
    f.arrSuiteFoods = components;
    return f;
}
} // namespace Menu

// Records notifications of the given names as "name|payload" (a list payload joined by ","),
// and whether any arrived off the main thread.
class NotificationLog : public QObject {
public:
    explicit NotificationLog(const QStringList &names)
    {
        for (const QString &name : names) {
            NotificationCenter::defaultCenter().addObserver(this, name, [this](const Notification &n) {
                const QString payload = n.object.typeId() == QMetaType::QStringList
                                            ? n.object.toStringList().join(u',')
                                            : n.object.toString();
                entries << n.name + u'|' + payload;
                if (QThread::currentThread() != QCoreApplication::instance()->thread())
                    offMainThread = true;
            });
        }
    }

    QStringList entries;
    bool offMainThread = false;
};

// Records what the terminal would show, in order, as "kind:text".
class RecordingNotices : public NoticeSink {
public:
    QStringList shown;
    void showError(const QString &text) override { shown << QStringLiteral("error:") + text; }
    void showInfo(const QString &text) override { shown << QStringLiteral("info:") + text; }
    void showSuccess(const QString &text) override { shown << QStringLiteral("ok:") + text; }
    void showProgress(const QString &) override { shown << QStringLiteral("progress"); }
    void hideProgress() override { shown << QStringLiteral("/progress"); }
    void confirm(const QString &, const QString &message, const QString &, const QString &,
                 std::function<void(bool)> answer) override
    {
        shown << QStringLiteral("confirm:") + message;
        answer(false);
    }
    void alert(const QString &title, const QString &message, const QString &button,
               std::function<void()> closed) override
    {
        shown << QStringLiteral("alert:") + title + u'|' + message + u'|' + button;
        if (closed)
            closed();
    }
};

// Leaves the sold-out list empty however a test ends.
struct SoldOutGuard {
    explicit SoldOutGuard(const QSet<QString> &foodnos) { SoldOutList::shared().publish(foodnos); }
    ~SoldOutGuard() { SoldOutList::shared().clear(); }
};

// The lines of an order in a compact form: "type foodno qty" per line.
inline QStringList summary(const OrderManager &orders)
{
    QStringList out;
    for (const auto &line : orders.arrOrders())
        out << line->FoodType + u' ' + line->foodno + u' ' + QString::number(double(line->orderQty));
    return out;
}

#pragma once

#include "../catalogue/CatalogueFixtures.h"
#include "catalogue/SoldOutList.h"
#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/UserNotice.h"
#include "order/OrderManager.h"
#include "order/OrderPack.h"
#include "server/NotificationLog.h"
#include "server/RecordingNotices.h"
#include "settings/ConfigManager.h"
#include "settings/DeviceIdentity.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QTemporaryDir>

// A fresh app home with its own settings, device identity, Chinese texts and databases, for one test.
struct OrderTestHome {
    QTemporaryDir dir;

    OrderTestHome()
    {
        AppPaths::setHome(dir.path());
        SettingsStore::setShared(
            std::make_shared<IniSettingsStore>(dir.filePath(QStringLiteral("settings.ini"))));
        ConfigManager::resetDefaultManager();
        DeviceIdentity::resetCache();
        LanguageManager::defaultManager().reset();
        DBManager::resetForTests();
    }
};

// Menu items as the database layer makes them, without a database.
namespace Menu {
inline Food food(const QString &foodno, const QString &type, float price)
{
    Food food;
    food.info->foodno = foodno;
    food.info->FoodType = type;
    food.info->foodName = QStringLiteral("菜") + foodno;
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

// Set meal T1 at 88 of M1 (1 per set, 5 more each) and M2 (2 per set).
inline Food twoPartSetMeal()
{
    return setMeal(QStringLiteral("T1"), 88,
                   {component(QStringLiteral("T1"), QStringLiteral("M1"), 1, 5),
                    component(QStringLiteral("T1"), QStringLiteral("M2"), 2)});
}
} // namespace Menu

// Order lines built directly, as a restored or edited order holds them.
namespace Lines {
using Line = std::shared_ptr<FoodOrder>;

inline Line line(const QString &type, float price, float qty, const QString &foodno = {}, quint64 seq = 0)
{
    Line l = FoodOrder::genFoodOrderWithType(type);
    l->foodno = foodno;
    l->salePrice1 = price;
    l->orderQty = qty;
    l->itemSeq = seq;
    return l;
}

// A dish line as the menu adds it: print state "0", flags "N".
inline Line dish(const QString &foodno, const QString &name, float price, float qty = 1, quint64 seq = 1)
{
    Line l = line(QStringLiteral("D"), price, qty, foodno, seq);
    l->foodName = name;
    l->PrintState = QStringLiteral("0");
    l->TempFoodFlag = QStringLiteral("N");
    l->currpriceFlag = QStringLiteral("N");
    return l;
}

// A component line of set meal `suitno` numbered `index`.
inline Line part(const QString &suitno, const QString &foodno, quint64 index, float qty = 1)
{
    Line l = line(QStringLiteral("M"), 0, qty, foodno);
    l->suitno = suitno;
    l->suiteIndex = qint64(index);
    return l;
}

} // namespace Lines

// Stands in for the order manager: writes its lines as they are and counts the clearings.
class FakeOrderLines : public OrderLinesSource {
public:
    QList<std::shared_ptr<FoodOrder>> lines;
    int clearCount = 0;

    QString sendData() const { return joined(&FoodOrder::toDataString); }
    QString guaDanData() override { return joined(&FoodOrder::toGuadanString); }
    void deleteAllFoodOrders() override
    {
        lines.clear();
        ++clearCount;
    }

private:
    QString joined(QString (FoodOrder::*text)()) const
    {
        QString out;
        for (const auto &line : lines)
            out += ((*line).*text)();
        return out;
    }
};

// What the terminal would show, in order, with the blocking indicator going up and down among it.
struct ShownNotices : RecordingNotices {
    void showProgress(const QString &) override { shown << QStringLiteral("progress"); }
    void hideProgress() override { shown << QStringLiteral("/progress"); }
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

#include "OrderFixtures.h"

#include "order/FoodActions.h"
#include "order/TaskManager.h"
#include "storage/FoodRows.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopViewManager.h"

namespace {
Food demoFood(const QString &foodno)
{
    QList<Food> found;
    DBManager::defaultManager().queryFoodInfosWithSql(
        FoodRows::columns() + FoodRows::joins() + u" where A.foodno = ?"_s,
        [&found](const QList<Food> &foods) { found = foods; }, {foodno});
    return found.value(0);
}
} // namespace

class TestOrderActions : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    QString popupName;

    OrderManager &orders() { return OrderManager::defaultManager(); }

    // Records which pop-up was asked for, then builds nothing.
    void recordPopup(const QString &name)
    {
        PopViewManager::defaultManager().registerFactory(name, [this, name](const QVariantList &) {
            popupName = name;
            return nullptr;
        });
    }

private slots:
    void initTestCase()
    {
        home = std::make_unique<OrderTestHome>();
        if (demoFood(u"00020"_s).info->foodno.isEmpty())
            QSKIP("the demo base data has not been generated");
        orders().setSoundPlayer({});
    }

    void cleanup()
    {
        for (const QString &name : {PopName::FoodItemSizeViewController, PopName::TDetailsViewController,
                                    PopName::QuickTasteSetViewController})
            PopViewManager::defaultManager().registerFactory(name, {});
        QTest::qWait(10);
        orders().deleteAllFoodOrders();
        TaskManager::defaultManager().waitForDone();
        popupName.clear();
    }

    // A component is never ordered on its own, and asks for no set-meal pop-up.
    void componentsAreNeverAddedAlone()
    {
        recordPopup(PopName::TDetailsViewController);
        Food component = demoFood(u"00015"_s);
        component.info->FoodType = u"M"_s;
        FoodActions::genActionWithFood(component)->addFood();
        QTest::qWait(20);
        QCOMPARE(popupName, QString());
        QVERIFY(orders().arrOrders().isEmpty());
    }

    void waitingLinesJoinWithoutASetter()
    {
        // No setter at all: at once. A setter that cannot be built: as soon as that is known.
        orders().addFood(demoFood(u"00020"_s));
        QCOMPARE(orders().arrOrders().size(), 1);
        PopViewManager::defaultManager().registerFactory(PopName::QuickTasteSetViewController,
                                                         [](const QVariantList &) { return nullptr; });
        orders().addFood(demoFood(u"00031"_s));
        QCOMPARE(orders().arrOrderCache().size(), 1);
        QTRY_VERIFY(orders().arrOrderCache().isEmpty());
        QCOMPARE(summary(orders()), (QStringList{u"D 00020 1"_s, u"D 00031 1"_s}));
    }
};

QTEST_GUILESS_MAIN(TestOrderActions)
#include "tst_order_actions.moc"

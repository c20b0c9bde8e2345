#include "OrderFixtures.h"

#include "order/FoodActions.h"
#include "order/TaskManager.h"
#include "storage/FoodRows.h"
#include "toolkit/PopNames.h"
#include "toolkit/PopRootViewController.h"
#include "toolkit/PopViewManager.h"

using Line = OrderManager::Line;

namespace {
Food demoFood(const QString &foodno)
{
    QList<Food> found;
    DBManager::defaultManager().queryFoodInfosWithSql(
        FoodRows::columns() + FoodRows::joins() + u" where A.foodno = ?"_s,
        [&found](const QList<Food> &foods) { found = foods; }, {foodno});
    return found.value(0);
}

TasteInfo tasteNo(const QString &number)
{
    return TasteInfo{number, u"辣"_s + number, u"01"_s, u"0"_s, QString(), 0};
}
} // namespace

class TestOrderActions : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    QVariantList popupArgs;
    QString popupName;

    OrderManager &orders() { return OrderManager::defaultManager(); }

    // Records what the pop-up was asked with, then builds nothing.
    void recordPopup(const QString &name)
    {
        PopViewManager::defaultManager().registerFactory(name, [this, name](const QVariantList &args) {
            popupName = name;
            popupArgs = args;
            return nullptr;
        });
    }

    // A quick taste setter that gives every waiting line `tastes` and confirms.
    void answerQuickTastes(const QList<TasteInfo> &tastes)
    {
        PopViewManager::defaultManager().registerFactory(
            PopName::QuickTasteSetViewController, [this, tastes](const QVariantList &args) {
                popupArgs = args;
                const QList<Line> waiting = args.value(0).value<QList<Line>>();
                // Still waiting: not yet in the order.
                if (!waiting.isEmpty() && orders().arrOrderCache() == waiting &&
                    !orders().arrOrders().contains(waiting.first())) {
                    for (const Line &line : waiting)
                        line->arrTaste = tastes;
                }
                orders().processOrderCache();
                auto *popup = new PopRootViewController;
                QMetaObject::invokeMethod(popup, &PopRootViewController::dismissSelf, Qt::QueuedConnection);
                return popup;
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
        popupArgs.clear();
        popupName.clear();
    }

    void plainDishesAreAddedAtOnceAndComponentsNever()
    {
        recordPopup(PopName::TDetailsViewController);
        const auto cucumber = FoodActions::genActionWithFood(demoFood(u"00001"_s));
        cucumber->addFood();
        cucumber->addFood();
        Food component = demoFood(u"00015"_s);
        component.info->FoodType = u"M"_s;
        FoodActions::genActionWithFood(component)->addFood();
        QTest::qWait(20);
        QCOMPARE(popupName, QString());
        QCOMPARE(summary(orders()), QStringList{u"D 00001 2"_s});
        cucumber->delFood();
        QCOMPARE(summary(orders()), QStringList{u"D 00001 1"_s});
    }

    void boundTastesAreSetWhileTheLineWaits()
    {
        answerQuickTastes({tasteNo(u"003"_s)});
        const auto chicken = FoodActions::genActionWithFood(demoFood(u"00020"_s));
        chicken->addFood();
        QCOMPARE(orders().arrOrderCache().size(), 1);
        QTRY_COMPARE(orders().arrOrders().size(), 1);
        QCOMPARE(orders().arrOrders().first()->arrTaste, QList<TasteInfo>{tasteNo(u"003"_s)});
        QVERIFY(orders().arrOrderCache().isEmpty());

        chicken->addFood();
        QTRY_VERIFY(orders().arrOrderCache().isEmpty());
        answerQuickTastes({tasteNo(u"004"_s)});
        chicken->addFood();
        QTRY_VERIFY(orders().arrOrderCache().isEmpty());
        QCOMPARE(summary(orders()), (QStringList{u"D 00020 2"_s, u"D 00020 1"_s}));
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

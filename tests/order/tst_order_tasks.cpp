// The background tasks: what each posts, that results arrive on the main thread in the order the
// tasks were queued, and that a burst of changes on the main thread ends with the current totals.
#include "OrderFixtures.h"

#include "foundation/NotificationNames.h"
#include "order/TaskManager.h"

using Line = OrderManager::Line;

class TestOrderTasks : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::unique_ptr<OrderManager> orders;
    std::unique_ptr<TaskManager> tasks;
    std::unique_ptr<NotificationLog> log;

    // Runs every queued task and delivers the results they posted.
    void drain()
    {
        QVERIFY(tasks->waitForDone(10000));
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        orders = std::make_unique<OrderManager>();
        tasks = std::make_unique<TaskManager>(orders.get());
        orders->setTaskManager(tasks.get());
        orders->genNewPack();
        log = std::make_unique<NotificationLog>(
            QStringList{Notify::TaskOrderAmount, Notify::UpdateOrderPackInfoDone, Notify::TaskGenSmallImage});
    }

    void cleanup()
    {
        tasks->waitForDone();
        QCoreApplication::processEvents();
        log.reset();
        orders.reset();
        tasks.reset();
        SoldOutList::shared().clear();
    }

    void emptyingPostsZeroForEveryDishOnce()
    {
        orders->addFood(Menu::dish(u"D1"_s));
        orders->addFood(Menu::dish(u"D1"_s), FoodItemsize{u"D1"_s, u"大份"_s, 20, 0, 0, 0});
        orders->addFood(Menu::setMeal(u"T1"_s, 50, {Menu::component(u"T1"_s, u"M1"_s, 1)}));
        drain();
        log->entries.clear();
        orders->deleteAllFoodOrders();
        drain();
        QCOMPARE(log->entries, (QStringList{u"kTaskOrderAmount|D1,0"_s, u"kTaskOrderAmount|T1,0"_s,
                                            u"updateOrderPackInfoDone|0,0.00"_s}));
    }

    void restoringPostsEveryLineOfTheOrder()
    {
        OrderPack restored;
        for (const QString &foodno : {u"D1"_s, u"D2"_s, u"D1"_s})
            restored.ordersInPack << Lines::line(u"D"_s, 5, 1, foodno);
        orders->genPackFromGuaDan(restored);
        drain();
        QCOMPARE(log->entries,
                 (QStringList{u"kTaskOrderAmount|D1,2.00"_s, u"kTaskOrderAmount|D2,1.00"_s,
                              u"kTaskOrderAmount|D1,2.00"_s, u"updateOrderPackInfoDone|3.00,15.00"_s}));
    }

    void aBurstOfChangesPostsItsResultsInOrder()
    {
        orders->addFood(Menu::dish(u"D1"_s, 2));
        const Line line = orders->arrOrders().first();
        for (int i = 0; i < 300; ++i) {
            // Changes keep arriving on the main thread while the worker reads the order.
            orders->setOrderAlphaQty(line, 1);
            orders->addFood(Menu::dish(u"D"_s + QString::number(i % 7 + 2), 1));
            orders->changeLine(line, [i](FoodOrder &changed) { changed.salePrice1 = float(2 + i % 3); });
        }
        orders->changeLine(line, [](FoodOrder &changed) { changed.salePrice1 = 2; });
        orders->runPackTaskAndAllOrderTask();
        drain();

        QStringList dishCounts;
        for (const QString &entry : std::as_const(log->entries)) {
            if (entry.startsWith(u"updateOrderPackInfoDone|"))
                dishCounts << entry.section(u'|', 1).section(u',', 0, 0);
        }
        // Every change adds one dish, and the results arrive in the order of the changes.
        QCOMPARE(dishCounts.size(), 2 + 300 * 3 + 1);
        for (qsizetype i = 1; i < dishCounts.size(); ++i)
            QVERIFY2(dishCounts.at(i).toFloat() >= dishCounts.at(i - 1).toFloat(),
                     qPrintable(dishCounts.at(i)));
        QCOMPARE(log->entries.last(), u"updateOrderPackInfoDone|601.00,902.00"_s);
        QVERIFY(!log->offMainThread);
    }

    void soldOutTaskMarksTheLines()
    {
        orders->addFood(Menu::dish(u"D1"_s));
        orders->addFood(Menu::dish(u"D2"_s));
        drain();
        {
            SoldOutGuard soldOut({u"D2"_s});
            tasks->runFoodSoldOutTask();
            drain();
        }
        const QList<Line> lines = orders->arrOrders();
        QCOMPARE((QList<bool>{lines.at(0)->isSoldOut, lines.at(1)->isSoldOut}), (QList<bool>{false, true}));
        QCOMPARE(lines.at(1)->displayFoodName(), lines.at(1)->foodName + u"(已售罄)"_s);
        tasks->runFoodSoldOutTask();
        drain();
        QVERIFY(!lines.at(1)->isSoldOut);
    }
};

QTEST_GUILESS_MAIN(TestOrderTasks)
#include "tst_order_tasks.moc"

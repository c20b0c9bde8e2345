#include "FakeOrderLines.h"
#include "OrderFixtures.h"
#include "OrderTestHome.h"

#include "foundation/NotificationNames.h"
#include "storage/DBManager.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
std::shared_ptr<FoodOrder> dish(const QString &foodno, const QString &name)
{
    auto line = FoodOrder::genFoodOrderWithType(u"D"_s);
    line->foodno = foodno;
    line->foodName = name;
    line->salePrice1 = 10;
    line->orderQty = 1;
    return line;
}

QList<Guadan> storedOrders()
{
    QList<Guadan> stored;
    DBManager::mainDBManager().getOrderPacks([&stored](const QList<Guadan> &orders) { stored = orders; });
    return stored;
}
} // namespace

class TestOrderGuadanSave : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::shared_ptr<RecordingNotices> sink;
    FakeOrderLines lines;
    std::unique_ptr<NotificationLog> listUpdates;

    // Saves and returns the flag the completion received (-1: not called).
    int save(const OrderPack &pack)
    {
        int flag = -1;
        pack.saveGuaDan([&flag](bool saved) { flag = saved ? 1 : 0; });
        return flag;
    }

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        DBManager::resetForTests();
        sink = std::make_shared<RecordingNotices>();
        UserNotice::setSink(sink);
        lines = FakeOrderLines();
        OrderPack::setLinesSource(&lines);
        listUpdates = std::make_unique<NotificationLog>(QStringList{Notify::UpdateOrderList});
    }

    void cleanup()
    {
        listUpdates.reset();
        OrderPack::setLinesSource(nullptr);
        UserNotice::setSink(nullptr);
        DBManager::resetForTests();
    }

    void savedOrderIsStoredAndCleared()
    {
        lines.lines = {dish(u"1"_s, u"鱼&<虾>"_s), dish(u"2"_s, u"汤"_s)};
        auto pack = OrderPack::genNewPack();
        pack->CustCount = u"3"_s;
        const QString expected = pack->toGuadanString();

        QCOMPARE(save(*pack), 1);
        QCOMPARE(sink->shown, QStringList{u"ok:挂单成功"_s});
        QCOMPARE(lines.clearCount, 1);
        QCOMPARE(listUpdates->entries.size(), 1);

        const QList<Guadan> stored = storedOrders();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0].content, expected);
        QVERIFY(qAbs(stored[0].createDate.secsTo(QDateTime::currentDateTimeUtc())) < 5);
        const auto restored = OrderPack::setupWithGuaDan(stored[0]);
        QVERIFY(restored);
        QCOMPARE(restored->ordersInPack.size(), 2);
        QCOMPARE(restored->ordersInPack[0]->foodName, u"鱼&<虾>"_s);
        QCOMPARE(restored->CustCount, std::optional(u"3"_s));
    }

    void failedSaveKeepsTheOrder()
    {
        // A folder where the database file belongs: the store cannot be opened.
        QVERIFY(QDir(home->dir.path()).mkdir(u"main"_s));
        lines.lines = {dish(u"1"_s, u"鱼"_s)};

        QCOMPARE(save(*OrderPack::genNewPack()), 0);
        QCOMPARE(sink->shown, QStringList{u"error:保存失败（1）"_s});
        QCOMPARE(lines.clearCount, 0);
        QCOMPARE(lines.lines.size(), 1);
        QVERIFY(listUpdates->entries.isEmpty());
    }

    void emptyOrderIsNotStored()
    {
        QCOMPARE(save(*OrderPack::genNewPack()), 0);
        QCOMPARE(sink->shown, QStringList{u"error:挂单失败（0）"_s});
        QCOMPARE(lines.clearCount, 0);
        QVERIFY(listUpdates->entries.isEmpty());
        QVERIFY(storedOrders().isEmpty());

        OrderPack::setLinesSource(nullptr);
        QCOMPARE(save(*OrderPack::genNewPack()), 0);
        QVERIFY(storedOrders().isEmpty());
    }

    void missingCompletionIsHarmless()
    {
        lines.lines = {dish(u"1"_s, u"鱼"_s)};
        OrderPack::genNewPack()->saveGuaDan({});
        QCOMPARE(storedOrders().size(), 1);
        QCOMPARE(lines.clearCount, 1);
    }
};

QTEST_GUILESS_MAIN(TestOrderGuadanSave)
#include "tst_order_guadan_save.moc"

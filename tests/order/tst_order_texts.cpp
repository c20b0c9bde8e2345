#include "OrderFixtures.h"

#include "settings/ConfigManager.h"
#include "storage/DBManager.h"

#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;
using Line = OrderManager::Line;

namespace {
// The given attributes of every element of a detail text, one "a|b|c" entry per element.
QStringList attributes(const QString &detail, const QStringList &names)
{
    QStringList rows;
    QXmlStreamReader reader(u"<d>"_s + detail + u"</d>"_s);
    while (reader.readNextStartElement()) {
        if (reader.name() == u"d")
            continue;
        QStringList values;
        for (const QString &name : names)
            values << reader.attributes().value(name).toString();
        rows << values.join(u'|');
        reader.skipCurrentElement();
    }
    return rows;
}

TasteInfo remark(const QString &style, float amount)
{
    return TasteInfo{u"046"_s, u"服务费"_s, u"06"_s, u"0"_s, style, amount};
}
} // namespace

class TestOrderTexts : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::unique_ptr<OrderManager> orders;

    // 20 x 2 given away, 15 x 1, and a set meal of 88 whose component costs 5 x 2: 113 in all.
    void addPricedOrder()
    {
        orders->addFood(Menu::dish(u"D1"_s, 20), std::nullopt, 2);
        orders->arrOrders().first()->setIsZengSong(true);
        orders->addFood(Menu::dish(u"D2"_s, 15));
        orders->addFood(Menu::setMeal(u"T1"_s, 88, {Menu::component(u"T1"_s, u"M1"_s, 2, 5)}));
    }

    Line addSetMeal()
    {
        orders->addFood(Menu::twoPartSetMeal());
        return orders->arrOrders().at(orders->arrOrders().size() - 3);
    }

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        DBManager::resetForTests();
        orders = std::make_unique<OrderManager>();
        orders->genNewPack();
    }

    void cleanup()
    {
        orders.reset();
        OrderPack::setLinesSource(nullptr);
    }

    void orderedQuantityOfADish()
    {
        QCOMPARE(orders->getOrderAmount(u"M1"_s), u"0"_s);
        QCOMPARE(orders->getOrderPackAmount(), u"0"_s);
        QCOMPARE(orders->getOrderPackPay(), u"0.00"_s);
        orders->addFood(Menu::dish(u"M1"_s, 5));
        orders->addFood(Menu::dish(u"M1"_s, 5), FoodItemsize{u"M1"_s, u"大份"_s, 8, 0, 0, 0}, 2.5f);
        orders->addFood(Menu::setMeal(u"T1"_s, 88, {Menu::component(u"T1"_s, u"M1"_s, 4)}));
        QCOMPARE(orders->getOrderAmount(u"M1"_s), u"3.50"_s);
        QCOMPARE(orders->getOrderAmount(u"T1"_s), u"1.00"_s);
        QCOMPARE(orders->getOrderPackAmount(), u"4.50"_s);
    }

    void orderTotal_data()
    {
        QTest::addColumn<qint64>("showAmount");
        QTest::addColumn<QList<TasteInfo>>("remarks");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lines only") << qint64(3) << QList<TasteInfo>{} << u"113.00"_s;
        QTest::newRow("percentage remark")
            << qint64(3) << QList<TasteInfo>{remark(u"P"_s, 10)} << u"124.30"_s;
        QTest::newRow("fixed and percentage, both of the lines' sum")
            << qint64(3) << QList<TasteInfo>{remark(u"A"_s, 3), remark(u"P"_s, 10)} << u"127.30"_s;
        QTest::newRow("other styles add nothing")
            << qint64(3) << QList<TasteInfo>{remark(u""_s, 50)} << u"113.00"_s;
        QTest::newRow("amounts hidden") << qint64(4) << QList<TasteInfo>{remark(u"P"_s, 10)} << u"不显示"_s;
    }

    void orderTotal()
    {
        QFETCH(qint64, showAmount);
        QFETCH(QList<TasteInfo>, remarks);
        QFETCH(QString, expected);
        ConfigManager::defaultManager().setCtShowAmount(showAmount);
        addPricedOrder();
        orders->changePack([&remarks](OrderPack &pack) { pack.arrTaste = remarks; });
        QCOMPARE(orders->getOrderPackPay(), expected);
        QCOMPARE(orders->getOrderPackAmount(), u"4.00"_s);
    }

    void marketPriceCheck_data()
    {
        QTest::addColumn<float>("price");
        QTest::addColumn<bool>("asComponent");
        QTest::addColumn<bool>("expected");
        QTest::newRow("no price yet") << 0.0f << false << true;
        QTest::newRow("priced") << 12.0f << false << false;
        QTest::newRow("component without price") << 0.0f << true << false;
    }

    void marketPriceCheck()
    {
        QFETCH(float, price);
        QFETCH(bool, asComponent);
        QFETCH(bool, expected);
        if (asComponent) {
            Food part = Menu::component(u"T1"_s, u"D9"_s, 1);
            part.info->currpriceFlag = u"Y"_s;
            orders->addFood(Menu::setMeal(u"T1"_s, 88, {part}));
        } else {
            orders->addFood(Menu::marketPriceDish(u"D9"_s));
        }
        for (const Line &line : orders->arrOrders())
            line->salePrice1 = price;
        QCOMPARE(orders->hasShiJiaPriceZero(), expected);
    }

    void sendDataNumbersTheLinesAfresh()
    {
        for (const QString &foodno : {u"D1"_s, u"D2"_s, u"D3"_s})
            orders->addFood(Menu::dish(foodno));
        orders->deleteFoodOrder(orders->arrOrders().at(1));
        QCOMPARE(attributes(orders->sendData(), {u"ItemSeq"_s, u"foodNo"_s}),
                 (QStringList{u"1|D1"_s, u"2|D3"_s}));
        // The held-order detail keeps whatever numbers the lines have.
        orders->addFood(Menu::dish(u"D4"_s));
        QCOMPARE(attributes(orders->guaDanData(), {u"itemSeq"_s, u"foodno"_s}),
                 (QStringList{u"1|D1"_s, u"2|D3"_s, u"3|D4"_s}));
    }

    void componentsFollowTheirParentsNewNumber()
    {
        orders->addFood(Menu::dish(u"D1"_s));
        addSetMeal();
        orders->deleteFoodOrder(orders->arrOrders().first());
        QCOMPARE(attributes(orders->sendData(), {u"ItemSeq"_s, u"FoodType"_s, u"SuitNo"_s, u"SuitIndex"_s}),
                 (QStringList{u"1|T||0"_s, u"2|M|T1|1"_s, u"3|M|T1|1"_s}));
    }

    // The send derives the components' sale from their parent; the gift setter marks them for holding.
    void componentsAreGivenAwayWithTheirSetMeal()
    {
        const Line parent = addSetMeal();
        orders->changeLine(parent, [](FoodOrder &line) {
            line.setIsZengSong(true);
            line.authID = u"001"_s;
        });
        const QStringList gift{u"T|C|001"_s, u"M|C|001"_s, u"M|C|001"_s};
        const QStringList fields{u"FoodType"_s, u"SellWay"_s, u"AuthID"_s};
        QCOMPARE(attributes(orders->sendData(), fields), gift);
        orders->changeLine(parent, [](FoodOrder &line) { line.setIsZengSong(false); });
        QCOMPARE(attributes(orders->sendData(), {u"SellWay"_s, u"AuthID"_s}),
                 (QStringList{u"A|"_s, u"A|"_s, u"A|"_s}));

        QCOMPARE(orders->getOrderPackPay(), u"93.00"_s);
        orders->setZengSong(parent, true, u"001"_s);
        QCOMPARE(orders->getOrderPackPay(), u"0.00"_s);
        QCOMPARE(attributes(orders->guaDanData(), fields), gift);
        orders->setZengSong(parent, false, u"001"_s);
        QCOMPARE(orders->getOrderPackPay(), u"93.00"_s);
        QCOMPARE(attributes(orders->guaDanData(), {u"SellWay"_s, u"AuthID"_s}),
                 (QStringList{u"A|"_s, u"A|"_s, u"A|"_s}));
    }

    void aHeldOrderSavedAfterAFailedSendKeepsItsSetMeals()
    {
        OrderPack::setLinesSource(orders.get());
        orders->addFood(Menu::dish(u"D1"_s));
        addSetMeal();
        orders->deleteFoodOrder(orders->arrOrders().first());
        orders->orderPack()->toSendString(); // the send that failed renumbered the lines
        Guadan stored;
        stored.content = orders->orderPack()->toGuadanString();
        const std::shared_ptr<OrderPack> restored = OrderPack::setupWithGuaDan(stored);
        QVERIFY(restored);

        orders->genPackFromGuaDan(*restored);
        const QList<Line> lines = orders->arrOrders();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.first()->arrSubOrders, lines.mid(1));
        orders->setOrderQty(lines.first(), 2);
        QCOMPARE(summary(*orders), (QStringList{u"T T1 2"_s, u"M M1 2"_s, u"M M2 4"_s}));
    }

    // A component whose set meal is missing from a damaged held order becomes an ordinary line,
    // which can be deleted; components that find their set meal stay components.
    void orphanComponentsBecomeOrdinaryLines_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("no set meal at all") << QString() << QStringList{u"D"_s, u"D"_s};
        QTest::newRow("another set meal") << u"T9"_s << QStringList{u"T"_s, u"D"_s, u"D"_s};
        QTest::newRow("its set meal") << u"T1"_s << QStringList{u"T"_s, u"M"_s, u"M"_s};
    }
    void orphanComponentsBecomeOrdinaryLines()
    {
        QFETCH(QString, parent);
        QFETCH(QStringList, kinds);
        OrderPack restored;
        if (!parent.isEmpty())
            restored.ordersInPack << Lines::line(u"T"_s, 0, 1, parent, 4);
        for (const QString &part : {u"M1"_s, u"M2"_s})
            restored.ordersInPack << Lines::part(u"T1"_s, part, 4);
        orders->genPackFromGuaDan(restored);
        QStringList read;
        for (const Line &line : orders->arrOrders())
            read << line->FoodType;
        QCOMPARE(read, kinds);

        orders->deleteFoodOrder(orders->arrOrders().last());
        QCOMPARE(orders->arrOrders().size(), kinds.last() == u"D" ? kinds.size() - 1 : kinds.size());
        if (kinds.last() == u"D")
            QVERIFY(orders->arrOrders().last()->suitno.isEmpty());
    }

    void adoptingAHeldOrder()
    {
        orders->addFood(Menu::dish(u"D1"_s));
        const QString earlierFlowNo = orders->orderPack()->UniqueFlowNo.value();
        OrderPack restored;
        restored.arrTaste = {remark(u"A"_s, 3)};
        restored.CustCount = u"4"_s;
        restored.DeskNo = u"A01"_s;
        // Two set meals of the same dish that ended up with the same number.
        for (int set = 0; set < 2; ++set) {
            restored.ordersInPack << Lines::line(u"T"_s, 0, 1, u"T1"_s, 4);
            for (const QString &part : {u"M1"_s, u"M2"_s}) {
                restored.ordersInPack << Lines::part(u"T1"_s, part, 4);
                restored.ordersInPack.last()->suitFoodQty = 1;
            }
        }

        orders->genPackFromGuaDan(restored);
        const std::shared_ptr<OrderPack> pack = orders->orderPack();
        QVERIFY(pack->UniqueFlowNo && *pack->UniqueFlowNo != earlierFlowNo);
        QCOMPARE(pack->CustCount, std::optional<QString>(u"4"_s));
        QCOMPARE(pack->DeskNo, std::nullopt);
        QCOMPARE(pack->arrTaste, restored.arrTaste);
        const QList<Line> lines = orders->arrOrders();
        QCOMPARE(lines, restored.ordersInPack);
        QCOMPARE(lines.at(0)->arrSubOrders, lines.mid(1, 2));
        QCOMPARE(lines.at(3)->arrSubOrders, lines.mid(4, 2));
    }
};

QTEST_GUILESS_MAIN(TestOrderTexts)
#include "tst_order_texts.moc"

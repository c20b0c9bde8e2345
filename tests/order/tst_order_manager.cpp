// The order manager: adding, merging, rescaling, removing lines, totals, and the details it writes.
#include "OrderFixtures.h"
#include "TestRows.h"

#include "order/OrderSender.h"

#include <QXmlStreamReader>

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

// The line elements of the order's send text.
QString sendDetail(OrderManager &orders)
{
    if (!orders.orderPack())
        orders.genNewPack();
    const QString text = OrderSender(orders).sendText();
    const qsizetype from = text.indexOf(u"<OrderDetail>"_s) + 13;
    return text.mid(from, text.indexOf(u"</OrderDetail>"_s) - from);
}

TasteInfo remark(const QString &style, float amount)
{
    return TasteInfo{u"046"_s, u"服务费"_s, u"06"_s, u"0"_s, style, amount};
}
} // namespace

class TestOrderManager : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;
    std::unique_ptr<OrderManager> orders;
    QStringList sounds;

    // A staged dish line as the quick taste setter leaves it.
    static Line stagedDish(const QString &foodno, const QString &size, const QString &name, float price,
                           const QList<TasteInfo> &tastes)
    {
        Line line = Lines::line(u"D"_s, price, 1, foodno);
        line->itemsize = size;
        line->foodName = name;
        line->arrTaste = tastes;
        return line;
    }

    static QList<TasteInfo> baseTastes()
    {
        return {{u"002"_s, u"微辣"_s, u"01"_s, u"0"_s, QString(), 0}, manual(u"少油"_s, 0)};
    }

    // Adds a set meal of two components (1 and 2 per set, charges 5 and 0) and returns its parent.
    Line addSetMeal(float qty = 1)
    {
        orders->addFood(Menu::twoPartSetMeal(), std::nullopt, qty);
        for (const Line &line : orders->arrOrders()) {
            if (line->isTFoodType())
                return line;
        }
        return {};
    }

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        orders = std::make_unique<OrderManager>();
        sounds.clear();
        orders->setSoundPlayer([this](const QString &effect) { sounds << effect; });
    }

    void cleanup()
    {
        orders.reset();
        OrderPack::setLinesSource(nullptr);
        SoldOutList::shared().clear();
    }

    void mergeNeedsAllSixFieldsEqual_data()
    {
        columns<Line, QStringList>("second", "expected");

        const QList<TasteInfo> base = baseTastes();
        const TasteInfo spicy = base[0], manual = base[1];
        TasteInfo otherManual = manual;
        otherManual.TasteAmt = 2;
        const TasteInfo otherSpicy{u"003"_s, u"中辣"_s, u"01"_s, u"0"_s, QString(), 0};

        const QStringList two{u"D D1 1"_s, u"D D1 1"_s};
        QTest::newRow("size") << stagedDish(u"D1"_s, u"小份"_s, u"鱼"_s, 20, base) << two;
        QTest::newRow("name (temporary dish)") << stagedDish(u"D1"_s, u"大份"_s, u"烤鱼"_s, 20, base) << two;
        QTest::newRow("price") << stagedDish(u"D1"_s, u"大份"_s, u"鱼"_s, 20.01f, base) << two;
        QTest::newRow("catalogue taste")
            << stagedDish(u"D1"_s, u"大份"_s, u"鱼"_s, 20, {otherSpicy, manual}) << two;
        QTest::newRow("manual taste amount")
            << stagedDish(u"D1"_s, u"大份"_s, u"鱼"_s, 20, {spicy, otherManual}) << two;
    }

    void mergeNeedsAllSixFieldsEqual()
    {
        auto [second, expected] = row<Line, QStringList>("second", "expected");
        orders->addToOrderCache(stagedDish(u"D1"_s, u"大份"_s, u"鱼"_s, 20, baseTastes()));
        orders->addToOrderCache(second);
        QCOMPARE(summary(*orders), expected);
        QVERIFY(orders->arrOrderCache().isEmpty());
    }

    // Steps: "add D1" (price 10), "size D1" (大份 at 30), "set" (set meal T1),
    // "qty N x", "step N ±1" and "delete N" on the N-th line, "remove D1", "soldout D1,T1".
    void scripts_data()
    {
        columns<QString, QStringList>("steps", "expected");
        const QStringList setMeal{u"T T1 1"_s, u"M M1 1"_s, u"M M2 2"_s};
        QTest::newRow("a dish never merges into a component")
            << u"set; add M1"_s << setMeal + QStringList{u"D M1 1"_s};
        QTest::newRow("sold out: no more")
            << u"add D1; qty 1 3; soldout D1,T1; add D1; step 1 +1; qty 1 5"_s << QStringList{u"D D1 3"_s};
        // A sold-out set meal brings none of its components into the order.
        QTest::newRow("sold out: fewer")
            << u"add D1; qty 1 3; soldout D1,T1; step 1 -1; qty 1 1.5; remove D1; set"_s
            << QStringList{u"D D1 0.5"_s};
        QTest::newRow("remove takes the dish's last line away")
            << u"add D1; add D2; size D1; qty 3 2; remove D1; remove D1; remove D9"_s
            << QStringList{u"D D1 1"_s, u"D D2 1"_s};
        QTest::newRow("remove skips components of the same dish") << u"add M1; set; remove M1"_s << setMeal;
        QTest::newRow("a component is not deleted alone")
            << u"add D1; set; delete 3"_s << QStringList{u"D D1 1"_s} + setMeal;
        QTest::newRow("a set meal is deleted with its components")
            << u"add D1; set; delete 2"_s << QStringList{u"D D1 1"_s};
        QTest::newRow("the last dish deleted") << u"add D1; delete 1"_s << QStringList();
    }

    void scripts()
    {
        auto [steps, expected] = row<QString, QStringList>("steps", "expected");
        std::optional<SoldOutGuard> soldOut;
        for (const QString &step : steps.split(u"; "_s)) {
            const QStringList w = step.split(u' ');
            const auto line = [&] { return orders->arrOrders().value(w.value(1).toInt() - 1); };
            if (w[0] == u"add")
                orders->addFood(Menu::dish(w[1]));
            else if (w[0] == u"size")
                orders->addFood(Menu::dish(w[1]), FoodItemsize{w[1], u"大份"_s, 30, 0, 0, 0});
            else if (w[0] == u"set")
                addSetMeal();
            else if (w[0] == u"qty")
                orders->setOrderQty(line(), w[2].toFloat());
            else if (w[0] == u"step")
                orders->setOrderAlphaQty(line(), w[2].toFloat());
            else if (w[0] == u"delete")
                orders->deleteFoodOrder(line());
            else if (w[0] == u"remove")
                orders->removeFood(Menu::dish(w[1]));
            else if (const QStringList nos = w.value(1).split(u','); w[0] == u"soldout")
                soldOut.emplace(QSet<QString>(nos.begin(), nos.end()));
            else
                QFAIL(qPrintable(u"unknown step "_s + step));
        }
        QCOMPARE(summary(*orders), expected);
        QVERIFY(orders->arrOrderCache().isEmpty());
    }

    // The size sets the name and all four prices; a market-price dish starts at 0 all the same.
    void sizesSetNameAndPrices()
    {
        orders->addFood(Menu::dish(u"D1"_s, 78), FoodItemsize{u"D1"_s, u"大份"_s, 98, 97, 96, 88.2f});
        orders->addFood(Menu::marketPriceDish(u"D2"_s), FoodItemsize{u"D2"_s, u"小份"_s, 98, 97, 96, 88.2f});
        QCOMPARE(mapped(orders->arrOrders(),
                        [](const Line &l) {
                            return QStringList{l->itemsize, QString::number(l->salePrice1),
                                               QString::number(l->salePrice2), QString::number(l->salePrice3),
                                               QString::number(l->MemberPrice)}
                                .join(u' ');
                        }),
                 (QStringList{u"大份 98 97 96 88.2"_s, u"小份 0 97 96 88.2"_s}));
    }

    void setMealLinesAndRescaling_data()
    {
        QTest::addColumn<float>("orderedQty");
        // "=n" sets the quantity, "+n"/"-n" steps, "remove" lowers by one.
        columns<QString, QStringList>("change", "after");
        const QStringList two{u"T T1 2"_s, u"M M1 2"_s, u"M M2 4"_s};
        QTest::newRow("one set, then three")
            << 1.0f << u"=3"_s << QStringList{u"T T1 3"_s, u"M M1 3"_s, u"M M2 6"_s};
        QTest::newRow("two sets from the details, then one")
            << 2.0f << u"=1"_s << QStringList{u"T T1 1"_s, u"M M1 1"_s, u"M M2 2"_s};
        QTest::newRow("a step down to nothing") << 1.0f << u"-1"_s << QStringList();
        QTest::newRow("removing one of three") << 3.0f << u"remove"_s << two;
    }

    void setMealLinesAndRescaling()
    {
        auto [orderedQty, change, after] = row<float, QString, QStringList>("orderedQty", "change", "after");
        const Line parent = addSetMeal(orderedQty);
        const QString qty = QString::number(orderedQty), twice = QString::number(2 * orderedQty);
        QCOMPARE(summary(*orders), (QStringList{u"T T1 "_s + qty, u"M M1 "_s + qty, u"M M2 "_s + twice}));
        const QList<Line> lines = orders->arrOrders();
        QCOMPARE(mapped(lines, [](const Line &l) { return u"%1/%2"_s.arg(l->itemSeq).arg(l->suiteIndex); }),
                 (QStringList{u"1/0"_s, u"2/1"_s, u"3/1"_s}));
        QCOMPARE(parent->arrSubOrders, lines.mid(1));
        if (change == u"remove")
            orders->removeFood(Menu::setMeal(u"T1"_s, 88, {}));
        else if (change.startsWith(u'='))
            orders->setOrderQty(parent, change.mid(1).toFloat());
        else
            orders->setOrderAlphaQty(parent, change.toInt());
        QCOMPARE(summary(*orders), after);
        if (after.isEmpty())
            QCOMPARE(parent->orderQty, 0.0f);
    }

    void soundsOfEachChange()
    {
        orders->addFood(Menu::dish(u"D1"_s));
        const Line line = orders->arrOrders().first();
        orders->setOrderAlphaQty(line, 1);
        orders->setOrderQty(line, 5);
        orders->setOrderAlphaQty(line, -1);
        orders->setOrderAlphaQty(line, 0);
        orders->removeFood(Menu::dish(u"D1"_s));
        QCOMPARE(sounds, (QStringList{u"bnok"_s, u"bnok"_s, u"bncancel"_s, u"bncancel"_s, u"bncancel"_s}));
    }

    // A dish's ordered quantity counts its components too; emptying the order starts the numbering again.
    void orderedQuantityOfADish()
    {
        const auto amounts = [this] {
            return QStringList{orders->getOrderAmount(u"M1"_s), orders->getOrderAmount(u"T1"_s),
                               orders->getOrderPackAmount(), orders->getOrderPackPay(),
                               QString::number(orders->nextItemSeq())};
        };
        const QStringList none{u"0"_s, u"0"_s, u"0"_s, u"0.00"_s, u"1"_s};
        QCOMPARE(amounts(), none);
        orders->addFood(Menu::dish(u"M1"_s, 5));
        orders->addFood(Menu::dish(u"M1"_s, 5), FoodItemsize{u"M1"_s, u"大份"_s, 8, 0, 0, 0}, 2.5f);
        orders->addFood(Menu::setMeal(u"T1"_s, 88, {Menu::component(u"T1"_s, u"M1"_s, 4)}));
        QCOMPARE(amounts(), (QStringList{u"3.50"_s, u"1.00"_s, u"4.50"_s, u"113.00"_s, u"5"_s}));
        orders->deleteAllFoodOrders();
        QVERIFY(orders->arrOrders().isEmpty());
        QCOMPARE(amounts(), none);
    }

    void marketPriceCheck_data()
    {
        columns<float, bool>("price", "expected");
        QTest::newRow("no price yet") << 0.0f << true;
        QTest::newRow("priced") << 12.0f << false;
    }

    void marketPriceCheck()
    {
        auto [price, expected] = row<float, bool>("price", "expected");
        orders->addFood(Menu::marketPriceDish(u"D9"_s));
        for (const Line &line : orders->arrOrders())
            line->salePrice1 = price;
        QCOMPARE(orders->hasShiJiaPriceZero(), expected);
    }

    void sendDataNumbersTheLinesAfresh()
    {
        for (const QString &foodno : {u"D1"_s, u"D2"_s, u"D3"_s})
            orders->addFood(Menu::dish(foodno));
        orders->deleteFoodOrder(orders->arrOrders().at(1));
        QCOMPARE(attributes(sendDetail(*orders), {u"ItemSeq"_s, u"foodNo"_s}),
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
        QCOMPARE(attributes(sendDetail(*orders), {u"ItemSeq"_s, u"FoodType"_s, u"SuitNo"_s, u"SuitIndex"_s}),
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
        const QStringList fields{u"FoodType"_s, u"SellWay"_s, u"AuthID"_s};
        const QStringList gift{u"T|C|001"_s, u"M|C|001"_s, u"M|C|001"_s},
            sale{u"T|A|"_s, u"M|A|"_s, u"M|A|"_s};
        QCOMPARE(attributes(sendDetail(*orders), fields), gift);
        orders->changeLine(parent, [](FoodOrder &line) { line.setIsZengSong(false); });
        QCOMPARE(attributes(sendDetail(*orders), fields) << orders->getOrderPackPay(),
                 sale + QStringList{u"93.00"_s});
        orders->setZengSong(parent, true, u"001"_s);
        QCOMPARE(attributes(orders->guaDanData(), fields) << orders->getOrderPackPay(),
                 gift + QStringList{u"0.00"_s});
        orders->setZengSong(parent, false, u"001"_s);
        QCOMPARE(attributes(orders->guaDanData(), fields) << orders->getOrderPackPay(),
                 sale + QStringList{u"93.00"_s});
    }

    void aHeldOrderSavedAfterAFailedSendKeepsItsSetMeals()
    {
        orders->genNewPack(); // the order pack, with its remarks and flow number
        OrderPack::setLinesSource(orders.get());
        orders->addFood(Menu::dish(u"D1"_s));
        addSetMeal();
        orders->deleteFoodOrder(orders->arrOrders().first());
        orders->numberLinesForSend(); // the send that failed renumbered the lines
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
        columns<QString, QStringList>("parent", "kinds");
        QTest::newRow("no set meal at all") << QString() << QStringList{u"D"_s, u"D"_s};
        QTest::newRow("another set meal") << u"T9"_s << QStringList{u"T"_s, u"D"_s, u"D"_s};
        QTest::newRow("its set meal") << u"T1"_s << QStringList{u"T"_s, u"M"_s, u"M"_s};
    }
    void orphanComponentsBecomeOrdinaryLines()
    {
        auto [parent, kinds] = row<QString, QStringList>("parent", "kinds");
        OrderPack restored;
        if (!parent.isEmpty())
            restored.ordersInPack << Lines::line(u"T"_s, 0, 1, parent, 4);
        for (const QString &part : {u"M1"_s, u"M2"_s})
            restored.ordersInPack << Lines::part(u"T1"_s, part, 4);
        orders->genPackFromGuaDan(restored);
        QCOMPARE(mapped(orders->arrOrders(), [](const Line &line) { return line->FoodType; }), kinds);

        orders->deleteFoodOrder(orders->arrOrders().last());
        QCOMPARE(orders->arrOrders().size(), kinds.last() == u"D" ? kinds.size() - 1 : kinds.size());
        if (kinds.last() == u"D")
            QVERIFY(orders->arrOrders().last()->suitno.isEmpty());
    }

    void adoptingAHeldOrder()
    {
        orders->genNewPack(); // the order pack, with its remarks and flow number
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
        QCOMPARE(pack->CustCount.value_or(u"-"_s) + pack->DeskNo.value_or(u"-"_s), u"4-"_s);
        QCOMPARE(pack->arrTaste, restored.arrTaste);
        const QList<Line> lines = orders->arrOrders();
        QCOMPARE(lines, restored.ordersInPack);
        QCOMPARE(lines.at(0)->arrSubOrders, lines.mid(1, 2));
        QCOMPARE(lines.at(3)->arrSubOrders, lines.mid(4, 2));
    }
};

QTEST_GUILESS_MAIN(TestOrderManager)
#include "tst_order_manager.moc"

#include "OrderFixtures.h"
#include "TestRows.h"

#include "foundation/CommonUtils.h"
#include "order/SetupFoodOrder.h"

using Lines::Line;

namespace {
TasteInfo taste(const QString &no, const QString &style, float amount)
{
    return ::taste(no, u"味"_s, style, amount);
}

Line line(const QString &type, float price, float qty, bool gift = false, QList<TasteInfo> tastes = {})
{
    Line l = Lines::line(type, price, qty);
    l->setIsZengSong(gift);
    l->arrTaste = tastes;
    return l;
}

Line component(float changeAmt, float qty)
{
    Line l = line(u"M"_s, 0, qty);
    l->changeAmt = changeAmt;
    return l;
}

Line setMeal(bool gift, QList<TasteInfo> tastes = {})
{
    Line parent = line(u"T"_s, 88, 1, gift, tastes);
    parent->arrSubOrders = {component(5, 2), component(0, 1), nullptr};
    return parent;
}

// Dish 101 菜品, quantity 1, price 12, flags "N".
Line exampleLine()
{
    return Lines::dish(u"101"_s, u"菜品"_s, 12);
}

QString exampleData(const QString &tastes, const QString &name = u"菜品"_s, const QString &size = {})
{
    return u"<Data ItemSeq=\"1\" foodNo=\"101\" foodName=\"%1\" FoodType=\"D\" ItemSize=\"%2\" "_s
           u"SaleQty=\"1.000000\" SalePrice=\"12.000000\" SuitNo=\"\" OrgFoodNo=\"101\" SuitIndex=\"0\" "_s
           u"%3 PrintState=\"0\" TempFoodFlag=\"N\" CurrpriceFlag=\"N\" SellWay=\"A\" AuthID=\"\" />"_s.arg(
               name, size, tastes);
}
} // namespace

class TestOrderFoodOrder : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OrderTestHome> home;

private slots:
    void init()
    {
        home = std::make_unique<OrderTestHome>();
        SoldOutList::shared().clear();
    }
    void cleanup() { SoldOutList::shared().clear(); }

    void amounts_data()
    {
        columns<Line, float, float>("order", "total", "single");
        const auto P10 = taste(u"1"_s, u"P"_s, 10), A3 = taste(u"2"_s, u"A"_s, 3);
        QTest::newRow("gift keeps A surcharge") << line(u"D"_s, 20, 2, true, {A3}) << 3.f << 3.f;
        QTest::newRow("gift, P of nothing") << line(u"D"_s, 20, 2, true, {P10}) << 0.f << 0.f;
        QTest::newRow("A and P") << line(u"D"_s, 20, 2, false, {A3, P10}) << 47.f << 47.f;
        QTest::newRow("set meal taste takes base with components")
            << setMeal(false, {P10}) << 98.f + 9.8f << 88.f + 8.8f;
        QTest::newRow("gift set meal") << setMeal(true) << 0.f << 0.f;
        QTest::newRow("component") << component(5, 2) << 10.f << 10.f;
        QTest::newRow("unknown type with tastes") << line(u"X"_s, 20, 2, false, {A3}) << 0.f << 0.f;
    }

    void amounts()
    {
        auto [order, total, single] = row<Line, float, float>("order", "total", "single");
        QCOMPARE(order->getTotalPrice(), total);
        QCOMPARE(order->getSinglePrice(), single);
    }

    void dataElement_data()
    {
        columns<Line, QString>("order", "element");
        const QString noTastes = u"TasteDef=\"\" TasteManual=\"\""_s;

        Line normalWithAuth = exampleLine();
        normalWithAuth->authID = u"9"_s;
        normalWithAuth->sellWay = u"C"_s;
        QTest::newRow("normal line drops authID") << normalWithAuth << exampleData(noTastes);

        Line special = exampleLine();
        special->foodName = u"鱼&\"虾\"<'蟹'>"_s;
        special->itemsize = u"大\n份"_s;
        QTest::newRow("special characters escaped")
            << special
            << exampleData(noTastes, u"鱼&amp;&quot;虾&quot;&lt;&apos;蟹&apos;&gt;"_s, u"大\n份"_s);
    }

    void dataElement()
    {
        auto [order, element] = row<Line, QString>("order", "element");
        QCOMPARE(order->toDataString(), element);
        QCOMPARE(order->sellWay, order->isZengSong() ? u"C"_s : u"A"_s);
        if (!order->isZengSong())
            QVERIFY(order->authID.isEmpty());
    }

    // Unknown and empty print states stay as they are and show as they are (the known ones: the order list).
    void otherPrintStatesStay()
    {
        QCOMPARE((QStringList{FoodOrder::nextPrintState(u"7"_s), FoodOrder::printStateText(u"7"_s),
                              FoodOrder::nextPrintState({}), FoodOrder::printStateText({})}),
                 (QStringList{u"7"_s, u"7"_s, QString(), QString()}));
    }

    void subOrderLink()
    {
        const auto linked = [](qint64 suiteIndex, quint64 itemSeq) {
            FoodOrder parent, sub;
            parent.foodno = sub.suitno = u"900"_s;
            parent.itemSeq = itemSeq;
            sub.suiteIndex = suiteIndex;
            return FoodOrder::isSubOrder(sub, parent);
        };
        QCOMPARE((QList<bool>{linked(4, 4), linked(3, 4), linked(-1, std::numeric_limits<quint64>::max())}),
                 (QList<bool>{true, false, false}));
    }

    void setupFromDish_data()
    {
        QTest::addColumn<QStringList>("c"); // type, currpriceFlag, the line's quantity and price
        QTest::newRow("dish") << QStringList{u"D"_s, u"N"_s, u"1"_s, u"25"_s};
        QTest::newRow("market price") << QStringList{u"D"_s, u"Y"_s, u"1"_s, u"0"_s};
        QTest::newRow("component") << QStringList{u"M"_s, QString(), u"2"_s, u"25"_s};
    }

    void setupFromDish()
    {
        QFETCH(QStringList, c);
        const QString &type = c[0], &currpriceFlag = c[1], &qty = c[2], &price = c[3];
        ConfigManager::defaultManager().setDefaultPrintState(u"1"_s);
        Food food;
        *food.info = {u"s"_s,  u"301"_s, u"c3"_s,        u"牛肉"_s, u"Beef"_s, type, currpriceFlag,
                      u"Y"_s,  u"N"_s,   u"nr"_s,        25,        24,        23,   22,
                      u"份"_s, u"大"_s,  u"a\tb\r\nc"_s, 9,         u"中"_s};
        food.bcatName = u"热菜"_s;
        food.scatName = u"炒菜"_s;
        food.suitno = u"900"_s;
        food.suitFoodQty = 2;
        food.forceChange = u"Y"_s;
        food.suiteIndex = 3;
        food.OrgFoodNo = u"300"_s;
        food.changeAmt = 4.5f;

        Line order = FoodOrder::genFoodOrderWithType(u"Z"_s); // the caller's type stands
        setupFoodOrder(food, *order);
        // What the line holds beyond the dish: every field is in the held-order element.
        order->suitIndex = -4;
        order->arrTaste = {::taste(u"12"_s, u"少盐"_s, u"A"_s, 2)};
        order->setIsZengSong(true);
        order->authID = u"1001"_s;
        QCOMPARE(
            order->toGuadanString(),
            u"<Guadan foodno=\"301\" catno=\"c3\" foodName=\"牛肉\" foodSubName=\"Beef\" FoodType=\"Z\" "_s
            u"currpriceFlag=\""_s +
                currpriceFlag + u"\" TjFlag=\"Y\" TempFoodFlag=\"N\" spellName=\"nr\" salePrice1=\""_s +
                price +
                u".000000\" salePrice2=\"24.000000\" salePrice3=\"23.000000\" MemberPrice=\"22.000000\" "_s
                u"unitname=\"份\" itemsize=\"大\" Remark=\"a&#9;b&#13;&#10;c\" PrintState=\"1\" bcatName=\"热菜\" "_s
                u"scatName=\"炒菜\" suitno=\"900\" forceChange=\"Y\" suiteIndex=\"3\" suitFoodQty=\"2.000000\" "_s
                u"suitIndex=\"-4\" OrgFoodNo=\"300\" changeAmt=\"4.500000\" orderQty=\""_s +
                qty +
                u".000000\" itemSeq=\"0\" guadanTasteString=\"12|少盐|3|1|A|2.000000\" SellWay=\"C\" "_s
                u"AuthID=\"1001\" />"_s);
    }

    void setupFromFoodWithoutDish()
    {
        Food food;
        food.info.reset();
        FoodOrder order;
        setupFoodOrder(food, order);
        QCOMPARE(order.orderQty, 1.f);
        QVERIFY(order.foodno.isEmpty());
    }

    void xmlEscape_data()
    {
        columns<QString, QString, QString>("text", "asIs", "withReferences");
        QTest::newRow("already escaped text is escaped again")
            << u"&amp;"_s << u"&amp;amp;"_s << u"&amp;amp;"_s;
        QTest::newRow("controls XML cannot carry") << u"a\x01"
                                                      u"b\x1F"
                                                      u"c\xFFFF"_s
                                                   << u"abc"_s << u"abc"_s;
    }

    void xmlEscape()
    {
        auto [text, asIs, withReferences] = row<QString, QString, QString>("text", "asIs", "withReferences");
        QCOMPARE(CommonUtils::xmlEscape(text), asIs);
        QCOMPARE(CommonUtils::xmlEscape(text, CommonUtils::XmlWhitespace::AsReferences), withReferences);
    }
};

QTEST_GUILESS_MAIN(TestOrderFoodOrder)
#include "tst_order_foodorder.moc"

// Dish records (prices, sold-out names, sizes), taste records, and the menu's pages.
#include "CatalogueFixtures.h"
#include "TestRows.h"

#include "catalogue/FoodSizes.h"
#include "catalogue/MenuPages.h"
#include "catalogue/SoldOutList.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {
// A dish of the given fields; the others stay empty.
Food dish(const QString &foodno, float salePrice1, const QString &unit, const QString &currpriceFlag)
{
    Food food;
    food.info->foodno = foodno;
    food.info->salePrice1 = salePrice1;
    food.info->unitname = unit;
    food.info->currpriceFlag = currpriceFlag;
    return food;
}

Food component(float qty, float changeAmt)
{
    Food food;
    food.suitFoodQty = qty;
    food.changeAmt = changeAmt;
    return food;
}

FoodItemsize sizeRow(const QString &itemsize, float price)
{
    return FoodItemsize{u"101"_s, itemsize, price, 0, 0, 0};
}

// Dish 101 of its own size "own", with a size "big" chosen earlier that must not replace its own.
FoodInfo dishPriced(float price)
{
    FoodInfo dish;
    dish.foodno = u"101"_s;
    dish.salePrice1 = price;
    dish.orgItemSize = u"own"_s;
    dish.itemsize = u"big"_s;
    dish.salePrice2 = 24;
    dish.salePrice3 = 23;
    dish.MemberPrice = 22;
    return dish;
}

// Big categories B1 "热菜" and B2 "凉菜" (B3 "酒水" has no dishes). Small categories: S1 "小炒" and
// S2 "推荐" (a real category of that name) in B1, S3 "小炒" (the same name again) in B2; S1 has its
// own 1 x 2 grid when `ownGrid`.
struct Catalogue {
    QList<FoodBigCatInfo> big{{u"B1"_s, u"热菜"_s, {}}, {u"B2"_s, u"凉菜"_s, {}}, {u"B3"_s, u"酒水"_s, {}}};
    QHash<QString, QList<FoodSmallCatInfo>> small;
    QList<Food> foods;

    explicit Catalogue(bool ownGrid = false)
    {
        small[u"B1"_s] = {category(u"S1"_s, u"小炒"_s, u"B1"_s, ownGrid ? 1 : 0, ownGrid ? 2 : 0),
                          category(u"S2"_s, u"推荐"_s, u"B1"_s)};
        small[u"B2"_s] = {category(u"S3"_s, u"小炒"_s, u"B2"_s)};
        small[u"B3"_s] = {category(u"S4"_s, u"啤酒"_s, u"B3"_s)};
    }
    static FoodSmallCatInfo category(const QString &no, const QString &name, const QString &big, int rows = 0,
                                     int cols = 0)
    {
        FoodSmallCatInfo c;
        c.scatno = no;
        c.scatName = name;
        c.bcatNo = big;
        c.layoutRow = rows;
        c.layoutCol = cols;
        return c;
    }
    // Dishes `first`.. of category `catno`; those listed in `recommended` carry the flag.
    void add(const QString &catno, int first, int count, const QList<int> &recommended = {})
    {
        for (int no = first; no < first + count; ++no) {
            Food food;
            food.info->foodno = QString::number(no);
            food.info->catno = catno;
            food.info->TjFlag = recommended.contains(no) ? u"Y"_s : u"N"_s;
            foods.append(food);
        }
    }
};

// A dish's name as shown: plain, styled, its highlighted part, as HTML.
QStringList shown(const FoodInfo &food)
{
    const StyledText styled = food.displayStyleFoodName();
    return {food.displayFoodName(), styled.text, styled.highlightedPart(), styled.toHtml()};
}

// One text per page: "big/small:dish,dish", the strips' categories by name.
QStringList describe(const MenuPages &pages)
{
    return mapped(pages.arrAllPages, [&pages](const MenuPages::Page &page) {
        const FoodSmallCatInfo &small = pages.arrAllSCate.at(page.smallCategory);
        return pages.arrCategory.at(page.bigCategory).bcatName + u'/' + small.scatno + u'=' + small.scatName +
               u':' + foodnos(page.foods).join(u',');
    });
}
} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        LanguageManager::defaultManager().reset();
        SoldOutList::shared().clear();
    }

    void cleanup()
    {
        LanguageManager::defaultManager().reset();
        SoldOutList::shared().clear();
    }

    // Market price without and with a unit, a price without and with one; the flag compares exactly.
    void priceLabel()
    {
        const QList<Food> dishes{dish("1", 30, "", "Y"), dish("1", 30, u"斤"_s, "Y"),
                                 dish("1", 12.5f, "", ""), dish("1", 12.5f, u"份"_s, "N"),
                                 dish("1", 8, "", "y")};
        QCOMPARE(mapped(dishes, [](const Food &f) { return f.getPrice(); }),
                 (QStringList{u"时价"_s, u"时价 / 斤"_s, u"￥ 12.50"_s, u"￥ 12.50 / 份"_s, u"￥ 8.00"_s}));
    }

    // Each component's exchange charge per unit, times its quantity, on the set price.
    void setMealPrice()
    {
        Food meal = dish("9", 88, u"套"_s, "N");
        meal.arrSuiteFoods = {component(2, 5), component(1, -3), component(0.5f, 1)};
        QCOMPARE(meal.getSuitePrice(), u"￥ 95.50"_s);
    }

    // The whole sold-out mark is coloured after the escaped name, in English too.
    void soldOutNameFollowsTheList()
    {
        FoodInfo gongbao, other;
        gongbao.foodno = u"101"_s;
        other.foodno = u"102"_s;
        gongbao.foodName = other.foodName = u"宫保鸡丁"_s;
        SoldOutList::shared().publish({u"101"_s});
        QCOMPARE(shown(gongbao) + shown(other),
                 (QStringList{u"宫保鸡丁(已售罄)"_s, u"宫保鸡丁(已售罄)"_s, u"(已售罄)"_s,
                              uR"html(宫保鸡丁<font color="red">(已售罄)</font>)html"_s, u"宫保鸡丁"_s,
                              u"宫保鸡丁"_s, QString(), u"宫保鸡丁"_s}));
        SoldOutList::shared().publish({u"102"_s});
        QCOMPARE(shown(gongbao), (QStringList{u"宫保鸡丁"_s, u"宫保鸡丁"_s, QString(), u"宫保鸡丁"_s}));

        QTemporaryDir resources;
        loadEnglish(resources, R"json({"(已售罄)": "(Sold out)", "时价": "Market price"})json");
        QCOMPARE(dish("1", 0, u"jin"_s, "Y").getPrice(), u"Market price / jin"_s);
        gongbao.foodName = u"Fish & <Chips>"_s;
        SoldOutList::shared().publish({u"101"_s});
        QCOMPARE(shown(gongbao),
                 (QStringList{u"Fish & <Chips>(Sold out)"_s, u"Fish & <Chips>(Sold out)"_s, u"(Sold out)"_s,
                              uR"html(Fish &amp; &lt;Chips&gt;<font color="red">(Sold out)</font>)html"_s}));
    }

    void soldOutListIsNeverSeenHalfPublished()
    {
        std::atomic<bool> stop = false;
        std::atomic<int> misses = 0;
        SoldOutList &list = SoldOutList::shared();
        list.publish({u"1"_s});
        std::thread reader([&] {
            while (!stop)
                misses += list.contains(u"1"_s) ? 0 : 1;
        });
        for (int round = 0; round < 2000; ++round)
            list.publish(round % 2 ? QSet{u"1"_s} : QSet{u"1"_s, u"2"_s});
        stop = true;
        reader.join();
        QCOMPARE(misses.load(), 0);
        QCOMPARE(list.snapshot(), QSet{u"1"_s}); // the last round published {"1"}
    }

    void foodWithoutDishAnswersAsAnEmptyDish()
    {
        Food food;
        food.info.reset();
        QCOMPARE((QVariantList{food.isDFoodType(), food.isShiJia(), food.salePrice1(), food.getPrice()}),
                 (QVariantList{false, false, 0.0f, u"￥ 0.00"_s}));
    }

    void chooserOrder_data()
    {
        columns<QList<FoodItemsize>, float, QStringList>("rows", "ownPrice", "offered");
        QTest::newRow("no rows, no list") << QList<FoodItemsize>{} << 25.0f << QStringList{};
        QTest::newRow("ties among a sort")
            << QList{sizeRow(u"a"_s, 30), sizeRow(u"b"_s, 20), sizeRow(u"c"_s, 20)} << 25.0f
            << QStringList{u"b"_s, u"c"_s, u"own"_s, u"a"_s};
    }

    void chooserOrder()
    {
        auto [rows, ownPrice, offered] =
            row<QList<FoodItemsize>, float, QStringList>("rows", "ownPrice", "offered");
        const auto sizes = FoodSizes::forChooser(FoodSizes::withDefault(dishPriced(ownPrice), rows));
        QCOMPARE(mapped(sizes, [](const FoodItemsize &s) { return s.itemsize; }), offered);
        if (!offered.isEmpty()) // the default entry is the dish as loaded
            QCOMPARE(sizes.at(offered.indexOf(u"own"_s)),
                     (FoodItemsize{u"101"_s, u"own"_s, ownPrice, 24, 23, 22}));
    }

    // The record form, both ways; odd records are read as far as they go.
    void records_data()
    {
        // written: the taste writes this record back
        columns<QString, TasteInfo, bool>("record", "taste", "written");
        QTest::newRow("catalogue taste")
            << u"12|少盐|3|1|A|2.000000"_s << taste(u"12"_s, u"少盐"_s, u"A"_s, 2) << true;
        QTest::newRow("manual taste") << u"-999|打包|||A|1.000000"_s << manual(u"打包"_s, 1) << true;
        QTest::newRow("empty") << QString() << TasteInfo{} << false;
        QTest::newRow("no amount") << u"12|少盐|3|1|A"_s
                                   << TasteInfo{u"12"_s, u"少盐"_s, u"3"_s, u"1"_s, u"A"_s, 0} << false;
        QTest::newRow("bar in the name") << u"12|少|盐|3|1|A|2.000000"_s
                                         << TasteInfo{u"12"_s, u"少|盐"_s, u"3"_s, u"1"_s, u"A"_s, 2} << true;
        const TasteInfo unreadAmount{u"1"_s, u"a"_s, {}, {}, u"A"_s, 0};
        QTest::newRow("unreadable amount") << u"1|a|||A|abc"_s << unreadAmount << false;
        QTest::newRow("infinite") << u"1|a|||A|inf"_s << unreadAmount << false;
        QTest::newRow("blanks around")
            << u"1|a|||A| 2.5 "_s << TasteInfo{u"1"_s, u"a"_s, {}, {}, u"A"_s, 2.5f} << false;
    }

    void records()
    {
        auto [record, taste, written] = row<QString, TasteInfo, bool>("record", "taste", "written");
        QCOMPARE(TasteInfo::fromString(record), taste);
        if (written)
            QCOMPARE(taste.fullInfoString(), record);
    }

    // A line's tastes as sent (bound numbers, typed ones), held and shown; the held form reads back.
    void listForms_data()
    {
        // forms: sent bound, sent typed, held, shown
        columns<QList<TasteInfo>, QStringList>("tastes", "forms");
        QTest::newRow("mixed")
            << QList{taste(u"12"_s, u"少盐"_s, u"A"_s, 0), manual(u"打包"_s, 1),
                     taste(u"15"_s, u"加辣"_s, u"P"_s, 10)}
            << QStringList{u"12,15"_s, u"打包\t1.000000"_s,
                           u"12|少盐|3|1|A|0.000000^-999|打包|||A|1.000000^15|加辣|3|1|P|10.000000"_s,
                           u"少盐,打包(￥1.00),加辣(10.00%)"_s};
        QTest::newRow("bars in a name")
            << QList{taste(u"1"_s, u"a|b|c"_s, u"A"_s, 1), taste(u"2"_s, u"d"_s, u"P"_s, 5)}
            << QStringList{u"1,2"_s, QString(), u"1|a|b|c|3|1|A|1.000000^2|d|3|1|P|5.000000"_s,
                           u"a|b|c(￥1.00),d(5.00%)"_s};
        // A percentage of 0 or less and a fixed 0 show no amount; any other style shows money.
        QTest::newRow("unusual amounts")
            << QList{taste(u"1"_s, u"加辣"_s, u"P"_s, 0), taste(u"2"_s, u"b"_s, u"P"_s, -5),
                     taste(u"3"_s, u"c"_s, u"A"_s, -2), taste(u"4"_s, u"d"_s, u"X"_s, 3)}
            << QStringList{
                   u"1,2,3,4"_s, QString(),
                   u"1|加辣|3|1|P|0.000000^2|b|3|1|P|-5.000000^3|c|3|1|A|-2.000000^4|d|3|1|X|3.000000"_s,
                   u"加辣,b,c(￥-2.00),d(￥3.00)"_s};
        QTest::newRow("none") << QList<TasteInfo>{}
                              << QStringList{QString(), QString(), QString(), QString()};
    }

    void listForms()
    {
        auto [tastes, forms] = row<QList<TasteInfo>, QStringList>("tastes", "forms");
        QCOMPARE((QStringList{TasteInfo::sendTasteDefString(tastes), TasteInfo::sendTasteManualString(tastes),
                              TasteInfo::guaDanTasteString(tastes), TasteInfo::displayTasteString(tastes)}),
                 forms);
        const auto read = TasteInfo::parseGuadanTasteString(forms.at(2));
        QCOMPARE(read, tastes.isEmpty() ? std::nullopt : std::optional(tastes));
    }

    void emptyHeldPiecesAreSkipped()
    {
        const auto tastes = TasteInfo::parseGuadanTasteString(u"1|a|||A|0^^2|b|||A|0^"_s);
        QVERIFY(tastes.has_value());
        QCOMPARE(mapped(*tastes, [](const TasteInfo &t) { return t.TasteNo; }),
                 (QStringList{u"1"_s, u"2"_s}));
        QCOMPARE(TasteInfo::parseGuadanTasteString(u"^"_s), std::optional(QList<TasteInfo>{}));
    }

    // Commas, bars, carets and tabs would break the record forms; blanks and full-width commas do not.
    void invalidTypedText()
    {
        const QStringList texts{u"a,b"_s, u"a|b"_s,        u"a^b"_s, u"a\tb"_s,
                                u"a b"_s, u"少盐，多醋"_s, QString()};
        QCOMPARE(mapped(texts,
                        [](const QString &t) {
                            return TasteInfo::hasInputContainInvalidChar(t) ? u"x"_s : u"."_s;
                        })
                     .join(QString()),
                 u"xxxx..."_s);
    }

    void surcharge_data()
    {
        columns<QList<TasteInfo>, float, float>("tastes", "base", "added");
        const TasteInfo p10 = taste(u"1"_s, u"p"_s, u"P"_s, 10);
        const TasteInfo a2 = taste(u"2"_s, u"a"_s, u"A"_s, 2);
        QTest::newRow("two P of 10 on 50, not compounded") << QList{p10, p10} << 50.0f << 10.0f;
        QTest::newRow("A once, P of the base") << QList{a2, p10} << 50.0f << 7.0f;
        QTest::newRow("other styles add nothing")
            << QList{taste(u"4"_s, u"x"_s, u"X"_s, 5), taste(u"5"_s, u"e"_s, {}, 5)} << 50.0f << 0.0f;
    }

    void surcharge()
    {
        auto [tastes, base, added] = row<QList<TasteInfo>, float, float>("tastes", "base", "added");
        QCOMPARE(TasteInfo::surcharge(tastes, base), added);
    }

    void pages_data()
    {
        columns<int, bool, bool, QStringList>("layout", "tuijian", "ownGrid", "expected");

        // S1 holds 7 dishes (two recommended), S3 holds 1.
        QTest::newRow("2 x 4 for setting 1")
            << 1 << false << false << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6,7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("2 x 3, also for an unknown setting")
            << 7 << false << false
            << QStringList{u"热菜/S1=小炒:1,2,3,4,5,6"_s, u"热菜/S1=小炒:7"_s, u"凉菜/S3=小炒:20"_s};
        QTest::newRow("a category's own grid wins")
            << 2 << false << true
            << QStringList{u"热菜/S1=小炒:1,2"_s, u"热菜/S1=小炒:3,4"_s, u"热菜/S1=小炒:5,6"_s,
                           u"热菜/S1=小炒:7"_s, u"凉菜/S3=小炒:20"_s};
        // The recommended category copies S1's grid: its second page shows S1 in the strip, and
        // the real category named "推荐" is never taken for it.
        QTest::newRow("recommended first, its later pages show their own category")
            << 0 << true << true
            << QStringList{u"热菜/S1=推荐:1,2"_s, u"热菜/S1=小炒:3"_s,   u"热菜/S1=小炒:1,2"_s,
                           u"热菜/S1=小炒:3,4"_s, u"热菜/S1=小炒:5,6"_s, u"热菜/S1=小炒:7"_s,
                           u"凉菜/S3=小炒:20"_s};
    }

    void pages()
    {
        auto [layout, tuijian, ownGrid, expected] =
            row<int, bool, bool, QStringList>("layout", "tuijian", "ownGrid", "expected");
        Catalogue c(ownGrid);
        c.add(u"S1"_s, 1, 7, {1, 2, 3});
        c.add(u"S3"_s, 20, 1);
        const MenuPages pages = computeCollectionData(c.big, c.small, c.foods, u"推荐"_s, tuijian, layout);
        QCOMPARE(describe(pages), expected);
        // Recommended dishes are in the detail sequence once; empty categories have no pages.
        QCOMPARE(foodnos(pages.arrDetailFoodInfos).join(u','), u"1,2,3,4,5,6,7,20"_s);
        QCOMPARE(pages.arrCategory.size(), 3);
        QVERIFY(pages.arrCategory.at(2).arrSubCate.isEmpty());
        QVERIFY(std::none_of(pages.arrAllSCate.cbegin(), pages.arrAllSCate.cend(),
                             [](const FoodSmallCatInfo &s) { return s.scatno == u"S2"_s; }));
    }

    // Categories are found by identity: the second "小炒" is B2's, a page of the recommended one
    // is not the real "推荐", and a big category without dishes has no page.
    void pageOf()
    {
        Catalogue c(true);
        c.add(u"S1"_s, 1, 3, {1});
        c.add(u"S2"_s, 10, 1);
        c.add(u"S3"_s, 20, 1);
        const MenuPages pages = computeCollectionData(c.big, c.small, c.foods, u"推荐"_s, true, 0);
        QCOMPARE(describe(pages),
                 (QStringList{u"热菜/S1=推荐:1"_s, u"热菜/S1=小炒:1,2"_s, u"热菜/S1=小炒:3"_s,
                              u"热菜/S2=推荐:10"_s, u"凉菜/S3=小炒:20"_s}));
        const QList<int> b1 = pages.subCateIndexes.at(0);
        QCOMPARE(b1.size(), 3); // recommended, 小炒, the real 推荐
        QCOMPARE((QList<int>{pages.pageOf(0, b1.at(0)), pages.pageOf(0, b1.at(1)), pages.pageOf(0, b1.at(2)),
                             pages.pageOf(1, pages.subCateIndexes.at(1).at(0)), pages.pageOf(2, -1)}),
                 (QList<int>{0, 1, 3, 4, -1}));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"

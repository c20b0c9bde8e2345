// Dish records: price labels, sold-out names, the size chooser and the search.
#include "CatalogueFixtures.h"

#include "catalogue/DishSearch.h"
#include "catalogue/FoodSizes.h"
#include "catalogue/SoldOutList.h"
#include "foundation/AppPaths.h"
#include "settings/LanguageManager.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>

namespace {
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

FoodInfo dishPriced(float price)
{
    FoodInfo dish;
    dish.foodno = u"101"_s;
    dish.salePrice1 = price;
    dish.orgItemSize = u"own"_s;
    return dish;
}

Food named(const QString &foodno, const QString &name, const QString &spell, const QString &catno)
{
    Food made;
    made.info->foodno = foodno;
    made.info->foodName = name;
    made.info->spellName = spell;
    made.info->catno = catno;
    return made;
}

const QList<Food> &menu()
{
    static const QList<Food> dishes{
        named(u"0201"_s, u"宫保鸡丁"_s, u"GBJD"_s, u"02"_s), named(u"0312"_s, u"水煮鱼"_s, u"SZY"_s, u"03"_s),
        named(u"1020"_s, u"辣子鸡"_s, u"LZJ"_s, u"02"_s),    named(u"0402"_s, u"米饭"_s, u"MF"_s, u"04"_s),
        named(u"0501"_s, u"12年陈酿"_s, u"CN"_s, u"99"_s),
    };
    return dishes;
}
} // namespace

class TestCatalogueFood : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> languageDir;

    // A language file of our own, so the English texts do not depend on the shipped table.
    void loadEnglish()
    {
        languageDir = std::make_unique<QTemporaryDir>();
        QFile file(languageDir->filePath(LanguageManager::kEnglish));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"json({"(已售罄)": "(Sold out)", "时价": "Market price"})json");
        file.close();
        AppPaths::setResourcesDir(languageDir->path());
        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, false);
    }

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

    void priceLabel_data()
    {
        QTest::addColumn<Food>("food");
        QTest::addColumn<QString>("label");
        QTest::newRow("market price, no unit") << dish("1", 30, "", "Y") << u"时价"_s;
        QTest::newRow("market price with unit") << dish("1", 30, u"斤"_s, "Y") << u"时价 / 斤"_s;
        QTest::newRow("12.5 with unit") << dish("1", 12.5f, u"份"_s, "N") << u"￥ 12.50 / 份"_s;
        QTest::newRow("12.5 without unit") << dish("1", 12.5f, "", "") << u"￥ 12.50"_s;
        QTest::newRow("flag compares exactly") << dish("1", 8, "", "y") << u"￥ 8.00"_s;
    }

    void priceLabel()
    {
        QFETCH(Food, food);
        QFETCH(QString, label);
        QCOMPARE(food.getPrice(), label);
    }

    void setMealPrice_data()
    {
        QTest::addColumn<QList<Food>>("components");
        QTest::addColumn<QString>("label");
        QTest::newRow("charge 5 on quantity 2") << QList{component(2, 5), component(1, 0)} << u"￥ 98.00"_s;
        QTest::newRow("zero charges") << QList{component(2, 0), component(3, 0)} << u"￥ 88.00"_s;
        QTest::newRow("negative charge") << QList{component(1, -3)} << u"￥ 85.00"_s;
        QTest::newRow("mixed") << QList{component(2, 5), component(1, -3), component(0.5f, 1)}
                               << u"￥ 95.50"_s;
        QTest::newRow("no components") << QList<Food>{} << u"￥ 88.00"_s;
    }

    void setMealPrice()
    {
        QFETCH(QList<Food>, components);
        QFETCH(QString, label);
        Food meal = dish("9", 88, u"套"_s, "N");
        meal.arrSuiteFoods = components;
        QCOMPARE(meal.getSuitePrice(), label);
    }

    void soldOutNameFollowsTheList()
    {
        FoodInfo gongbao;
        gongbao.foodno = u"101"_s;
        gongbao.foodName = u"宫保鸡丁"_s;
        FoodInfo other = gongbao;
        other.foodno = u"102"_s;

        SoldOutList::shared().publish({u"101"_s});
        QCOMPARE(gongbao.displayFoodName(), u"宫保鸡丁(已售罄)"_s);
        QCOMPARE(gongbao.displayStyleFoodName(), (StyledText{u"宫保鸡丁(已售罄)"_s, 5}));
        QCOMPARE(gongbao.displayStyleFoodName().toHtml(),
                 uR"html(宫保鸡丁<font color="red">(已售罄)</font>)html"_s);
        QCOMPARE(other.displayFoodName(), u"宫保鸡丁"_s);

        SoldOutList::shared().publish({u"102"_s});
        QCOMPARE(gongbao.displayFoodName(), u"宫保鸡丁"_s);
        QCOMPARE(gongbao.displayStyleFoodName(), (StyledText{u"宫保鸡丁"_s, 0}));
        QCOMPARE(gongbao.displayStyleFoodName().toHtml(), u"宫保鸡丁"_s);
    }

    // In English too: the market price, and the whole sold-out mark coloured after an escaped name.
    void englishTexts()
    {
        loadEnglish();
        QCOMPARE(dish("1", 0, u"jin"_s, "Y").getPrice(), u"Market price / jin"_s);
        FoodInfo food;
        food.foodno = u"7"_s;
        food.foodName = u"Fish & <Chips>"_s;
        SoldOutList::shared().publish({u"7"_s});
        const StyledText styled = food.displayStyleFoodName();
        QCOMPARE(styled.text, u"Fish & <Chips>(Sold out)"_s);
        QCOMPARE(styled.highlightedPart(), u"(Sold out)"_s);
        QCOMPARE(styled.toHtml(),
                 uR"html(Fish &amp; &lt;Chips&gt;<font color="red">(Sold out)</font>)html"_s);
    }

    void styledTextClampsItsHighlight()
    {
        const StyledText styled{u"ab"_s, 9};
        QCOMPARE(styled.plainPart(), QString());
        QCOMPARE(styled.toHtml(), uR"html(<font color="red">ab</font>)html"_s);
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
        QVERIFY(!food.isDFoodType());
        QVERIFY(!food.isShiJia());
        QCOMPARE(food.salePrice1(), 0.0f);
        QCOMPARE(food.getPrice(), u"￥ 0.00"_s);
    }

    void chooserOrder_data()
    {
        QTest::addColumn<QList<FoodItemsize>>("rows");
        QTest::addColumn<float>("ownPrice");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("30 and 20 with own 25") << QList{sizeRow(u"big"_s, 30), sizeRow(u"small"_s, 20)}
                                               << 25.0f << QStringList{u"small"_s, u"own"_s, u"big"_s};
        QTest::newRow("one row keeps the row first")
            << QList{sizeRow(u"big"_s, 30)} << 25.0f << QStringList{u"big"_s, u"own"_s};
        QTest::newRow("no rows, no list") << QList<FoodItemsize>{} << 25.0f << QStringList{};
        QTest::newRow("equal prices keep their order") << QList{sizeRow(u"a"_s, 20), sizeRow(u"b"_s, 20)}
                                                       << 20.0f << QStringList{u"a"_s, u"b"_s, u"own"_s};
        QTest::newRow("ties among a sort")
            << QList{sizeRow(u"a"_s, 30), sizeRow(u"b"_s, 20), sizeRow(u"c"_s, 20)} << 25.0f
            << QStringList{u"b"_s, u"c"_s, u"own"_s, u"a"_s};
    }

    void chooserOrder()
    {
        QFETCH(QList<FoodItemsize>, rows);
        QFETCH(float, ownPrice);
        QFETCH(QStringList, offered);
        const auto sizes = FoodSizes::forChooser(FoodSizes::withDefault(dishPriced(ownPrice), rows));
        QCOMPARE(mapped(sizes, [](const FoodItemsize &s) { return s.itemsize; }), offered);
    }

    void defaultEntryIsTheDishAsLoaded()
    {
        FoodInfo dish = dishPriced(25);
        dish.itemsize = u"big"_s; // a size chosen earlier must not replace the dish's own
        dish.salePrice2 = 24;
        dish.salePrice3 = 23;
        dish.MemberPrice = 22;
        const QList<FoodItemsize> sizes = FoodSizes::withDefault(dish, {sizeRow(u"big"_s, 30)});
        QCOMPARE(sizes.size(), 2);
        QCOMPARE(sizes.last(), (FoodItemsize{u"101"_s, u"own"_s, 25, 24, 23, 22}));
    }
    void filter_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("empty lists all") << QString() << foodnos(menu());
        QTest::newRow("lower case against upper mnemonic") << u"zj"_s << QStringList{u"1020"_s};
        QTest::newRow("inside the mnemonic") << u"bj"_s << QStringList{u"0201"_s};
        QTest::newRow("digits anywhere, order kept")
            << u"02"_s << QStringList{u"0201"_s, u"1020"_s, u"0402"_s};
        QTest::newRow("digits in a name") << u"12"_s << QStringList{u"0312"_s, u"0501"_s};
        QTest::newRow("name") << u"鸡"_s << QStringList{u"0201"_s, u"1020"_s};
        QTest::newRow("no match") << u"QQ"_s << QStringList();
    }
    void filter()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, found);
        QCOMPARE(foodnos(DishSearch::filterWithKey(menu(), key)), found);
    }

    // Categories in their own order, dishes in theirs; empty and unknown categories left out.
    void grouping()
    {
        const auto category = [](const QString &scatno, const QString &name) {
            FoodSmallCatInfo made;
            made.scatno = scatno;
            made.scatName = name;
            return made;
        };
        const QList<FoodSmallCatInfo> categories{category(u"04"_s, u"主食"_s), category(u"02"_s, u"热菜"_s),
                                                 category(u"05"_s, u"酒水"_s)};
        const auto sections = DishSearch::groupBySmallCategory(categories, menu());
        QCOMPARE(
            mapped(sections,
                   [](const auto &s) { return s.category.scatName + u':' + foodnos(s.dishes).join(u','); }),
            (QStringList{u"主食:0402"_s, u"热菜:0201,1020"_s}));
        QVERIFY(DishSearch::groupBySmallCategory(categories, {}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCatalogueFood)
#include "tst_catalogue_food.moc"

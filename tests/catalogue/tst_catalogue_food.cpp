#include "catalogue/CatalogueRecords.h"
#include "catalogue/SoldOutList.h"
#include "foundation/AppPaths.h"
#include "settings/LanguageManager.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace Qt::StringLiterals;

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
        const StyledText styled = gongbao.displayStyleFoodName();
        QCOMPARE(styled.text, u"宫保鸡丁(已售罄)"_s);
        QCOMPARE(styled.highlightLength, 5);
        QCOMPARE(styled.toHtml(), uR"html(宫保鸡丁<font color="red">(已售罄)</font>)html"_s);
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
};

QTEST_GUILESS_MAIN(TestCatalogueFood)
#include "tst_catalogue_food.moc"

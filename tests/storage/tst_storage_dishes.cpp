#include "BaseDataFixture.h"
#include "foundation/AppPaths.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"
#include "storage/FoodRows.h"

#include <QFile>
#include <QPoint>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList foodnos(const QList<Food> &foods)
{
    return mapped(foods, [](const Food &f) { return f.info->foodno; });
}
QStringList scatnos(const QList<FoodSmallCatInfo> &cats)
{
    return mapped(cats, [](const FoodSmallCatInfo &c) { return c.scatno; });
}
} // namespace

// Categories, dishes, sizes and set meals as the menu screens receive them.
class TestStorageDishes : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<BaseDataFixture> fixture;
    std::unique_ptr<DBManager> db;

    QList<Food> dishes(bool isTemp)
    {
        QList<Food> result;
        db->getAllFoodInfo([&](const QList<Food> &foods) { result = foods; }, isTemp);
        return result;
    }

private slots:
    void init()
    {
        LanguageManager::defaultManager().reset();
        dir = std::make_unique<QTemporaryDir>();
        fixture = std::make_unique<BaseDataFixture>(dir->filePath(u"PadBaseData.db"_s));
        db = std::make_unique<DBManager>();
        db->setupDBPath(fixture->path());
    }

    void cleanup()
    {
        db.reset();
        fixture.reset();
        LanguageManager::defaultManager().reset();
    }

    void categoryTreeGroupsSmallCategoriesInTableOrder()
    {
        fixture->exec(
            u"insert into FoodBigCatInfo values ('2', '热菜'), ('1', '凉菜'), ('3', '酒水');"
            "insert into FoodSmallCatInfo (scatno, cpViewRow, cpViewCol, scatName, bcatNo) values"
            " ('22', 3, 4, '小炒', '2'), ('11', NULL, NULL, '拌菜', '1'), ('21', 0, 0, '炖菜', '2'),"
            " ('99', 2, 2, '无主', '9');"_s);
        QList<FoodBigCatInfo> bigCats;
        DBManager::SmallCatMap smallCats;
        db->getFoodCatInfo([&](const QList<FoodBigCatInfo> &b, const DBManager::SmallCatMap &s) {
            bigCats = b;
            smallCats = s;
        });

        QCOMPARE(mapped(bigCats, [](const auto &c) { return c.bcatno + u':' + c.bcatName; }),
                 QStringList({u"2:热菜"_s, u"1:凉菜"_s, u"3:酒水"_s}));

        QCOMPARE(smallCats.size(), 3); // "99" belongs to no listed big category
        QCOMPARE(scatnos(smallCats.value(u"2"_s)), QStringList({u"22"_s, u"21"_s}));
        QCOMPARE(scatnos(smallCats.value(u"1"_s)), QStringList({u"11"_s}));
        QVERIFY(smallCats.contains(u"3"_s) && smallCats.value(u"3"_s).isEmpty());
        const FoodSmallCatInfo stirFry = smallCats.value(u"2"_s).at(0);
        QCOMPARE(stirFry.scatName + stirFry.bcatNo, u"小炒2"_s);
        QCOMPARE(QPoint(stirFry.layoutRow, stirFry.layoutCol), QPoint(3, 4));
        QCOMPARE(smallCats.value(u"1"_s).at(0).layoutRow, 0); // NULL reads as "not set"
    }

    void emptyBigCategoriesGiveTheAllPseudoCategory_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("name");
        QTest::newRow("Chinese") << LanguageManager::kChinese << u"全部"_s;
        QTest::newRow("English") << LanguageManager::kEnglish << u"Everything"_s;
    }

    void emptyBigCategoriesGiveTheAllPseudoCategory()
    {
        QFETCH(QString, language);
        QFETCH(QString, name);
        QTemporaryDir resources;
        QFile file(resources.filePath(LanguageManager::kEnglish));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"全部": "Everything"})");
        file.close();
        AppPaths::setResourcesDir(resources.path());
        LanguageManager::defaultManager().loadLanguage(language, false);

        fixture->exec(
            u"insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '拌菜', '1')"_s);
        QList<FoodBigCatInfo> bigCats;
        DBManager::SmallCatMap smallCats{{u"stale"_s, {}}};
        db->getFoodCatInfo([&](const QList<FoodBigCatInfo> &b, const DBManager::SmallCatMap &s) {
            bigCats = b;
            smallCats = s;
        });
        QCOMPARE(bigCats.size(), 1);
        QCOMPARE(bigCats.at(0).bcatno, u"-no"_s);
        QCOMPARE(bigCats.at(0).bcatName, name);
        QVERIFY(smallCats.isEmpty());
    }

    void sortedCategoryLists()
    {
        fixture->exec(u"insert into FoodBigCatInfo values ('2', '热菜'), ('1', '凉菜');"
                      "insert into FoodSmallCatInfo (scatno, cpViewRow, cpViewCol, scatName, bcatNo) values"
                      " ('22', 3, 4, '小炒', '2'), ('11', 2, 2, '拌菜', '1');"_s);
        QStringList bigNumbers;
        db->getAllFoodBigCat([&](const QList<FoodBigCatInfo> &categories) {
            bigNumbers = mapped(categories, [](const auto &c) { return c.bcatno + u':' + c.bcatName; });
        });
        QCOMPARE(bigNumbers, QStringList({u"1:凉菜"_s, u"2:热菜"_s}));

        QList<FoodSmallCatInfo> small;
        db->getAllFoodSmallCat([&](const QList<FoodSmallCatInfo> &categories) { small = categories; });
        QCOMPARE(scatnos(small), QStringList({u"11"_s, u"22"_s}));
        QCOMPARE(small.at(1).scatName + small.at(1).bcatNo, u"小炒2"_s);
        QCOMPARE(small.at(1).layoutRow, 0); // this list carries no layout
    }

    void dishListsSplitByTemporaryFlag_data()
    {
        QTest::addColumn<bool>("isTemp");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("temporary") << true << QStringList({u"T1"_s});
        // NULL compares neither equal nor unequal to 'Y'; the lower-case "y" is no flag.
        QTest::newRow("ordinary") << false << QStringList({u"N1"_s, u"E1"_s, u"y1"_s});
    }

    void dishListsSplitByTemporaryFlag()
    {
        QFETCH(bool, isTemp);
        QFETCH(QStringList, expected);
        fixture->exec(u"insert into FoodInfo (foodno, TempFoodFlag) values"
                      " ('N1', 'N'), ('T1', 'Y'), ('NULL1', NULL), ('E1', ''), ('y1', 'y')"_s);
        QCOMPARE(foodnos(dishes(isTemp)), expected);
    }

    void dishColumnsFillTheirFields()
    {
        fixture->exec(
            u"insert into FoodBigCatInfo values ('1', '热菜');"
            "insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '小炒', '1');"
            "insert into FoodInfo values ('1001', '11', '宫保鸡丁', 'Kung Pao Chicken', 'D', 'N', 'Y',"
            " 'N', 'GBJD', 12.8, 13.5, '14.25', 11, '份', '大份', '微辣');"
            "insert into FoodInfo (foodno, catno, TempFoodFlag) values ('1002', 'gone', 'N')"_s);
        const QList<Food> foods = dishes(false);
        QCOMPARE(foods.size(), 2);

        // Every column lands in its own field; a price stored as text still reads as a number.
        const FoodInfo &i = *foods.at(0).info;
        QCOMPARE(QStringList({i.foodno, i.catno, i.foodName, i.foodSubName, i.FoodType, i.currpriceFlag, i.TjFlag,
                              i.TempFoodFlag, i.spellName, i.unitname, i.itemsize, i.orgItemSize, i.Remark,
                              foods.at(0).scatName, foods.at(0).bcatName})
                     .join(u'|'),
                 u"1001|11|宫保鸡丁|Kung Pao Chicken|D|N|Y|N|GBJD|份|大份|大份|微辣|小炒|热菜"_s);
        QCOMPARE(QList<float>({i.salePrice1, i.salePrice2, i.salePrice3, i.MemberPrice}),
                 QList<float>({12.8f, 13.5f, 14.25f, 11.0f}));
        // A dish of an unknown category, with NULL everywhere else.
        const Food &bare = foods.at(1);
        QVERIFY(bare.info->foodName.isEmpty() && bare.info->itemsize.isEmpty());
        QCOMPARE(bare.info->salePrice1, 0.0f);
        QVERIFY(bare.scatName.isEmpty() && bare.bcatName.isEmpty());
    }

    void queryWithSqlBindsItsParameters()
    {
        fixture->exec(u"insert into FoodInfo (foodno, foodName) values ('1', '清蒸鲈鱼'), ('2', '红烧肉'),"
                      " ('3', '水煮鱼')"_s);
        const QString sql = FoodRows::columns() + FoodRows::joins() + u" where A.foodName like ?"_s;
        QStringList found;
        db->queryFoodInfosWithSql(sql, [&](const QList<Food> &foods) { found = foodnos(foods); },
                                  {u"%鱼%"_s});
        QCOMPARE(found, QStringList({u"1"_s, u"3"_s}));

        // A typed text is data, never SQL.
        db->queryFoodInfosWithSql(sql, [&](const QList<Food> &foods) { found = foodnos(foods); },
                                  {u"x' or '1'='1"_s});
        QVERIFY(found.isEmpty());

        int calls = 0;
        db->queryFoodInfosWithSql(u"select nonsense from nowhere"_s, [&](const QList<Food> &foods) {
            found = foodnos(foods);
            ++calls;
        });
        QCOMPARE(calls, 1);
        QVERIFY(found.isEmpty());

        // A statement that fails after its first row gives no rows, not a shorter list.
        found = {u"stale"_s};
        const QString failsOnSecondRow =
            FoodRows::columns() + FoodRows::joins() +
            u" where json(case when A.foodno = '3' then 'x' else '1' end) is not null"_s;
        db->queryFoodInfosWithSql(failsOnSecondRow,
                                  [&](const QList<Food> &foods) { found = foodnos(foods); });
        QVERIFY(found.isEmpty());
    }

    void foodInfo2ListsFourFieldsByNumber()
    {
        fixture->exec(u"insert into FoodInfo (foodno, catno, foodName, spellName, salePrice1) values"
                      " ('2002', '11', '红烧肉', 'HSR', 38), ('1001', '11', '宫保鸡丁', 'GBJD', 12.5)"_s);
        QList<FoodInfo> found;
        db->getFoodInfo2([&](const QList<FoodInfo> &list) { found = list; });
        QCOMPARE(mapped(found, [](const FoodInfo &f) {
                     return f.foodno + u':' + f.foodName + u':' + f.spellName + u':' + f.catno + u':' +
                            QString::asprintf("%.2f", f.salePrice1);
                 }),
                 QStringList({u"1001:宫保鸡丁:GBJD::12.50"_s, u"2002:红烧肉:HSR::38.00"_s}));
    }

    void sizesOfOneDishInTableOrder_data()
    {
        QTest::addColumn<QString>("foodno");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("dish with sizes")
            << u"1001"_s << QStringList({u"1001 大份 30.00"_s, u"1001 小份 20.50"_s});
        QTest::newRow("dish without sizes") << u"1003"_s << QStringList();
        QTest::newRow("quote in the number") << u"1001' or '1'='1"_s << QStringList();
    }

    void sizesOfOneDishInTableOrder()
    {
        QFETCH(QString, foodno);
        QFETCH(QStringList, expected);
        fixture->exec(u"insert into FoodItemsize values ('1001', '大份', 30), ('1002', '中份', 25),"
                      " ('1001', '小份', 20.5)"_s);
        QStringList found;
        db->getFoodItemsizeWithFoodno(foodno, [&](const QList<FoodItemsize> &sizes) {
            for (const FoodItemsize &size : sizes) {
                found.append(size.foodno + u' ' + size.itemsize + u' ' +
                             QString::asprintf("%.2f", size.salePrice1));
                QCOMPARE(size.salePrice2, 0.0f);
            }
        });
        QCOMPARE(found, expected);
    }

    void setMealComponentsComeByIndexAsComponents()
    {
        fixture->exec(u"insert into FoodBigCatInfo values ('1', '热菜');"
                      "insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '小炒', '1');"
                      "insert into FoodInfo (foodno, catno, foodName, FoodType, itemsize, salePrice1) values"
                      " ('T1', '11', '双人套餐', 'T', '', 88), ('A', '11', '米饭', 'D', '碗', 2),"
                      " ('B', '11', '鱼香肉丝', 'D', '', 28), ('C', '11', '可乐', 'D', '', 6),"
                      " ('B2', '11', '宫保鸡丁', 'D', '', 30), ('B3', '11', '青菜', 'T', '', 12);"
                      "insert into SuitFoodInfo values ('T1', 'C', 2, 'N', 3), ('T1', 'A', 2, 'Y', 1),"
                      " ('T1', 'B', 1, 'N', 2), ('T9', 'A', 5, 'N', 0);"
                      "insert into SuitFoodChange values ('T1', 'B', 'B2', 5), ('T1', 'B', 'B3', -3),"
                      " ('T9', 'B', 'B2', 7), ('T1', 'A', 'B3', 0)"_s);

        Food setMeal;
        setMeal.info->foodno = u"T1"_s;
        setMeal.info->FoodType = u"T"_s;
        db->getTFoodDataWithFood(setMeal);
        QCOMPARE(foodnos(setMeal.arrSuiteFoods), QStringList({u"A"_s, u"B"_s, u"C"_s}));
        for (const Food &component : std::as_const(setMeal.arrSuiteFoods)) {
            QCOMPARE(component.info->FoodType + component.suitno, u"MT1"_s);
            QCOMPARE(component.OrgFoodNo, component.info->foodno);
        }
        const Food &rice = setMeal.arrSuiteFoods.at(0);
        QCOMPARE(QStringList({rice.info->foodName, rice.info->orgItemSize, rice.forceChange, rice.scatName,
                              rice.bcatName})
                     .join(u'|'),
                 u"米饭|碗|Y|小炒|热菜"_s);
        QCOMPARE(QList<float>({rice.info->salePrice1, rice.suitFoodQty}), QList<float>({2.0f, 2.0f}));
        QCOMPARE(rice.suiteIndex, 1);
        QCOMPARE(setMeal.arrSuiteFoods.at(2).suiteIndex, 3);

        // Exchange options of each component, in row order, only those of this set meal.
        QCOMPARE(foodnos(rice.arrSuiteFoodsChange), QStringList({u"B3"_s}));
        const QList<Food> &options = setMeal.arrSuiteFoods.at(1).arrSuiteFoodsChange;
        QCOMPARE(foodnos(options), QStringList({u"B2"_s, u"B3"_s}));
        QCOMPARE(QList<float>({options.at(0).changeAmt, options.at(1).changeAmt}), QList<float>({5.0f, -3.0f}));
        QCOMPARE(options.at(1).info->FoodType + options.at(1).suitno + options.at(1).info->foodName, u"MT1青菜"_s);
        QVERIFY(!setMeal.arrSuiteFoods.at(2).hasChangeFoods());

        // Loading again replaces the lists rather than adding to them.
        db->getTFoodDataWithFood(setMeal);
        QCOMPARE(setMeal.arrSuiteFoods.size(), 3);
        QCOMPARE(setMeal.arrSuiteFoods.at(1).arrSuiteFoodsChange.size(), 2);
    }

    void setMealWithoutDatabaseHasNoComponents()
    {
        Food setMeal;
        setMeal.info->foodno = u"T1"_s;
        setMeal.arrSuiteFoods.append(Food());
        DBManager unopened;
        unopened.getTFoodDataWithFood(setMeal);
        QVERIFY(setMeal.arrSuiteFoods.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStorageDishes)
#include "tst_storage_dishes.moc"

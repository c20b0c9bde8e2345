#include "foundation/AppPaths.h"
#include "storage/DBManager.h"

#include <QFileInfo>
#include <QSet>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

// Every query against the demo base data the build generates, cross-checked with plain SQL on the
// same file: the reader must agree with the schema a real export uses.
class TestStorageDemoData : public QObject {
    Q_OBJECT
private:
    QString path;
    sqlite3 *raw = nullptr;
    DBManager db;

    QStringList column(const QString &sql)
    {
        QStringList values;
        sqlite3_stmt *stmt = nullptr;
        if (sqlite3_prepare_v2(raw, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
            qFatal("bad check query: %s", qPrintable(sql));
        while (sqlite3_step(stmt) == SQLITE_ROW)
            values.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))));
        sqlite3_finalize(stmt);
        return values;
    }
    qsizetype count(const QString &sql) { return column(sql).value(0).toLongLong(); }

    QList<Food> dishes(bool isTemp)
    {
        QList<Food> result;
        db.getAllFoodInfo([&](const QList<Food> &foods) { result = foods; }, isTemp);
        return result;
    }

private slots:
    void initTestCase()
    {
        path = AppPaths::resourcePath(u"update/PadBaseData.db"_s);
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        db.setupDBPath(path);
    }

    void cleanupTestCase() { sqlite3_close(raw); }

    void categoryTree()
    {
        QList<FoodBigCatInfo> bigCats;
        DBManager::SmallCatMap smallCats;
        db.getFoodCatInfo([&](const auto &b, const auto &s) {
            bigCats = b;
            smallCats = s;
        });
        QVERIFY(bigCats.size() >= 6);
        QCOMPARE(bigCats.size(), count(u"select count(*) from FoodBigCatInfo"_s));
        qsizetype grouped = 0;
        for (const FoodBigCatInfo &big : std::as_const(bigCats)) {
            QVERIFY(!big.bcatName.isEmpty());
            for (const FoodSmallCatInfo &small : smallCats.value(big.bcatno)) {
                QCOMPARE(small.bcatNo, big.bcatno);
                QVERIFY(!small.scatName.isEmpty());
                ++grouped;
            }
        }
        QCOMPARE(grouped, count(u"select count(*) from FoodSmallCatInfo where bcatNo in "
                                "(select bcatno from FoodBigCatInfo)"_s));
        QCOMPARE(count(u"select count(*) from FoodSmallCatInfo where cpViewRow > 0"_s) > 0, true);
        qsizetype withLayout = 0;
        for (const auto &list : std::as_const(smallCats)) {
            for (const FoodSmallCatInfo &small : list)
                withLayout += small.layoutRow > 0 && small.layoutCol > 0;
        }
        QCOMPARE(withLayout,
                 count(u"select count(*) from FoodSmallCatInfo where cpViewRow > 0 and cpViewCol > 0"_s));
    }

    void dishListsCoverEveryFlaggedDish()
    {
        const QList<Food> ordinary = dishes(false);
        const QList<Food> temporary = dishes(true);
        QVERIFY(ordinary.size() >= 120);
        QCOMPARE(temporary.size(), count(u"select count(*) from FoodInfo where TempFoodFlag = 'Y'"_s));
        QCOMPARE(ordinary.size() + temporary.size() +
                     count(u"select count(*) from FoodInfo where TempFoodFlag is null"_s),
                 count(u"select count(*) from FoodInfo"_s));
        const QStringList prices = column(u"select salePrice1 from FoodInfo where TempFoodFlag <> 'Y'"_s);
        for (qsizetype i = 0; i < ordinary.size(); ++i) {
            const Food &food = ordinary.at(i);
            QVERIFY(!food.info->foodName.isEmpty());
            QVERIFY2(!food.scatName.isEmpty() && !food.bcatName.isEmpty(), qPrintable(food.info->foodno));
            QCOMPARE(food.info->salePrice1, prices.at(i).toFloat());
        }
        QList<FoodInfo> byNumber;
        db.getFoodInfo2([&](const QList<FoodInfo> &list) { byNumber = list; });
        QStringList numbers;
        for (const FoodInfo &dish : std::as_const(byNumber))
            numbers.append(dish.foodno);
        QCOMPARE(numbers, column(u"select foodno from FoodInfo order by foodno"_s));
    }

    void sizesAndSetMeals()
    {
        qsizetype sizes = 0;
        qsizetype components = 0;
        qsizetype exchanges = 0;
        for (const QString &foodno : column(u"select distinct foodno from FoodItemsize"_s)) {
            db.getFoodItemsizeWithFoodno(foodno, [&](const QList<FoodItemsize> &list) {
                for (const FoodItemsize &size : list)
                    sizes += size.foodno == foodno && !size.itemsize.isEmpty() && size.salePrice1 > 0;
            });
        }
        QCOMPARE(sizes, count(u"select count(*) from FoodItemsize"_s));

        const QStringList setMeals = column(u"select foodno from FoodInfo where FoodType = 'T'"_s);
        QVERIFY(setMeals.size() >= 3);
        for (const QString &foodno : setMeals) {
            Food setMeal;
            setMeal.info->foodno = foodno;
            db.getTFoodDataWithFood(setMeal);
            QVERIFY(setMeal.arrSuiteFoods.size() >= 3);
            qint64 lastIndex = std::numeric_limits<qint64>::min();
            for (const Food &component : std::as_const(setMeal.arrSuiteFoods)) {
                QVERIFY(component.suiteIndex >= lastIndex);
                lastIndex = component.suiteIndex;
                QCOMPARE(component.info->FoodType, u"M"_s);
                QCOMPARE(component.suitno, foodno);
                QVERIFY(component.suitFoodQty > 0);
                ++components;
                for (const Food &option : component.arrSuiteFoodsChange) {
                    QCOMPARE(option.info->FoodType, u"M"_s);
                    QCOMPARE(option.suitno, foodno);
                    ++exchanges;
                }
            }
        }
        QCOMPARE(components, count(u"select count(*) from SuitFoodInfo"_s));
        QCOMPARE(exchanges, count(u"select count(*) from SuitFoodChange"_s));
    }

    void boundCookingMethods()
    {
        const QString foodno = column(u"select foodno from FoodTasteInfo limit 1"_s).value(0);
        QVERIFY(!foodno.isEmpty());
        QStringList expected =
            column(u"select T.TasteNo from TasteInfo T join FoodTasteInfo F on F.tasteno = T.TasteNo "
                   "where F.foodno = '"_s +
                   foodno + u"' order by T.rowid"_s);
        QVERIFY(!expected.isEmpty());

        QList<TasteCatInfo> cats;
        QList<TasteInfo> all;
        DBManager::TasteMap map;
        db.getTasteInfoByStyle(u"P"_s, foodno, [&](const auto &c, const auto &t, const auto &m) {
            cats = c;
            all = t;
            map = m;
        });
        QCOMPARE(cats.size(), count(u"select count(*) from TasteCatInfo where TasteCatStyle = 'P'"_s) + 1);
        QCOMPARE(cats.at(0).TasteCatNo, u"-1"_s);
        QStringList bound;
        for (const TasteInfo &taste : map.value(u"-1"_s))
            bound.append(taste.TasteNo);
        QCOMPARE(bound, expected);
        QCOMPARE(all.size(), count(u"select count(*) from TasteInfo"_s));

        db.getTasteInfoByStyle(u"B"_s, foodno, [&](const auto &c, const auto &, const auto &m) {
            cats = c;
            map = m;
        });
        QCOMPARE(cats.size(), count(u"select count(*) from TasteCatInfo where TasteCatStyle = 'B'"_s));
        QVERIFY(!map.contains(u"-1"_s));
    }

    void roomsTablesReasonsStoreAndOperators()
    {
        QList<RoomInfo> rooms;
        db.getAllRooms([&](const QList<RoomInfo> &list) { rooms = list; });
        QCOMPARE(rooms.size(), count(u"select count(*) from RoomInfo"_s) + 1);
        QVERIFY(rooms.size() >= 3);
        qsizetype tables = 0;
        db.getAllTables([&](const QList<DeskInfo> &list) { tables = list.size(); });
        QVERIFY(tables >= 24);
        qsizetype reasons = 0;
        db.getAllReason([&](const QList<RtnReasonInfo> &list) { reasons = list.size(); });
        QCOMPARE(reasons, count(u"select count(*) from RtnReasonInfo"_s));

        StoreInfo name;
        StoreInfo version;
        db.getStoreName([&](const StoreInfo &p) { name = p; });
        db.getDataVer([&](const StoreInfo &p) { version = p; });
        QCOMPARE(name.pvalue,
                 column(u"select pvalue from StoreInfo where pname = 'StoreName'"_s).constLast());
        QVERIFY(version.pvalue > u"20150411"_s);

        QSet<bool> authorities;
        for (const QString &id : column(u"select cashierID from CashierInfo"_s)) {
            db.getCashierInfoWithId(id, [&](const CashierInfo &c) {
                QCOMPARE(c.cashierID, id);
                authorities.insert(c.hasZengSongAuth());
            });
        }
        QCOMPARE(authorities, QSet<bool>({true, false}));
    }
};

QTEST_GUILESS_MAIN(TestStorageDemoData)
#include "tst_storage_demodata.moc"

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
    qsizetype count(const QString &where) { return column(u"select count(*) from "_s + where).value(0).toLongLong(); }

private slots:
    void initTestCase()
    {
        const QString path = AppPaths::resourcePath(u"update/PadBaseData.db"_s);
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
        QCOMPARE(bigCats.size(), count(u"FoodBigCatInfo"_s));
        qsizetype grouped = 0, withLayout = 0;
        for (const FoodBigCatInfo &big : std::as_const(bigCats)) {
            QVERIFY(!big.bcatName.isEmpty());
            for (const FoodSmallCatInfo &small : smallCats.value(big.bcatno)) {
                QCOMPARE(small.bcatNo, big.bcatno);
                QVERIFY(!small.scatName.isEmpty());
                ++grouped;
                withLayout += small.layoutRow > 0 && small.layoutCol > 0;
            }
        }
        QCOMPARE(grouped, count(u"FoodSmallCatInfo where bcatNo in (select bcatno from FoodBigCatInfo)"_s));
        QVERIFY(withLayout > 0);
        QCOMPARE(withLayout, count(u"FoodSmallCatInfo where cpViewRow > 0 and cpViewCol > 0"_s));
    }

    void dishListsCoverEveryFlaggedDish()
    {
        QList<Food> ordinary, temporary;
        db.getAllFoodInfo([&](const QList<Food> &foods) { ordinary = foods; }, false);
        db.getAllFoodInfo([&](const QList<Food> &foods) { temporary = foods; }, true);
        QCOMPARE(temporary.size(), count(u"FoodInfo where TempFoodFlag = 'Y'"_s));
        QCOMPARE(ordinary.size() + temporary.size() + count(u"FoodInfo where TempFoodFlag is null"_s),
                 count(u"FoodInfo"_s));
        const QStringList prices = column(u"select salePrice1 from FoodInfo where TempFoodFlag <> 'Y'"_s);
        for (qsizetype i = 0; i < ordinary.size(); ++i) {
            const Food &food = ordinary.at(i);
            QVERIFY2(!food.info->foodName.isEmpty() && !food.scatName.isEmpty() && !food.bcatName.isEmpty(),
                     qPrintable(food.info->foodno));
            QCOMPARE(food.info->salePrice1, prices.at(i).toFloat());
        }
        QStringList numbers;
        db.getFoodInfo2([&](const QList<FoodInfo> &list) {
            for (const FoodInfo &dish : list)
                numbers.append(dish.foodno);
        });
        QCOMPARE(numbers, column(u"select foodno from FoodInfo order by foodno"_s));
    }

    void sizesAndSetMeals()
    {
        qsizetype sizes = 0, components = 0, exchanges = 0;
        for (const QString &foodno : column(u"select distinct foodno from FoodItemsize"_s)) {
            db.getFoodItemsizeWithFoodno(foodno, [&](const QList<FoodItemsize> &list) {
                for (const FoodItemsize &size : list)
                    sizes += size.foodno == foodno && !size.itemsize.isEmpty() && size.salePrice1 > 0;
            });
        }
        QCOMPARE(sizes, count(u"FoodItemsize"_s));

        for (const QString &foodno : column(u"select foodno from FoodInfo where FoodType = 'T'"_s)) {
            Food setMeal;
            setMeal.info->foodno = foodno;
            db.getTFoodDataWithFood(setMeal);
            QVERIFY(setMeal.arrSuiteFoods.size() >= 3);
            qint64 lastIndex = std::numeric_limits<qint64>::min();
            for (const Food &component : std::as_const(setMeal.arrSuiteFoods)) {
                QVERIFY(component.suiteIndex >= lastIndex);
                lastIndex = component.suiteIndex;
                QCOMPARE(component.info->FoodType + component.suitno, u"M"_s + foodno);
                QVERIFY(component.suitFoodQty > 0);
                ++components;
                for (const Food &option : component.arrSuiteFoodsChange) {
                    QCOMPARE(option.info->FoodType + option.suitno, u"M"_s + foodno);
                    ++exchanges;
                }
            }
        }
        QCOMPARE(components, count(u"SuitFoodInfo"_s));
        QCOMPARE(exchanges, count(u"SuitFoodChange"_s));
    }

    void boundCookingMethods()
    {
        const QString foodno = column(u"select foodno from FoodTasteInfo limit 1"_s).value(0);
        const QStringList expected =
            column(u"select T.TasteNo from TasteInfo T join FoodTasteInfo F on F.tasteno = T.TasteNo "
                   "where F.foodno = '"_s + foodno + u"' order by T.rowid"_s);
        QVERIFY(!expected.isEmpty());

        QList<TasteCatInfo> cats;
        QList<TasteInfo> all;
        DBManager::TasteMap map;
        const auto keep = [&](const auto &c, const auto &t, const auto &m) {
            cats = c;
            all = t;
            map = m;
        };
        db.getTasteInfoByStyle(u"P"_s, foodno, keep);
        QCOMPARE(cats.size(), count(u"TasteCatInfo where TasteCatStyle = 'P'"_s) + 1);
        QCOMPARE(cats.at(0).TasteCatNo, u"-1"_s);
        QStringList bound;
        for (const TasteInfo &taste : map.value(u"-1"_s))
            bound.append(taste.TasteNo);
        QCOMPARE(bound, expected);
        QCOMPARE(all.size(), count(u"TasteInfo"_s));

        db.getTasteInfoByStyle(u"B"_s, foodno, keep);
        QCOMPARE(cats.size(), count(u"TasteCatInfo where TasteCatStyle = 'B'"_s));
        QVERIFY(!map.contains(u"-1"_s));
    }

    void roomsTablesReasonsStoreAndOperators()
    {
        qsizetype rooms = 0, tables = 0, reasons = 0;
        db.getAllRooms([&](const QList<RoomInfo> &list) { rooms = list.size(); });
        db.getAllTables([&](const QList<DeskInfo> &list) { tables = list.size(); });
        db.getAllReason([&](const QList<RtnReasonInfo> &list) { reasons = list.size(); });
        QCOMPARE(rooms, count(u"RoomInfo"_s) + 1);
        QCOMPARE(tables, count(u"DeskInfo"_s));
        QCOMPARE(reasons, count(u"RtnReasonInfo"_s));

        StoreInfo name, version;
        db.getStoreName([&](const StoreInfo &p) { name = p; });
        db.getDataVer([&](const StoreInfo &p) { version = p; });
        QCOMPARE(name.pvalue, column(u"select pvalue from StoreInfo where pname = 'StoreName'"_s).constLast());
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

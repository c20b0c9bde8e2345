#include "foundation/AppPaths.h"
#include "storage/DBManager.h"

#include <QFileInfo>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

// Every reader against the demo base data the build generates, counted against plain SQL on the same
// file: the reader must agree with the schema a real export uses.
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

    // How many complete records `reader` gives.
    qsizetype records(const QString &reader)
    {
        qsizetype n = 0;
        const auto count = [&n](const auto &list) { n += list.size(); };
        const QString boundDish = column(u"select foodno from FoodTasteInfo limit 1"_s).value(0);
        if (reader == u"grouped small categories") {
            db.getFoodCatInfo([&](const QList<FoodBigCatInfo> &bigCats, const DBManager::SmallCatMap &small) {
                for (const FoodBigCatInfo &big : bigCats)
                    for (const FoodSmallCatInfo &cat : small.value(big.bcatno))
                        n += cat.bcatNo == big.bcatno && !cat.scatName.isEmpty() && !big.bcatName.isEmpty();
            });
        } else if (reader == u"small categories with a layout") {
            db.getFoodCatInfo([&](const auto &, const DBManager::SmallCatMap &small) {
                for (const QList<FoodSmallCatInfo> &cats : small)
                    for (const FoodSmallCatInfo &cat : cats)
                        n += cat.layoutRow > 0 && cat.layoutCol > 0;
            });
        } else if (reader == u"named ordinary dishes") {
            db.getAllFoodInfo(
                [&](const QList<Food> &foods) {
                    for (const Food &f : foods)
                        n += !f.info->foodName.isEmpty() && !f.scatName.isEmpty() && !f.bcatName.isEmpty();
                },
                false);
        } else if (reader == u"temporary dishes") {
            db.getAllFoodInfo(count, true);
        } else if (reader == u"dishes by number") {
            db.getFoodInfo2(count);
        } else if (reader == u"sizes") {
            for (const QString &foodno : column(u"select distinct foodno from FoodItemsize"_s))
                db.getFoodItemsizeWithFoodno(foodno, [&](const QList<FoodItemsize> &list) {
                    for (const FoodItemsize &size : list)
                        n += size.foodno == foodno && !size.itemsize.isEmpty() && size.salePrice1 > 0;
                });
        } else if (reader == u"set-meal components" || reader == u"exchange options") {
            for (const QString &foodno : column(u"select foodno from FoodInfo where FoodType = 'T'"_s)) {
                Food setMeal;
                setMeal.info->foodno = foodno;
                db.getTFoodDataWithFood(setMeal);
                for (const Food &part : std::as_const(setMeal.arrSuiteFoods)) {
                    const bool own =
                        part.info->FoodType + part.suitno == u"M"_s + foodno && part.suitFoodQty > 0;
                    n += reader == u"set-meal components" ? own : part.arrSuiteFoodsChange.size();
                }
            }
        } else if (reader == u"cooking methods" || reader == u"line categories with the bound one" ||
                   reader == u"bound methods" || reader == u"order categories") {
            const QString style = reader == u"order categories" ? u"B"_s : u"P"_s;
            db.getTasteInfoByStyle(style, boundDish, [&](const auto &cats, const auto &all, const auto &map) {
                n = reader == u"cooking methods" ? all.size()
                    : reader == u"bound methods" ? map.value(u"-1"_s).size()
                                                 : cats.size();
            });
        } else if (reader == u"rooms with all rooms") {
            db.getAllRooms(count);
        } else if (reader == u"tables") {
            db.getAllTables(count);
        } else if (reader == u"reasons") {
            db.getAllReason(count);
        } else if (reader == u"cashiers by id") {
            for (const QString &id : column(u"select cashierID from CashierInfo"_s))
                db.getCashierInfoWithId(id, [&](const CashierInfo &c) { n += c.cashierID == id; });
        }
        return n;
    }

private slots:
    void initTestCase()
    {
        const QString path = AppPaths::resourcePath(u"update/PadBaseData.db"_s);
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        db.setupDBPath(path);
    }

    void cleanupTestCase() { sqlite3_close(raw); }

    void readersAgreeWithTheExport_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("count"); // SQL: a whole statement, or what follows "select count(*) from"
        const QString bound = u"(select foodno from FoodTasteInfo limit 1)"_s;
        const QList<std::pair<const char *, QString>> rows = {
            {"grouped small categories",
             u"FoodSmallCatInfo where bcatNo in (select bcatno from FoodBigCatInfo)"_s},
            {"small categories with a layout", u"FoodSmallCatInfo where cpViewRow > 0 and cpViewCol > 0 and "
                                               "bcatNo in (select bcatno from FoodBigCatInfo)"_s},
            {"named ordinary dishes", u"FoodInfo where TempFoodFlag <> 'Y'"_s},
            {"temporary dishes", u"FoodInfo where TempFoodFlag = 'Y'"_s},
            {"dishes by number", u"FoodInfo"_s},
            {"sizes", u"FoodItemsize"_s},
            {"set-meal components", u"SuitFoodInfo"_s},
            {"exchange options", u"SuitFoodChange"_s},
            {"cooking methods", u"TasteInfo"_s},
            {"line categories with the bound one",
             u"select count(*) + 1 from TasteCatInfo where TasteCatStyle = 'P'"_s},
            {"bound methods",
             u"FoodTasteInfo F join TasteInfo T on F.tasteno = T.TasteNo where F.foodno = "_s + bound},
            {"order categories", u"TasteCatInfo where TasteCatStyle = 'B'"_s},
            {"rooms with all rooms", u"select count(*) + 1 from RoomInfo"_s},
            {"tables", u"DeskInfo"_s},
            {"reasons", u"RtnReasonInfo"_s},
            {"cashiers by id", u"CashierInfo"_s},
        };
        for (const auto &[reader, from] : rows)
            QTest::newRow(reader) << QString::fromUtf8(reader) << from;
    }

    void readersAgreeWithTheExport()
    {
        QFETCH(QString, reader);
        QFETCH(QString, count);
        const qsizetype total =
            column(count.startsWith(u"select") ? count : u"select count(*) from "_s + count)
                .value(0)
                .toLongLong();
        QVERIFY2(total > 0 || reader == u"temporary dishes", "the demo data has none");
        QCOMPARE(records(reader), total);
    }

    void storeNameAndVersion()
    {
        StoreInfo name, version;
        db.getStoreName([&](const StoreInfo &p) { name = p; });
        db.getDataVer([&](const StoreInfo &p) { version = p; });
        QCOMPARE(name.pvalue,
                 column(u"select pvalue from StoreInfo where pname = 'StoreName'"_s).constLast());
        QCOMPARE(version.pvalue,
                 column(u"select pvalue from StoreInfo where pname = 'BaseDataVer'"_s).constLast());
    }
};

QTEST_GUILESS_MAIN(TestStorageDemoData)
#include "tst_storage_demodata.moc"

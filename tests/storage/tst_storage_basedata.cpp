#include "BaseDataFixture.h"
#include "TestRows.h"
#include "foundation/SettingsKeys.h"
#include "settings/ConfigManager.h"
#include "settings/SettingsStore.h"
#include "storage/FoodRows.h"

#include <QDir>

namespace {
const QString kTastes =
    u"insert into TasteCatInfo values ('1', '口味', 'P'), ('9', '整单', 'B'), ('2', '做法', 'P');"
    "insert into TasteInfo values ('11', '少盐', '1', '1', 'A', 2), ('21', '清蒸', '2', NULL, NULL, 0),"
    " ('12', '加辣', '1', '', 'P', 10.5), ('91', '打包', '9', '', 'A', 1);"
    "insert into FoodTasteInfo values ('F1', '21'), ('F1', '11'), ('F2', 'none'), ('F1', '21')"_s;
const QString kCategories =
    u"insert into FoodBigCatInfo values ('2', '热菜'), ('1', '凉菜'), ('3', '酒水');"
    "insert into FoodSmallCatInfo (scatno, cpViewRow, cpViewCol, scatName, bcatNo) values"
    " ('22', 3, 4, '小炒', '2'), ('11', NULL, NULL, '拌菜', '1'), ('21', 0, 0, '炖菜', '2'),"
    " ('99', 2, 2, '无主', '9');"_s;

QString num(float value)
{
    return QString::number(double(value));
}

// What one reader gives, one "field|field|..." text per record; "(none)" for an answer without records.
QStringList read(DBManager &db, const QString &reader, const QString &arg)
{
    QStringList out;
    const auto keep = [&out](const QStringList &records) {
        out += records.isEmpty() ? QStringList{u"(none)"_s} : records;
    };
    if (reader == u"dishes") {
        db.getAllFoodInfo(
            [&](const QList<Food> &foods) {
                keep(mapped(foods, [](const Food &f) {
                    const FoodInfo &i = *f.info;
                    return QStringList{
                        i.foodno,          i.catno,           i.foodName,        i.foodSubName,
                        i.FoodType,        i.currpriceFlag,   i.TjFlag,          i.TempFoodFlag,
                        i.spellName,       i.unitname,        i.itemsize,        i.orgItemSize,
                        i.Remark,          f.scatName,        f.bcatName,        num(i.salePrice1),
                        num(i.salePrice2), num(i.salePrice3), num(i.MemberPrice)}
                        .join(u'|');
                }));
            },
            arg == u"temporary");
    } else if (reader == u"dish numbers") {
        db.getAllFoodInfo([&](const QList<Food> &foods) { keep(foodnos(foods)); }, arg == u"temporary");
    } else if (reader == u"food info 2") {
        db.getFoodInfo2([&](const QList<FoodInfo> &list) {
            keep(mapped(list, [](const FoodInfo &f) {
                return QStringList{f.foodno, f.foodName, f.spellName, f.catno, num(f.salePrice1)}.join(u'|');
            }));
        });
    } else if (reader == u"sizes") {
        db.getFoodItemsizeWithFoodno(arg, [&](const QList<FoodItemsize> &sizes) {
            keep(mapped(sizes, [](const FoodItemsize &s) {
                return QStringList{s.foodno, s.itemsize, num(s.salePrice1), num(s.salePrice2)}.join(u'|');
            }));
        });
    } else if (reader == u"tastes") {
        db.getTasteInfoByStyle(u"P"_s, arg, [&](const auto &, const QList<TasteInfo> &tastes, const auto &) {
            keep(mapped(tastes, [](const TasteInfo &t) { return t.fullInfoString(); }));
        });
    } else if (reader == u"bound") {
        db.isFoodHasBindingTasteInfoByStyle(arg.section(u' ', 0, 0), arg.section(u' ', 1), [&](bool bound) {
            out << (bound ? u"bound"_s : u"not bound"_s);
        });
    } else if (reader == u"rooms") {
        const auto text = [](const RoomInfo &room) { return room.roomno + u':' + room.roomName; };
        db.getAllRooms([&](const QList<RoomInfo> &rooms) { keep(mapped(rooms, text)); });
        if (mapped(db.allRooms(), text) != out)
            out << u"the kept room list differs"_s;
    } else if (reader == u"store") {
        db.getStoreName([&](const StoreInfo &p) { out << u"name "_s + p.pname + u'=' + p.pvalue; });
        db.getDataVer([&](const StoreInfo &p) { out << u"version "_s + p.pname + u'=' + p.pvalue; });
        db.getStoroInfo([&](const QList<StoreInfo> &list) {
            keep(mapped(list, [](const StoreInfo &i) { return i.pname + u'=' + i.pvalue + i.remark; }));
        });
    } else if (reader == u"cashier") {
        db.getCashierInfoWithId(arg, [&](const CashierInfo &c) {
            out << QStringList{c.cashierID, c.cashierName, c.userPass,
                               c.hasZengSongAuth() ? u"gift"_s : QString()}
                       .join(u'|');
        });
    } else if (reader == u"category tree") { // "big:name=small name+big rowsxcols,...", then the map's keys
        db.getFoodCatInfo([&](const QList<FoodBigCatInfo> &bigCats, const DBManager::SmallCatMap &small) {
            for (const FoodBigCatInfo &big : bigCats)
                out << big.bcatno + u':' + big.bcatName + u'=' +
                           mapped(small.value(big.bcatno), [](const FoodSmallCatInfo &c) {
                               return u"%1 %2%3 %4x%5"_s.arg(c.scatno, c.scatName, c.bcatNo)
                                   .arg(c.layoutRow)
                                   .arg(c.layoutCol);
                           }).join(u',');
            QStringList keys = small.keys();
            keys.sort();
            out << keys.join(u',');
        });
    } else if (reader == u"tastes by style") { // "category nameSTYLE:taste,...", arg "STYLE foodno"
        db.getTasteInfoByStyle(
            arg.section(u' ', 0, 0), arg.section(u' ', 1),
            [&](const QList<TasteCatInfo> &cats, const auto &, const DBManager::TasteMap &map) {
                if (cats.isEmpty())
                    out << u"(none)"_s;
                for (const TasteCatInfo &c : cats)
                    out << c.TasteCatNo + u' ' + c.TasteCatName + c.TasteCatStyle + u':' +
                               mapped(map.value(c.TasteCatNo), [](const TasteInfo &t) {
                                   return t.TasteNo;
                               }).join(u',');
                if (map.size() != cats.size())
                    out << u"tastes of other categories"_s;
            });
    } else if (reader == u"sorted categories") {
        db.getAllFoodBigCat([&](const QList<FoodBigCatInfo> &cats) {
            keep(mapped(cats, [](const auto &c) { return c.bcatno + u'|' + c.bcatName; }));
        });
        db.getAllFoodSmallCat([&](const QList<FoodSmallCatInfo> &cats) { // no layout in this list
            keep(mapped(cats, [](const auto &c) {
                return QStringList{c.scatno, c.scatName, c.bcatNo, QString::number(c.layoutRow)}.join(u'|');
            }));
        });
    }
    return out;
}
} // namespace

// Every base-data reader as the screens receive it, the file the connection reads and when it switches.
class TestStorageBaseData : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<OpenBaseData> base;
    std::unique_ptr<QTemporaryDir> home;

    // Installs a package folder "<home>/<name>" holding a base data with one store name.
    std::unique_ptr<BaseDataFixture> installPackage(const QString &name, const QString &storeName)
    {
        QDir(home->path()).mkpath(name);
        auto fixture = std::make_unique<BaseDataFixture>(home->path() + u'/' + name + u"/PadBaseData.db"_s);
        fixture->exec(u"insert into StoreInfo values ('StoreName', '"_s + storeName + u"', '')"_s);
        selectPackage(name);
        return fixture;
    }

    void selectPackage(const QString &name)
    {
        SettingsStore::shared().setValue(Key::ZipFileName, name + u".zip"_s);
    }

    // The store name as the "store" reader gives it ("name StoreName=..."); empty without an answer.
    static QString storeName(DBManager &db) { return read(db, u"store"_s, {}).value(0); }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        AppPaths::setHome(home->path());
        SettingsStore::setShared(std::make_shared<IniSettingsStore>(home->filePath(u"settings.ini"_s)));
        ConfigManager::resetDefaultManager();
        LanguageManager::defaultManager().reset();
        DBManager::resetForTests();
        base = std::make_unique<OpenBaseData>();
    }

    void cleanup()
    {
        base.reset();
        DBManager::resetForTests();
        LanguageManager::defaultManager().reset();
    }

    void records_data()
    {
        columns<QString, QString, QString, QStringList>("sql", "reader", "arg", "expected");
        using L = QStringList;

        // A price stored as text still reads as a number; a dish of an unknown category, NULL elsewhere.
        QTest::newRow("dish columns")
            << u"insert into FoodBigCatInfo values ('1', '热菜');"
               "insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '小炒', '1');"
               "insert into FoodInfo values ('1001', '11', '宫保鸡丁', 'Kung Pao Chicken', 'D', 'N', 'Y',"
               " 'N', 'GBJD', 12.8, 13.5, '14.25', 11, '份', '大份', '微辣');"
               "insert into FoodInfo (foodno, catno, TempFoodFlag) values ('1002', 'gone', 'N')"_s
            << u"dishes"_s << u"ordinary"_s
            << L{u"1001|11|宫保鸡丁|Kung Pao Chicken|D|N|Y|N|GBJD|份|大份|大份|微辣|小炒|热菜|12.8|13.5|14.25|11"_s,
                 u"1002|gone||||||N||||||||0|0|0|0"_s};
        // NULL compares neither equal nor unequal to 'Y'; the lower-case "y" is no flag.
        const QString flags = u"insert into FoodInfo (foodno, TempFoodFlag) values"
                              " ('N1', 'N'), ('T1', 'Y'), ('NULL1', NULL), ('E1', ''), ('y1', 'y')"_s;
        QTest::newRow("temporary dishes") << flags << u"dish numbers"_s << u"temporary"_s << L{u"T1"_s};
        QTest::newRow("ordinary dishes")
            << flags << u"dish numbers"_s << u"ordinary"_s << L{u"N1"_s, u"E1"_s, u"y1"_s};
        QTest::newRow("four fields by number")
            << u"insert into FoodInfo (foodno, catno, foodName, spellName, salePrice1) values"
               " ('2002', '11', '红烧肉', 'HSR', 38), ('1001', '11', '宫保鸡丁', 'GBJD', 12.5)"_s
            << u"food info 2"_s << QString() << L{u"1001|宫保鸡丁|GBJD||12.5"_s, u"2002|红烧肉|HSR||38"_s};

        const QString sizes = u"insert into FoodItemsize values ('1001', '大份', 30), ('1002', '中份', 25),"
                              " ('1001', '小份', 20.5)"_s;
        QTest::newRow("sizes in table order")
            << sizes << u"sizes"_s << u"1001"_s << L{u"1001|大份|30|0"_s, u"1001|小份|20.5|0"_s};

        QTest::newRow("cooking methods, NULL styles empty")
            << kTastes << u"tastes"_s << u"F3"_s
            << L{u"11|少盐|1|1|A|2.000000"_s, u"21|清蒸|2|||0.000000"_s, u"12|加辣|1||P|10.500000"_s,
                 u"91|打包|9||A|1.000000"_s};
        QTest::newRow("line style, bound") << kTastes << u"bound"_s << u"P F1"_s << L{u"bound"_s};
        QTest::newRow("order style is never bound")
            << kTastes << u"bound"_s << u"B F1"_s << L{u"not bound"_s};

        // Name, version, then every row in table order without its remark.
        const QString store = u"insert into StoreInfo values "_s;
        QTest::newRow("one store parameter of each")
            << store + u"('StoreName', '川味小馆', 'x'), ('BaseDataVer', '20160101', '')"_s << u"store"_s
            << QString()
            << L{u"name StoreName=川味小馆"_s, u"version BaseDataVer=20160101"_s, u"StoreName=川味小馆"_s,
                 u"BaseDataVer=20160101"_s};
        QTest::newRow("the last store row stands")
            << store + u"('StoreName', '旧名', ''), ('BaseDataVer', '1', ''), ('StoreName', '新名', ''),"
                       " ('BaseDataVer', '2', '')"_s
            << u"store"_s << QString()
            << L{u"name StoreName=新名"_s, u"version BaseDataVer=2"_s, u"StoreName=旧名"_s,
                 u"BaseDataVer=1"_s,       u"StoreName=新名"_s,        u"BaseDataVer=2"_s};

        const QString cashiers =
            u"insert into CashierInfo values ('007', '张三', 'NNN', 'old'),"
            " ('007', '王五', 'NNNNNNNNNNNNNNNNNNNY', 'new'), ('008', '赵六', NULL, NULL)"_s;
        QTest::newRow("the last cashier row stands")
            << cashiers << u"cashier"_s << u"007"_s << L{u"007|王五|new|gift"_s};
        QTest::newRow("quote in the cashier id")
            << cashiers << u"cashier"_s << u"007' or '1'='1"_s << L{u"|||"_s};

        // Small categories grouped under their big ones in table order; "99" has no listed big category.
        QTest::newRow("category tree")
            << kCategories << u"category tree"_s << QString()
            << L{u"2:热菜=22 小炒2 3x4,21 炖菜2 0x0"_s, u"1:凉菜=11 拌菜1 0x0"_s, u"3:酒水="_s, u"1,2,3"_s};
        QTest::newRow("no big categories: the all pseudo-category")
            << u"insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '拌菜', '1')"_s
            << u"category tree"_s << QString() << L{u"-no:全部="_s, QString()};
        // "-1" holds the bound methods in table order, once per binding row.
        QTest::newRow("line style, bound dish")
            << kTastes << u"tastes by style"_s << u"P F1"_s
            << L{u"-1 绑定做法P:11,21,21"_s, u"1 口味P:11,12"_s, u"2 做法P:21"_s};
        QTest::newRow("binding to an unknown method")
            << kTastes << u"tastes by style"_s << u"P F2"_s
            << L{u"-1 绑定做法P:"_s, u"1 口味P:11,12"_s, u"2 做法P:21"_s};
        QTest::newRow("order style ignores bindings")
            << kTastes << u"tastes by style"_s << u"B F1"_s << L{u"9 整单B:91"_s};
        QTest::newRow("unknown style") << kTastes << u"tastes by style"_s << u"X F1"_s << L{u"(none)"_s};
        QTest::newRow("sorted category lists")
            << kCategories << u"sorted categories"_s << QString()
            << L{u"1|凉菜"_s,      u"2|热菜"_s,      u"3|酒水"_s,     u"11|拌菜|1|0"_s,
                 u"21|炖菜|2|0"_s, u"22|小炒|2|0"_s, u"99|无主|9|0"_s};

        // No base-data file: every reader still answers, with nothing but the pseudo-entries.
        const auto noFile = [](const char *reader, const QString &arg, const QStringList &expected) {
            QTest::addRow("no file: %s %s", reader, qPrintable(arg))
                << u"<no file>"_s << QString::fromUtf8(reader) << arg << expected;
        };
        noFile("cashier", u"1"_s, L{u"|||"_s});
        noFile("category tree", {}, L{u"-no:全部="_s, QString()}); // the menu learns nothing could be read
        noFile("rooms", {}, L{u"all:所有"_s});
    }

    void records()
    {
        auto [sql, reader, arg, expected] =
            row<QString, QString, QString, QStringList>("sql", "reader", "arg", "expected");
        DBManager noFile;
        noFile.setupDBPath(base->dir.filePath(u"nothing-here.db"_s));
        if (!sql.isEmpty() && sql != u"<no file>")
            QVERIFY(base->fixture.exec(sql));
        QCOMPARE(read(sql == u"<no file>" ? noFile : base->db, reader, arg), expected);
    }

    void queryWithSqlBindsItsParameters()
    {
        QVERIFY(base->fixture.exec(u"insert into FoodInfo (foodno, foodName) values ('1', '清蒸鲈鱼'),"
                                   " ('2', '红烧肉'), ('3', '水煮鱼')"_s));
        const QString sql = FoodRows::columns() + FoodRows::joins() + u" where A.foodName like ?"_s;
        QStringList found;
        int calls = 0;
        const auto keep = [&](const QList<Food> &foods) {
            found = foodnos(foods);
            ++calls;
        };
        base->db.queryFoodInfosWithSql(sql, keep, {u"%鱼%"_s});
        QCOMPARE(found, QStringList({u"1"_s, u"3"_s}));
        base->db.queryFoodInfosWithSql(sql, keep, {u"x' or '1'='1"_s}); // a typed text is data, never SQL
        QVERIFY(found.isEmpty());
        base->db.queryFoodInfosWithSql(u"select nonsense from nowhere"_s, keep);
        QCOMPARE(calls, 3);
        QVERIFY(found.isEmpty());
        // A statement that fails after its first row gives no rows, not a shorter list.
        found = {u"stale"_s};
        base->db.queryFoodInfosWithSql(
            FoodRows::columns() + FoodRows::joins() +
                u" where json(case when A.foodno = '3' then 'x' else '1' end) is not null"_s,
            keep);
        QVERIFY(found.isEmpty());
    }

    void setMealComponentsComeByIndexAsComponents()
    {
        QVERIFY(base->fixture.exec(
            u"insert into FoodBigCatInfo values ('1', '热菜');"
            "insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '小炒', '1');"
            "insert into FoodInfo (foodno, catno, foodName, FoodType, itemsize, salePrice1) values"
            " ('T1', '11', '双人套餐', 'T', '', 88), ('A', '11', '米饭', 'D', '碗', 2),"
            " ('B', '11', '鱼香肉丝', 'D', '', 28), ('C', '11', '可乐', 'D', '', 6),"
            " ('B2', '11', '宫保鸡丁', 'D', '', 30), ('B3', '11', '青菜', 'T', '', 12);"
            "insert into SuitFoodInfo values ('T1', 'C', 2, 'N', 3), ('T1', 'A', 2, 'Y', 1),"
            " ('T1', 'B', 1, 'N', 2), ('T9', 'A', 5, 'N', 0);"
            "insert into SuitFoodChange values ('T1', 'B', 'B2', 5), ('T1', 'B', 'B3', -3),"
            " ('T9', 'B', 'B2', 7), ('T1', 'A', 'B3', 0)"_s));

        Food setMeal;
        setMeal.info->foodno = u"T1"_s;
        setMeal.info->FoodType = u"T"_s;
        base->db.getTFoodDataWithFood(setMeal);
        const auto parts = [&setMeal] {
            return mapped(setMeal.arrSuiteFoods, [](const Food &c) {
                return c.info->FoodType + c.suitno + u':' + c.OrgFoodNo + u'/' + c.info->foodno + u'#' +
                       QString::number(c.suiteIndex) + u'>' + foodnos(c.arrSuiteFoodsChange).join(u',');
            });
        };
        // Exchange options of each component in row order, only those of this set meal.
        const QStringList expected{u"MT1:A/A#1>B3"_s, u"MT1:B/B#2>B2,B3"_s, u"MT1:C/C#3>"_s};
        QCOMPARE(parts(), expected);
        const QList<Food> &options = setMeal.arrSuiteFoods.at(1).arrSuiteFoodsChange;
        QCOMPARE(QList<float>({options.at(0).changeAmt, options.at(1).changeAmt}),
                 QList<float>({5.0f, -3.0f}));
        QCOMPARE(options.at(1).info->FoodType + options.at(1).suitno + options.at(1).info->foodName,
                 u"MT1青菜"_s);
        QVERIFY(!setMeal.arrSuiteFoods.at(2).hasChangeFoods());

        // Loading again replaces the lists rather than adding to them.
        base->db.getTFoodDataWithFood(setMeal);
        QCOMPARE(parts(), expected);

        // A reader without a database clears what the set meal had.
        DBManager unopened;
        unopened.getTFoodDataWithFood(setMeal);
        QVERIFY(setMeal.arrSuiteFoods.isEmpty());
    }

    // A package without a base data leaves the one in use in place.
    void packageWithoutBaseDataKeepsTheCurrentOne()
    {
        auto first = installPackage(u"pkg1"_s, u"一号店"_s);
        DBManager &db = DBManager::defaultManager();
        QCOMPARE(storeName(db), u"name StoreName=一号店"_s);
        QDir(home->path()).mkpath(u"pkg3"_s);
        selectPackage(u"pkg3"_s);
        db.setup();
        QCOMPARE(storeName(db), u"name StoreName=一号店"_s);
    }

    void unreadableDatabaseGivesEmptyResults()
    {
        auto fixture = installPackage(u"pkg1"_s, u"一号店"_s);
        DBManager &db = DBManager::defaultManager();
        const QString path = fixture->path();
        fixture.reset();
        QVERIFY(QFile::remove(path));
        QCOMPARE(storeName(db), u"name ="_s);
        QVERIFY(!QFile::exists(path)); // read only: never created anew

        QFile file(path); // a file that is no database
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no database, just text long enough to look like a file header....");
        file.close();
        DBManager::resetForTests();
        QCOMPARE(storeName(DBManager::defaultManager()), u"name ="_s);
    }

    // The all-rooms and all-dishes pseudo-entries in the language chosen.
    void languageChangeRenamesTheAllRoom()
    {
        auto fixture = installPackage(u"pkg1"_s, u"一号店"_s);
        fixture->exec(u"insert into RoomInfo values ('1', '大厅');"
                      "insert into FoodSmallCatInfo (scatno, scatName, bcatNo) values ('11', '拌菜', '1')"_s);
        DBManager &db = DBManager::defaultManager();
        QList<RoomInfo> rooms;
        db.getAllRooms([&](const QList<RoomInfo> &r) { rooms = r; });
        QCOMPARE(rooms.at(0).roomName, u"所有"_s);

        QTemporaryDir resources;
        loadEnglish(resources, R"({"所有": "All rooms", "全部": "Everything"})", true); // posts the change
        QCOMPARE(read(db, u"category tree"_s, {}), (QStringList{u"-no:Everything="_s, QString()}));
        QCOMPARE(db.allRooms().size(), 2);
        QCOMPARE(db.allRooms().at(0).roomName + db.allRooms().at(1).roomName, u"All rooms大厅"_s);
        db.getAllRooms([&](const QList<RoomInfo> &r) { rooms = r; });
        QCOMPARE(rooms.at(0).roomName, u"All rooms"_s);

        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        QCOMPARE(db.allRooms().at(0).roomName, u"所有"_s);
    }
};

QTEST_GUILESS_MAIN(TestStorageBaseData)
#include "tst_storage_basedata.moc"

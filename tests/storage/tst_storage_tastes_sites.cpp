#include "BaseDataFixture.h"
#include "storage/DBManager.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
QStringList tasteNos(const QList<TasteInfo> &tastes)
{
    return mapped(tastes, [](const TasteInfo &t) { return t.TasteNo; });
}
} // namespace

// Cooking methods with the bound pseudo-category, rooms, tables, reasons, store parameters, cashiers.
class TestStorageTastesSites : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<BaseDataFixture> fixture;
    std::unique_ptr<DBManager> db;

private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        fixture = std::make_unique<BaseDataFixture>(dir->filePath(u"PadBaseData.db"_s));
        db = std::make_unique<DBManager>();
        db->setupDBPath(fixture->path());
        fixture->exec(
            u"insert into TasteCatInfo values ('1', '口味', 'P'), ('9', '整单', 'B'), ('2', '做法', 'P');"
            "insert into TasteInfo values ('11', '少盐', '1', '1', 'A', 2), ('21', '清蒸', '2', NULL,"
            " NULL, 0), ('12', '加辣', '1', '', 'P', 10.5), ('91', '打包', '9', '', 'A', 1);"
            "insert into FoodTasteInfo values ('F1', '21'), ('F1', '11'), ('F2', 'none'),"
            " ('F1', '21')"_s);
    }

    void cleanup()
    {
        db.reset();
        fixture.reset();
    }

    void tastesByStyle_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("foodno");
        QTest::addColumn<QStringList>("categories");
        // "-1" maps to the bound methods in table order, once per binding row.
        QTest::addColumn<QStringList>("bound");
        QTest::newRow("line style, bound dish") << u"P"_s << u"F1"_s << QStringList({u"-1"_s, u"1"_s, u"2"_s})
                                                << QStringList({u"11"_s, u"21"_s, u"21"_s});
        QTest::newRow("binding to an unknown method")
            << u"P"_s << u"F2"_s << QStringList({u"-1"_s, u"1"_s, u"2"_s}) << QStringList();
        QTest::newRow("line style, no bindings")
            << u"P"_s << u"F3"_s << QStringList({u"1"_s, u"2"_s}) << QStringList();
        QTest::newRow("order style ignores bindings")
            << u"B"_s << u"F1"_s << QStringList({u"9"_s}) << QStringList();
        QTest::newRow("unknown style") << u"X"_s << u"F1"_s << QStringList() << QStringList();
    }

    void tastesByStyle()
    {
        QFETCH(QString, style);
        QFETCH(QString, foodno);
        QFETCH(QStringList, categories);
        QFETCH(QStringList, bound);

        QList<TasteCatInfo> cats;
        QList<TasteInfo> all;
        DBManager::TasteMap byCategory;
        db->getTasteInfoByStyle(
            style, foodno,
            [&](const QList<TasteCatInfo> &c, const QList<TasteInfo> &t, const DBManager::TasteMap &m) {
                cats = c;
                all = t;
                byCategory = m;
            });
        const QStringList catNos = mapped(cats, [](const TasteCatInfo &c) { return c.TasteCatNo; });
        QCOMPARE(catNos, categories);
        QCOMPARE(tasteNos(all), QStringList({u"11"_s, u"21"_s, u"12"_s, u"91"_s}));
        QCOMPARE(byCategory.size(), categories.size());
        if (catNos.value(0) == u"-1"_s) {
            QCOMPARE(cats.at(0).TasteCatName + cats.at(0).TasteCatStyle, u"绑定做法P"_s);
            QCOMPARE(tasteNos(byCategory.value(u"-1"_s)), bound);
        }
        if (catNos.contains(u"1"_s)) {
            QCOMPARE(tasteNos(byCategory.value(u"1"_s)), QStringList({u"11"_s, u"12"_s}));
            QCOMPARE(cats.at(catNos.indexOf(u"1"_s)).TasteCatName, u"口味"_s);
        }
    }

    void tasteColumnsFillTheirFields()
    {
        QList<TasteInfo> all;
        db->getTasteInfoByStyle(u"P"_s, u"F3"_s,
                                [&](const auto &, const QList<TasteInfo> &t, const auto &) { all = t; });
        QCOMPARE(all.at(0).fullInfoString(), u"11|少盐|1|1|A|2.000000"_s);
        QCOMPARE(all.at(1).fullInfoString(), u"21|清蒸|2|||0.000000"_s); // NULL styles read as empty
        QCOMPARE(all.at(2).fullInfoString(), u"12|加辣|1||P|10.500000"_s);
        QVERIFY(all.at(2).isAddPercent());
    }

    void boundTastesAnswer_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("foodno");
        QTest::addColumn<bool>("bound");
        QTest::newRow("line style, bound") << u"P"_s << u"F1"_s << true;
        QTest::newRow("line style, not bound") << u"P"_s << u"F3"_s << false;
        QTest::newRow("order style") << u"B"_s << u"F1"_s << false;
        QTest::newRow("style is case-sensitive") << u"p"_s << u"F1"_s << false;
    }

    void boundTastesAnswer()
    {
        QFETCH(QString, style);
        QFETCH(QString, foodno);
        QFETCH(bool, bound);
        int calls = 0;
        bool answer = !bound;
        db->isFoodHasBindingTasteInfoByStyle(style, foodno, [&](bool has) {
            answer = has;
            ++calls;
        });
        QCOMPARE(calls, 1);
        QCOMPARE(answer, bound);
    }

    void roomsStartWithAllRooms()
    {
        QStringList seen;
        const auto read = [&](const QList<RoomInfo> &r) {
            seen = mapped(r, [](const RoomInfo &room) { return room.roomno + u':' + room.roomName; });
        };
        db->getAllRooms(read);
        QCOMPARE(seen, QStringList({u"all:所有"_s})); // the table is still empty
        fixture->exec(u"insert into RoomInfo values ('2', '大厅'), ('1', '包间')"_s);
        db->getAllRooms(read);
        QCOMPARE(seen, QStringList({u"all:所有"_s, u"2:大厅"_s, u"1:包间"_s}));
        read(db->allRooms());
        QCOMPARE(seen, QStringList({u"all:所有"_s, u"2:大厅"_s, u"1:包间"_s}));
    }

    void tablesAndReasonsInTableOrder()
    {
        fixture->exec(u"insert into DeskInfo values ('A2', '二号桌', '1'), ('A1', '一号桌', NULL);"
                      "insert into RtnReasonInfo values ('2', '上错菜'), ('1', '客人退菜')"_s);
        QStringList seen;
        db->getAllTables([&](const QList<DeskInfo> &desks) {
            for (const DeskInfo &desk : desks)
                seen.append(desk.deskno + u':' + desk.deskName + u':' + desk.roomno);
        });
        db->getAllReason([&](const QList<RtnReasonInfo> &reasons) {
            for (const RtnReasonInfo &reason : reasons)
                seen.append(reason.reasonNo + u':' + reason.reasonName);
        });
        QCOMPARE(seen, QStringList({u"A2:二号桌:1"_s, u"A1:一号桌:"_s, u"2:上错菜"_s, u"1:客人退菜"_s}));
    }

    void storeParameters_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("storeName");
        QTest::addColumn<QString>("dataVer");
        QTest::addColumn<QString>("list"); // every row in table order, without the remarks
        QTest::newRow("one of each") << u"('StoreName', '川味小馆', 'x'), ('BaseDataVer', '20160101', '')"_s
                                     << u"川味小馆"_s << u"20160101"_s
                                     << u"StoreName=川味小馆,BaseDataVer=20160101"_s;
        QTest::newRow("the last row stands") << u"('StoreName', '旧名', ''), ('BaseDataVer', '1', ''),"
                                                " ('StoreName', '新名', ''), ('BaseDataVer', '2', '')"_s
                                             << u"新名"_s << u"2"_s
                                             << u"StoreName=旧名,BaseDataVer=1,StoreName=新名,BaseDataVer=2"_s;
        QTest::newRow("none") << u"('BaseServerVer', '3.1', '')"_s << QString() << QString()
                              << u"BaseServerVer=3.1"_s;
        QTest::newRow("names compare exactly")
            << u"('storename', '小写', '')"_s << QString() << QString() << u"storename=小写"_s;
    }

    void storeParameters()
    {
        QFETCH(QString, rows);
        QFETCH(QString, storeName);
        QFETCH(QString, dataVer);
        QFETCH(QString, list);
        fixture->exec(u"insert into StoreInfo values "_s + rows);
        StoreInfo name{u"stale"_s, u"stale"_s, {}};
        StoreInfo version = name;
        db->getStoreName([&](const StoreInfo &p) { name = p; });
        db->getDataVer([&](const StoreInfo &p) { version = p; });
        QCOMPARE(name.pvalue, storeName);
        QCOMPARE(name.pname, storeName.isEmpty() ? QString() : u"StoreName"_s);
        QCOMPARE(version.pvalue, dataVer);
        QStringList all;
        db->getStoroInfo([&](const QList<StoreInfo> &p) {
            all = mapped(p, [](const StoreInfo &i) { return i.pname + u'=' + i.pvalue + i.remark; });
        });
        QCOMPARE(all.join(u','), list);
    }

    void cashierById_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pass");
        QTest::newRow("the last row stands") << u"007"_s << u"王五"_s << u"new"_s;
        QTest::newRow("single") << u"008"_s << u"赵六"_s << u""_s;
        QTest::newRow("unknown") << u"009"_s << QString() << QString();
        QTest::newRow("quote in the id") << u"007' or '1'='1"_s << QString() << QString();
    }

    void cashierById()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, pass);
        fixture->exec(u"insert into CashierInfo values ('007', '张三', 'NNN', 'old'),"
                      " ('007', '王五', 'NNNNNNNNNNNNNNNNNNNY', 'new'), ('008', '赵六', NULL, NULL)"_s);
        CashierInfo cashier{u"stale"_s, u"stale"_s, u"stale"_s, u"stale"_s};
        db->getCashierInfoWithId(id, [&](const CashierInfo &c) { cashier = c; });
        QCOMPARE(cashier.cashierName, name);
        QCOMPARE(cashier.userPass, pass);
        QCOMPARE(cashier.cashierID, name.isEmpty() ? QString() : id);
        QCOMPARE(cashier.hasZengSongAuth(), id == u"007"_s);
    }
};

QTEST_GUILESS_MAIN(TestStorageTastesSites)
#include "tst_storage_tastes_sites.moc"

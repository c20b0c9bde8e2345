#include "BaseDataFixture.h"
#include "foundation/AppPaths.h"
#include "foundation/SettingsKeys.h"
#include "settings/ConfigManager.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "storage/DBManager.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The base-data connection: which file it reads, when it switches, what a missing file gives.
class TestStorageLifecycle : public QObject {
    Q_OBJECT
private:
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

    static QString storeName(DBManager &db)
    {
        QString name = u"<no callback>"_s;
        db.getStoreName([&](const StoreInfo &p) { name = p.pvalue; });
        return name;
    }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        AppPaths::setHome(home->path());
        SettingsStore::setShared(std::make_shared<IniSettingsStore>(home->filePath(u"settings.ini"_s)));
        ConfigManager::resetDefaultManager();
        LanguageManager::defaultManager().reset();
        DBManager::resetForTests();
    }

    void cleanup()
    {
        DBManager::resetForTests();
        LanguageManager::defaultManager().reset();
    }

    void setupFollowsANewPackage()
    {
        auto first = installPackage(u"pkg1"_s, u"一号店"_s);
        DBManager &db = DBManager::defaultManager();
        QCOMPARE(storeName(db), u"一号店"_s);
        auto second = installPackage(u"pkg2"_s, u"二号店"_s);
        QCOMPARE(storeName(db), u"一号店"_s); // until told to reopen
        db.setup();
        QCOMPARE(storeName(db), u"二号店"_s);

        // A package without a database leaves the current one in place.
        QDir(home->path()).mkpath(u"pkg3"_s);
        selectPackage(u"pkg3"_s);
        db.setup();
        QCOMPARE(storeName(db), u"二号店"_s);
    }

    void missingDatabaseGivesEmptyResults()
    {
        selectPackage(u"nothing-here"_s);
        DBManager &db = DBManager::defaultManager();
        int calls = 0;
        int nonEmpty = 0;
        auto count = [&](bool empty) {
            ++calls;
            if (!empty)
                ++nonEmpty;
        };
        db.getAllFoodBigCat([&](const auto &list) { count(list.isEmpty()); });
        db.getAllFoodSmallCat([&](const auto &list) { count(list.isEmpty()); });
        db.getAllFoodInfo([&](const auto &list) { count(list.isEmpty()); }, false);
        db.getAllFoodInfo([&](const auto &list) { count(list.isEmpty()); }, true);
        db.queryFoodInfosWithSql(u"select 1"_s, [&](const auto &list) { count(list.isEmpty()); });
        db.getFoodInfo2([&](const auto &list) { count(list.isEmpty()); });
        db.getFoodItemsizeWithFoodno(u"1"_s, [&](const auto &list) { count(list.isEmpty()); });
        db.isFoodHasBindingTasteInfoByStyle(u"P"_s, u"1"_s, [&](bool bound) { count(!bound); });
        db.getTasteInfoByStyle(u"P"_s, u"1"_s, [&](const auto &cats, const auto &tastes, const auto &map) {
            count(cats.isEmpty() && tastes.isEmpty() && map.isEmpty());
        });
        db.getAllTables([&](const auto &list) { count(list.isEmpty()); });
        db.getAllReason([&](const auto &list) { count(list.isEmpty()); });
        db.getStoroInfo([&](const auto &list) { count(list.isEmpty()); });
        db.getStoreName([&](const StoreInfo &p) { count(p.pname.isEmpty() && p.pvalue.isEmpty()); });
        db.getDataVer([&](const StoreInfo &p) { count(p.pname.isEmpty() && p.pvalue.isEmpty()); });
        db.getCashierInfoWithId(u"1"_s, [&](const CashierInfo &c) { count(c.cashierID.isEmpty()); });
        // The menu learns from the pseudo-category that nothing could be read.
        db.getFoodCatInfo([&](const QList<FoodBigCatInfo> &cats, const DBManager::SmallCatMap &map) {
            count(cats.size() == 1 && cats.at(0).bcatno == u"-no"_s && map.isEmpty());
        });
        db.getAllRooms([&](const QList<RoomInfo> &rooms) {
            count(rooms.size() == 1 && rooms.at(0).roomno == u"all"_s);
        });
        QCOMPARE(calls, 17);
        QCOMPARE(nonEmpty, 0);
    }

    void unreadableDatabaseGivesEmptyResults()
    {
        auto fixture = installPackage(u"pkg1"_s, u"一号店"_s);
        DBManager &db = DBManager::defaultManager();
        const QString path = fixture->path();
        fixture.reset();
        QVERIFY(QFile::remove(path));
        QCOMPARE(storeName(db), QString());
        QVERIFY(!QFile::exists(path)); // read only: never created anew

        QFile file(path); // a file that is no database
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is no database, just text long enough to look like a file header....");
        file.close();
        DBManager::resetForTests();
        QCOMPARE(storeName(DBManager::defaultManager()), QString());
    }

    void languageChangeRenamesTheAllRoom()
    {
        QTemporaryDir resources;
        QFile file(resources.filePath(LanguageManager::kEnglish));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(R"({"所有": "All rooms"})") > 0);
        file.close();
        AppPaths::setResourcesDir(resources.path());

        auto fixture = installPackage(u"pkg1"_s, u"一号店"_s);
        fixture->exec(u"insert into RoomInfo values ('1', '大厅')"_s);
        DBManager &db = DBManager::defaultManager();
        QList<RoomInfo> rooms;
        db.getAllRooms([&](const QList<RoomInfo> &r) { rooms = r; });
        QCOMPARE(rooms.at(0).roomName, u"所有"_s);

        LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish); // posts the change
        QCOMPARE(db.allRooms().size(), 2);
        QCOMPARE(db.allRooms().at(0).roomName + db.allRooms().at(1).roomName, u"All rooms大厅"_s);
        db.getAllRooms([&](const QList<RoomInfo> &r) { rooms = r; });
        QCOMPARE(rooms.at(0).roomName, u"All rooms"_s);

        LanguageManager::defaultManager().loadLanguage(LanguageManager::kChinese);
        QCOMPARE(db.allRooms().at(0).roomName, u"所有"_s);
    }
};

QTEST_GUILESS_MAIN(TestStorageLifecycle)
#include "tst_storage_lifecycle.moc"

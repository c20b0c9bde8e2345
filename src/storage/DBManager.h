#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/TasteInfo.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class SerialDatabase;

// The only access path to the two local databases: the base data "PadBaseData.db" of the data
// folder (read only) and the terminal's own "main" in the app home (held orders, table `guadan`).
// Every operation is synchronous and serialised per database; it closes its connection and then
// calls its callback on the calling thread before returning. A database that cannot be opened or a
// statement that fails yields empty lists, empty records or false, and the callback is still called.
class DBManager {
public:
    template <typename... Results> using Callback = std::function<void(Results...)>;
    using SmallCatMap = QHash<QString, QList<FoodSmallCatInfo>>;
    using TasteMap = QHash<QString, QList<TasteInfo>>;

    // Base data: opens "PadBaseData.db" of the data folder and follows language changes.
    static DBManager &defaultManager();
    // Held orders: creates "<home>/main" when missing and opens it.
    static DBManager &mainDBManager();
    // Drops both instances; the next use builds them again from the current settings and home.
    static void resetForTests();

    // A manager with no database open yet; `setupDBPath` gives it the base data.
    DBManager();
    ~DBManager();
    DBManager(const DBManager &) = delete;
    DBManager &operator=(const DBManager &) = delete;

    // Opens the base data of the current data folder again (after a new package was unpacked).
    void setup();
    // Switches to the base data at `path` when that file exists; otherwise keeps the current one.
    void setupDBPath(const QString &path);

    static QString mainDBPath();
    static bool isMainDBExists();
    // True when the main database exists or was just created with its `guadan` table.
    static bool createMainDBIfNotExists();

    // Gives the "all" rooms of `allRooms` the current language's name.
    void initLanguage();
    // The room list last built by getAllRooms.
    QList<RoomInfo> allRooms() const;

    // Big categories in table order, and each one's small categories under its `bcatno`. With no big
    // category at all, the single pseudo-category "-no" / "全部" and an empty map.
    void getFoodCatInfo(const Callback<const QList<FoodBigCatInfo> &, const SmallCatMap &> &callback);
    void getAllFoodBigCat(const Callback<const QList<FoodBigCatInfo> &> &callback);
    // Without the layout fields.
    void getAllFoodSmallCat(const Callback<const QList<FoodSmallCatInfo> &> &callback);
    // The temporary dishes when `isTemp`, else the others; a dish whose flag is NULL is in neither.
    void getAllFoodInfo(const Callback<const QList<Food> &> &callback, bool isTemp);
    // Any statement that selects the dish columns in the order of getAllFoodInfo. User text must go
    // into `parameters`, bound to the statement's "?" in order, never into `sql`.
    void queryFoodInfosWithSql(const QString &sql, const Callback<const QList<Food> &> &callback,
                               const QStringList &parameters = {});
    // `foodno`, `foodName`, `spellName` and `salePrice1` of every dish, by `foodno`.
    void getFoodInfo2(const Callback<const QList<FoodInfo> &> &callback);
    void getFoodItemsizeWithFoodno(const QString &foodno,
                                   const Callback<const QList<FoodItemsize> &> &callback);
    // Loads a set meal's components (by `fIndex`) and each component's exchange options into `food`.
    void getTFoodDataWithFood(Food &food);

    // True when `style` is "P" and cooking methods are bound to the dish.
    void isFoodHasBindingTasteInfoByStyle(const QString &style, const QString &foodno,
                                          const Callback<bool> &callback);
    // The categories of `style` (headed by "-1" / "绑定做法" when style "P" finds methods bound to the
    // dish), all cooking methods, and each category's methods under its `TasteCatNo`.
    void getTasteInfoByStyle(
        const QString &style, const QString &foodno,
        const Callback<const QList<TasteCatInfo> &, const QList<TasteInfo> &, const TasteMap &> &callback);

    // Headed by the pseudo-room "all"; also kept as `allRooms`.
    void getAllRooms(const Callback<const QList<RoomInfo> &> &callback);
    void getAllTables(const Callback<const QList<DeskInfo> &> &callback);
    void getAllReason(const Callback<const QList<RtnReasonInfo> &> &callback);
    // `pname` and `pvalue` of every store parameter.
    void getStoroInfo(const Callback<const QList<StoreInfo> &> &callback);
    // The "StoreName" parameter; the last one when there are several, an empty record when none.
    void getStoreName(const Callback<const StoreInfo &> &callback);
    // The "BaseDataVer" parameter, as getStoreName.
    void getDataVer(const Callback<const StoreInfo &> &callback);
    // The operator with that number; the last one when there are several, an empty record when none.
    void getCashierInfoWithId(const QString &cashierID, const Callback<const CashierInfo &> &callback);

    // Stores a held order with the current time; true when it was inserted.
    void saveOrderPack(const QString &content, const Callback<bool> &result);
    // The held orders, newest first.
    void getOrderPacks(const Callback<const QList<Guadan> &> &callback);
    // True when the statement ran, also when no held order had that number.
    void deleteGuadanById(qint64 gid, const Callback<bool> &result);

    // A damaged held-order store (not a database, corrupt, its table gone) is moved aside as
    // "main.damaged-<time>" and a fresh one created, and the waiter is told once. Checked when the
    // store is first used and again whenever a held-order operation fails; the operation is then
    // run once more on the fresh store. True when a damaged store was replaced.
    bool healMainDB();

private:
    std::shared_ptr<SerialDatabase> baseData() const;
    std::shared_ptr<SerialDatabase> mainData() const;
    void openMainDB(const QString &path);
    void listenToLanguageChanges();
    StoreInfo storeParameter(const char *sql);

    mutable QMutex stateMutex_;
    std::shared_ptr<SerialDatabase> queue_;
    std::shared_ptr<SerialDatabase> mainQueue_;
    QList<RoomInfo> allRooms_;
    // Owns the "kLanguageChanged" subscription, which ends with it.
    std::unique_ptr<QObject> languageObserver_;
};

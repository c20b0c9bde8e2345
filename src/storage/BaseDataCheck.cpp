#include "storage/BaseDataCheck.h"

#include "storage/SqlStatement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

// The columns each catalogue query reads. Without the first three the menu is empty; the others
// are read when the package has them (layout columns of the small categories are optional anyway).
struct Table {
    const char *name;
    const char *select;
    bool required;
};
constexpr Table kTables[] = {
    {"FoodBigCatInfo", "select bcatno, bcatName from FoodBigCatInfo", true},
    {"FoodSmallCatInfo", "select scatno, scatName, bcatNo from FoodSmallCatInfo", true},
    {"FoodInfo",
     "select foodno, catno, foodName, foodSubName, FoodType, currpriceFlag, TjFlag, TempFoodFlag, spellName, "
     "salePrice1, salePrice2, salePrice3, MemberPrice, unitname, itemsize, Remark from FoodInfo",
     true},
    {"FoodItemsize", "select foodno, itemsize, salePrice1 from FoodItemsize", false},
    {"SuitFoodInfo", "select suitno, foodno, foodQty, forceChange, fIndex from SuitFoodInfo", false},
    {"SuitFoodChange", "select suitno, foodno, changeFoodno, changeAmt from SuitFoodChange", false},
    {"TasteCatInfo", "select TasteCatNo, TasteCatName, TasteCatStyle from TasteCatInfo", false},
    {"TasteInfo", "select TasteNo, TasteName, TasteCatNo, QtyStyle, AmtStyle, TasteAmt from TasteInfo",
     false},
    {"FoodTasteInfo", "select foodno, tasteno from FoodTasteInfo", false},
    {"RoomInfo", "select roomno, roomName from RoomInfo", false},
    {"DeskInfo", "select deskno, deskName, roomno from DeskInfo", false},
    {"RtnReasonInfo", "select reasonNo, reasonName from RtnReasonInfo", false},
    {"StoreInfo", "select pname, pvalue, remark from StoreInfo", false},
    {"CashierInfo", "select cashierID, cashierName, userAuth, userPass from CashierInfo", false},
};

bool hasTable(sqlite3 *db, const char *name)
{
    SqlStatement query(db, "select 1 from sqlite_master where type = 'table' and name = ? collate nocase");
    query.bind(1, QString::fromLatin1(name));
    return query.step();
}

struct Closer {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};

} // namespace

namespace BaseDataCheck {

std::optional<QString> problem(const QString &folder)
{
    const QString path = folder + QStringLiteral("/PadBaseData.db");
    const QFileInfo file(path);
    if (file.isSymLink() || !file.isFile())
        return QStringLiteral("no PadBaseData.db file");
    sqlite3 *opened = nullptr;
    const int status = sqlite3_open_v2(QFile::encodeName(path).constData(), &opened,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, Closer> db(opened);
    if (status != SQLITE_OK)
        return QStringLiteral("PadBaseData.db does not open");
    // Every row is read, so a file cut short or damaged inside a table is noticed too.
    for (const Table &table : kTables) {
        if (!table.required && !hasTable(db.get(), table.name))
            continue;
        SqlStatement query(db.get(), table.select);
        while (query.step()) {
        }
        if (query.failed())
            return QStringLiteral("PadBaseData.db cannot be read: ") + QString::fromLatin1(table.select);
    }
    return std::nullopt;
}

} // namespace BaseDataCheck

#include "storage/BaseDataCheck.h"

#include "storage/SqlStatement.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace {

// The columns each catalogue query reads. Layout columns of the small categories are optional.
constexpr const char *kTables[] = {
    "select bcatno, bcatName from FoodBigCatInfo",
    "select scatno, scatName, bcatNo from FoodSmallCatInfo",
    ("select foodno, catno, foodName, foodSubName, FoodType, currpriceFlag, TjFlag, TempFoodFlag, spellName, "
     "salePrice1, salePrice2, salePrice3, MemberPrice, unitname, itemsize, Remark from FoodInfo"),
    "select foodno, itemsize, salePrice1 from FoodItemsize",
    "select suitno, foodno, foodQty, forceChange, fIndex from SuitFoodInfo",
    "select suitno, foodno, changeFoodno, changeAmt from SuitFoodChange",
    "select TasteCatNo, TasteCatName, TasteCatStyle from TasteCatInfo",
    "select TasteNo, TasteName, TasteCatNo, QtyStyle, AmtStyle, TasteAmt from TasteInfo",
    "select foodno, tasteno from FoodTasteInfo",
    "select roomno, roomName from RoomInfo",
    "select deskno, deskName, roomno from DeskInfo",
    "select reasonNo, reasonName from RtnReasonInfo",
    "select pname, pvalue, remark from StoreInfo",
    "select cashierID, cashierName, userAuth, userPass from CashierInfo",
};

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
    for (const char *sql : kTables) {
        SqlStatement query(db.get(), sql);
        while (query.step()) {
        }
        if (query.failed())
            return QStringLiteral("PadBaseData.db cannot be read: ") + QString::fromLatin1(sql);
    }
    return std::nullopt;
}

} // namespace BaseDataCheck

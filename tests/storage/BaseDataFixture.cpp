#include "BaseDataFixture.h"

#include <sqlite3.h>

namespace {
// cpViewRow/cpViewCol sit before bcatNo on purpose: the small categories are read by column name.
const char kSchema[] = R"sql(
create table FoodBigCatInfo (bcatno text, bcatName text);
create table FoodSmallCatInfo (scatno text, cpViewRow integer, cpViewCol integer, scatName text, bcatNo text);
create table FoodInfo (foodno text, catno text, foodName text, foodSubName text, FoodType text,
  currpriceFlag text, TjFlag text, TempFoodFlag text, spellName text, salePrice1 real, salePrice2 real,
  salePrice3 real, MemberPrice real, unitname text, itemsize text, Remark text);
create table FoodItemsize (foodno text, itemsize text, salePrice1 real);
create table SuitFoodInfo (suitno text, foodno text, foodQty real, forceChange text, fIndex integer);
create table SuitFoodChange (suitno text, foodno text, changeFoodno text, changeAmt real);
create table TasteCatInfo (TasteCatNo text, TasteCatName text, TasteCatStyle text);
create table TasteInfo (TasteNo text, TasteName text, TasteCatNo text, QtyStyle text, AmtStyle text,
  TasteAmt real);
create table FoodTasteInfo (foodno text, tasteno text);
create table RoomInfo (roomno text, roomName text);
create table DeskInfo (deskno text, deskName text, roomno text);
create table RtnReasonInfo (reasonNo text, reasonName text);
create table StoreInfo (pname text, pvalue text, remark text);
create table CashierInfo (cashierID text, cashierName text, userAuth text, userPass text);
)sql";
} // namespace

BaseDataFixture::BaseDataFixture(const QString &path) : path_(path)
{
    if (sqlite3_open(path.toUtf8().constData(), &db_) != SQLITE_OK)
        QTest::qFail("cannot create the base-data fixture", __FILE__, __LINE__);
    else // a fixture need not survive a crash, and syncing every insert makes tests wait on the disk
        exec(u"pragma synchronous = off; pragma journal_mode = memory;"_s + QString::fromUtf8(kSchema));
}

BaseDataFixture::~BaseDataFixture()
{
    sqlite3_close(db_);
}

bool BaseDataFixture::exec(const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return true;
    const QByteArray message = "fixture SQL failed: " + QByteArray(error ? error : "?");
    sqlite3_free(error);
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    return false;
}

std::optional<QStringList> sqlRows(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    QStringList rows;
    const auto keep = [](void *out, int, char **values, char **) {
        static_cast<QStringList *>(out)->append(QString::fromUtf8(values[0]));
        return 0;
    };
    const bool ok =
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, sql.toUtf8().constData(), keep, &rows, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok ? std::optional(rows) : std::nullopt;
}

QList<Guadan> heldOrders()
{
    QList<Guadan> orders;
    DBManager::mainDBManager().getOrderPacks([&](const QList<Guadan> &list) { orders = list; });
    return orders;
}

#include "storage/DBManager.h"

#include "settings/LanguageManager.h"
#include "storage/SerialDatabase.h"
#include "storage/SqlStatement.h"

using namespace Qt::StringLiterals;

namespace {
const QString kAllRoomsNo = u"all"_s;

QString allRoomsName()
{
    return LanguageManager::defaultManager().readString(u"所有"_s);
}

StoreInfo readStoreParameter(const SqlStatement &row)
{
    StoreInfo parameter;
    parameter.pname = row.text(0);
    parameter.pvalue = row.text(1);
    return parameter;
}
} // namespace

void DBManager::getAllRooms(const Callback<const QList<RoomInfo> &> &callback)
{
    QList<RoomInfo> rooms{RoomInfo{kAllRoomsNo, allRoomsName()}};
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select roomno, roomName from RoomInfo");
        rooms += readAllRows(query, [](const SqlStatement &row) {
            return RoomInfo{row.text(0), row.text(1)};
        });
    });
    {
        QMutexLocker lock(&stateMutex_);
        allRooms_ = rooms;
    }
    if (callback)
        callback(rooms);
}

void DBManager::initLanguage()
{
    const QString name = allRoomsName();
    QMutexLocker lock(&stateMutex_);
    for (RoomInfo &room : allRooms_) {
        if (room.roomno == kAllRoomsNo)
            room.roomName = name;
    }
}

QList<RoomInfo> DBManager::allRooms() const
{
    QMutexLocker lock(&stateMutex_);
    return allRooms_;
}

void DBManager::getAllTables(const Callback<const QList<DeskInfo> &> &callback)
{
    QList<DeskInfo> tables;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select deskno, deskName, roomno from DeskInfo");
        tables = readAllRows(query, [](const SqlStatement &row) {
            return DeskInfo{row.text(0), row.text(1), row.text(2)};
        });
    });
    if (callback)
        callback(tables);
}

void DBManager::getAllReason(const Callback<const QList<RtnReasonInfo> &> &callback)
{
    QList<RtnReasonInfo> reasons;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select reasonNo, reasonName from RtnReasonInfo");
        reasons = readAllRows(query, [](const SqlStatement &row) {
            return RtnReasonInfo{row.text(0), row.text(1)};
        });
    });
    if (callback)
        callback(reasons);
}

void DBManager::getStoroInfo(const Callback<const QList<StoreInfo> &> &callback)
{
    QList<StoreInfo> parameters;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, "select pname, pvalue, remark from StoreInfo");
        parameters = readAllRows(query, readStoreParameter);
    });
    if (callback)
        callback(parameters);
}

StoreInfo DBManager::storeParameter(const char *sql)
{
    QList<StoreInfo> rows;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(db, sql);
        rows = readAllRows(query, readStoreParameter);
    });
    return rows.isEmpty() ? StoreInfo() : rows.constLast();
}

void DBManager::getStoreName(const Callback<const StoreInfo &> &callback)
{
    const StoreInfo parameter =
        storeParameter("select pname, pvalue, remark from StoreInfo where pname = 'StoreName'");
    if (callback)
        callback(parameter);
}

void DBManager::getDataVer(const Callback<const StoreInfo &> &callback)
{
    const StoreInfo parameter =
        storeParameter("select pname, pvalue, remark from StoreInfo where pname = 'BaseDataVer'");
    if (callback)
        callback(parameter);
}

void DBManager::getCashierInfoWithId(const QString &cashierID, const Callback<const CashierInfo &> &callback)
{
    QList<CashierInfo> rows;
    runOn(baseData(), [&](sqlite3 *db) {
        SqlStatement query(
            db, "select cashierID, cashierName, userAuth, userPass from CashierInfo where cashierID = ?");
        query.bind(1, cashierID);
        rows = readAllRows(query, [](const SqlStatement &row) {
            CashierInfo cashier;
            cashier.cashierID = row.text(0);
            cashier.cashierName = row.text(1);
            cashier.userAuth = row.text(2);
            cashier.userPass = row.text(3);
            return cashier;
        });
    });
    const CashierInfo cashier = rows.isEmpty() ? CashierInfo() : rows.constLast();
    if (callback)
        callback(cashier);
}

#include "DiningRoom.h"

#include <filesystem>

namespace {

constexpr const char *kSchema = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = NORMAL;
CREATE TABLE IF NOT EXISTS open_desk(
    deskNo TEXT PRIMARY KEY, custCount TEXT, waiterMan TEXT);
CREATE TABLE IF NOT EXISTS sale_line(
    itemseq INTEGER PRIMARY KEY AUTOINCREMENT, deskNo TEXT NOT NULL, pluno TEXT, pluName TEXT,
    unitName TEXT, itemsize TEXT, smallCatNo TEXT, bigCatNo TEXT, saleQty REAL, salePrice REAL,
    sellWay TEXT, havePrtFlag TEXT, FoodType TEXT, FlagGroup TEXT, printState TEXT, suitNo TEXT,
    suitIndex TEXT, orgFoodNo TEXT, tasteDef TEXT, tasteManual TEXT, tasteFixed REAL,
    tastePercent REAL, authId TEXT, flowNo TEXT, cashierId TEXT);
CREATE INDEX IF NOT EXISTS sale_line_desk ON sale_line(deskNo);
CREATE TABLE IF NOT EXISTS stock(foodNo TEXT PRIMARY KEY, initQty REAL, saleQty REAL);
CREATE TABLE IF NOT EXISTS order_flow(
    devSerial TEXT NOT NULL, flowNo TEXT NOT NULL, returnMsg TEXT, content TEXT,
    PRIMARY KEY(devSerial, flowNo));
CREATE TABLE IF NOT EXISTS operator_login(cashierId TEXT PRIMARY KEY);
CREATE TABLE IF NOT EXISTS operator_password(cashierId TEXT PRIMARY KEY, password TEXT);
CREATE TABLE IF NOT EXISTS desk_event(
    id INTEGER PRIMARY KEY AUTOINCREMENT, command TEXT, deskNo TEXT, catNo TEXT, foodNo TEXT,
    qty REAL, reasonNo TEXT, reasonName TEXT, userId TEXT, cashierId TEXT);
)sql";

constexpr const char *kLineColumns =
    "itemseq, deskNo, pluno, pluName, unitName, itemsize, smallCatNo, bigCatNo, saleQty, salePrice, "
    "sellWay, havePrtFlag, FoodType, FlagGroup, printState, suitNo, suitIndex, orgFoodNo, tasteDef, "
    "tasteManual, tasteFixed, tastePercent, authId, flowNo, cashierId";

SaleLine readLine(const SqliteStatement &row)
{
    SaleLine line;
    line.itemseq = row.integer(0);
    line.deskNo = row.text(1);
    line.pluno = row.text(2);
    line.pluName = row.text(3);
    line.unitName = row.text(4);
    line.itemsize = row.text(5);
    line.smallCatNo = row.text(6);
    line.bigCatNo = row.text(7);
    line.saleQty = row.real(8);
    line.salePrice = row.real(9);
    line.sellWay = row.text(10);
    line.havePrtFlag = row.text(11);
    line.foodType = row.text(12);
    line.flagGroup = row.text(13);
    line.printState = row.text(14);
    line.suitNo = row.text(15);
    line.suitIndex = row.text(16);
    line.orgFoodNo = row.text(17);
    line.tasteDef = row.text(18);
    line.tasteManual = row.text(19);
    line.tasteFixed = row.real(20);
    line.tastePercent = row.real(21);
    line.authId = row.text(22);
    line.flowNo = row.text(23);
    line.cashierId = row.text(24);
    return line;
}

} // namespace

bool DiningRoomStore::open(const std::string &stateFolder, bool fresh, std::string &error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(stateFolder, ec);
    if (!fs::is_directory(stateFolder, ec)) {
        error = "cannot create the state folder " + stateFolder;
        return false;
    }
    const fs::path file = fs::path(stateFolder) / "devserver.db";
    if (fresh) {
        for (const char *suffix : {"", "-wal", "-shm"})
            fs::remove(file.string() + suffix, ec);
    }
    std::lock_guard lock(mutex_);
    if (!db_.open(file.string(), false, error))
        return false;
    if (!db_.exec(kSchema, &error)) {
        error = file.string() + ": " + error;
        db_.close();
        return false;
    }
    // A state file from before packs' contents were kept gains the column; its old rows stay NULL.
    if (!SqliteStatement(db_, "select content from order_flow limit 0").ok() &&
        !db_.exec("ALTER TABLE order_flow ADD COLUMN content TEXT", &error)) {
        error = file.string() + ": " + error;
        db_.close();
        return false;
    }
    return true;
}

void DiningRoom::check(bool ok)
{
    if (!ok)
        failed_ = true;
}

std::optional<OpenDesk> DiningRoom::openDesk(const std::string &deskNo)
{
    SqliteStatement query(db_, "select deskNo, custCount, waiterMan from open_desk where deskNo = ?");
    check(query.ok());
    query.bind(1, deskNo);
    if (!query.next())
        return std::nullopt;
    return OpenDesk{query.text(0), query.text(1), query.text(2)};
}

std::map<std::string, OpenDesk> DiningRoom::openDesks()
{
    std::map<std::string, OpenDesk> desks;
    SqliteStatement query(db_, "select deskNo, custCount, waiterMan from open_desk");
    check(query.ok());
    while (query.next())
        desks[query.text(0)] = OpenDesk{query.text(0), query.text(1), query.text(2)};
    return desks;
}

void DiningRoom::openTable(const OpenDesk &desk)
{
    SqliteStatement insert(db_, "insert into open_desk(deskNo, custCount, waiterMan) values(?, ?, ?)");
    check(insert.bind(1, desk.deskNo).bind(2, desk.custCount).bind(3, desk.waiterMan).run());
}

void DiningRoom::updateDesk(const OpenDesk &desk)
{
    SqliteStatement update(db_, "update open_desk set custCount = ?, waiterMan = ? where deskNo = ?");
    check(update.bind(1, desk.custCount).bind(2, desk.waiterMan).bind(3, desk.deskNo).run());
}

void DiningRoom::closeDesk(const std::string &deskNo)
{
    SqliteStatement remove(db_, "delete from open_desk where deskNo = ?");
    check(remove.bind(1, deskNo).run());
}

void DiningRoom::moveLines(const std::string &fromDesk, const std::string &toDesk)
{
    SqliteStatement move(db_, "update sale_line set deskNo = ? where deskNo = ?");
    check(move.bind(1, toDesk).bind(2, fromDesk).run());
}

std::vector<SaleLine> DiningRoom::lines(const std::string &deskNo)
{
    const std::string sql =
        std::string("select ") + kLineColumns + " from sale_line where deskNo = ? order by itemseq";
    SqliteStatement query(db_, sql.c_str());
    check(query.ok());
    query.bind(1, deskNo);
    std::vector<SaleLine> lines;
    while (query.next())
        lines.push_back(readLine(query));
    return lines;
}

std::optional<SaleLine> DiningRoom::line(std::int64_t itemseq)
{
    const std::string sql = std::string("select ") + kLineColumns + " from sale_line where itemseq = ?";
    SqliteStatement query(db_, sql.c_str());
    check(query.ok());
    query.bind(1, itemseq);
    if (!query.next())
        return std::nullopt;
    return readLine(query);
}

std::int64_t DiningRoom::addLine(const SaleLine &line)
{
    SqliteStatement insert(
        db_, "insert into sale_line(deskNo, pluno, pluName, unitName, itemsize, smallCatNo, bigCatNo, "
             "saleQty, salePrice, sellWay, havePrtFlag, FoodType, FlagGroup, printState, suitNo, suitIndex, "
             "orgFoodNo, tasteDef, tasteManual, tasteFixed, tastePercent, authId, flowNo, cashierId) "
             "values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, line.deskNo).bind(2, line.pluno).bind(3, line.pluName).bind(4, line.unitName);
    insert.bind(5, line.itemsize).bind(6, line.smallCatNo).bind(7, line.bigCatNo).bind(8, line.saleQty);
    insert.bind(9, line.salePrice).bind(10, line.sellWay).bind(11, line.havePrtFlag).bind(12, line.foodType);
    insert.bind(13, line.flagGroup).bind(14, line.printState).bind(15, line.suitNo).bind(16, line.suitIndex);
    insert.bind(17, line.orgFoodNo).bind(18, line.tasteDef).bind(19, line.tasteManual);
    insert.bind(20, line.tasteFixed).bind(21, line.tastePercent).bind(22, line.authId);
    insert.bind(23, line.flowNo).bind(24, line.cashierId);
    check(insert.run());
    return sqlite3_last_insert_rowid(db_.handle());
}

void DiningRoom::setLineQty(std::int64_t itemseq, double qty)
{
    SqliteStatement update(db_, "update sale_line set saleQty = ? where itemseq = ?");
    check(update.bind(1, qty).bind(2, itemseq).run());
}

void DiningRoom::setLineFlag(std::int64_t itemseq, const std::string &havePrtFlag,
                             const std::string &printState)
{
    SqliteStatement update(db_, "update sale_line set havePrtFlag = ?, printState = ? where itemseq = ?");
    check(update.bind(1, havePrtFlag).bind(2, printState).bind(3, itemseq).run());
}

void DiningRoom::deleteLine(std::int64_t itemseq)
{
    SqliteStatement remove(db_, "delete from sale_line where itemseq = ?");
    check(remove.bind(1, itemseq).run());
}

std::optional<StockEntry> DiningRoom::stock(const std::string &foodNo)
{
    SqliteStatement query(db_, "select foodNo, initQty, saleQty from stock where foodNo = ?");
    check(query.ok());
    query.bind(1, foodNo);
    if (!query.next())
        return std::nullopt;
    return StockEntry{query.text(0), query.real(1), query.real(2)};
}

std::vector<StockEntry> DiningRoom::allStock()
{
    SqliteStatement query(db_, "select foodNo, initQty, saleQty from stock order by foodNo");
    check(query.ok());
    std::vector<StockEntry> entries;
    while (query.next())
        entries.push_back({query.text(0), query.real(1), query.real(2)});
    return entries;
}

void DiningRoom::setStock(const StockEntry &entry)
{
    SqliteStatement upsert(db_, "insert or replace into stock(foodNo, initQty, saleQty) values(?, ?, ?)");
    check(upsert.bind(1, entry.foodNo).bind(2, entry.initQty).bind(3, entry.saleQty).run());
}

std::optional<DiningRoom::HandledFlow> DiningRoom::handledFlow(const std::string &devSerial,
                                                               const std::string &flowNo)
{
    SqliteStatement query(db_,
                          "select returnMsg, content from order_flow where devSerial = ? and flowNo = ?");
    check(query.ok());
    query.bind(1, devSerial).bind(2, flowNo);
    if (!query.next())
        return std::nullopt;
    HandledFlow handled{query.text(0), std::nullopt};
    if (!query.isNull(1))
        handled.content = query.text(1);
    return handled;
}

void DiningRoom::rememberFlow(const std::string &devSerial, const std::string &flowNo,
                              const std::string &returnMsg, const std::string &content)
{
    SqliteStatement insert(
        db_, "insert into order_flow(devSerial, flowNo, returnMsg, content) values(?, ?, ?, ?)");
    check(insert.bind(1, devSerial).bind(2, flowNo).bind(3, returnMsg).bind(4, content).run());
}

bool DiningRoom::isLoggedIn(const std::string &cashierId)
{
    SqliteStatement query(db_, "select 1 from operator_login where cashierId = ?");
    check(query.ok());
    query.bind(1, cashierId);
    return query.next();
}

void DiningRoom::markLoggedIn(const std::string &cashierId)
{
    SqliteStatement insert(db_, "insert or ignore into operator_login(cashierId) values(?)");
    check(insert.bind(1, cashierId).run());
}

std::optional<std::string> DiningRoom::password(const std::string &cashierId)
{
    SqliteStatement query(db_, "select password from operator_password where cashierId = ?");
    check(query.ok());
    query.bind(1, cashierId);
    if (!query.next())
        return std::nullopt;
    return query.text(0);
}

void DiningRoom::setPassword(const std::string &cashierId, const std::string &password)
{
    SqliteStatement upsert(db_, "insert or replace into operator_password(cashierId, password) values(?, ?)");
    check(upsert.bind(1, cashierId).bind(2, password).run());
}

void DiningRoom::addEvent(const DeskEvent &event)
{
    SqliteStatement insert(db_, "insert into desk_event(command, deskNo, catNo, foodNo, qty, reasonNo, "
                                "reasonName, userId, cashierId) values(?, ?, ?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, event.command).bind(2, event.deskNo).bind(3, event.catNo).bind(4, event.foodNo);
    insert.bind(5, event.qty).bind(6, event.reasonNo).bind(7, event.reasonName).bind(8, event.userId);
    check(insert.bind(9, event.cashierId).run());
}

std::vector<DeskEvent> DiningRoom::events()
{
    SqliteStatement query(db_,
                          "select id, command, deskNo, catNo, foodNo, qty, reasonNo, reasonName, userId, "
                          "cashierId from desk_event order by id");
    check(query.ok());
    std::vector<DeskEvent> events;
    while (query.next())
        events.push_back({query.integer(0), query.text(1), query.text(2), query.text(3), query.text(4),
                          query.real(5), query.text(6), query.text(7), query.text(8), query.text(9)});
    return events;
}

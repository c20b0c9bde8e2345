#include "BaseDataDatabase.h"

#include <QFile>
#include <QVariant>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

struct Column {
    const char *name;
    const char *type;
};

using Row = QVariantList;

// Column types as SQLite keeps them in a server export: codes and names are TEXT (so "00001"
// keeps its zeros), amounts REAL, grid sizes and positions INTEGER.
class Writer {
public:
    explicit Writer(sqlite3 *db) : m_db(db) {}

    bool table(const char *name, std::initializer_list<Column> columns, const QList<Row> &rows)
    {
        QByteArray create = "CREATE TABLE " + QByteArray(name) + " (";
        QByteArray insert = "INSERT INTO " + QByteArray(name) + " VALUES (";
        bool first = true;
        for (const Column &column : columns) {
            create += (first ? "" : ", ") + QByteArray(column.name) + ' ' + column.type;
            insert += first ? "?" : ", ?";
            first = false;
        }
        create += ")";
        insert += ")";
        if (!exec(create))
            return false;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(m_db, insert.constData(), -1, &statement, nullptr) != SQLITE_OK)
            return fail(insert);
        for (const Row &row : rows) {
            for (int i = 0; i < row.size(); ++i)
                bind(statement, i + 1, row.at(i));
            if (sqlite3_step(statement) != SQLITE_DONE) {
                sqlite3_finalize(statement);
                return fail(insert);
            }
            sqlite3_reset(statement);
            sqlite3_clear_bindings(statement);
        }
        sqlite3_finalize(statement);
        return true;
    }

    bool exec(const QByteArray &sql)
    {
        if (sqlite3_exec(m_db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            return fail(sql);
        return true;
    }

    QString error() const { return m_error; }

private:
    static void bind(sqlite3_stmt *statement, int index, const QVariant &value)
    {
        if (value.isNull()) {
            sqlite3_bind_null(statement, index);
        } else if (value.typeId() == QMetaType::Double) {
            sqlite3_bind_double(statement, index, value.toDouble());
        } else if (value.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(statement, index, value.toLongLong());
        } else {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
    }

    bool fail(const QByteArray &sql)
    {
        m_error = QString::fromUtf8(sqlite3_errmsg(m_db)) + u" in: "_s + QString::fromUtf8(sql);
        return false;
    }

    sqlite3 *m_db;
    QString m_error;
};

QVariant text(const QString &value)
{
    return value;
}
QVariant text(const std::optional<QString> &value)
{
    return value ? QVariant(*value) : QVariant();
}
QVariant real(double value)
{
    return value;
}
QVariant integer(std::optional<qint64> value)
{
    return value ? QVariant(*value) : QVariant();
}

template <typename Record, typename ToRow> QList<Row> rowsOf(const QList<Record> &records, ToRow toRow)
{
    QList<Row> rows;
    rows.reserve(records.size());
    for (const Record &record : records)
        rows.append(toRow(record));
    return rows;
}

bool writeTables(Writer &w, const Catalogue &c)
{
    return w.table("FoodBigCatInfo", {{"bcatno", "TEXT"}, {"bcatName", "TEXT"}},
                   rowsOf(c.bigCategories,
                          [](const BigCategory &r) {
                              return Row{text(r.bcatno), text(r.bcatName)};
                          })) &&
           w.table("FoodSmallCatInfo",
                   {{"scatno", "TEXT"},
                    {"scatName", "TEXT"},
                    {"bcatNo", "TEXT"},
                    {"cpViewRow", "INTEGER"},
                    {"cpViewCol", "INTEGER"}},
                   rowsOf(c.smallCategories,
                          [](const SmallCategory &r) {
                              return Row{text(r.scatno), text(r.scatName), text(r.bcatNo),
                                         integer(r.cpViewRow), integer(r.cpViewCol)};
                          })) &&
           w.table("FoodInfo",
                   {{"foodno", "TEXT"},
                    {"catno", "TEXT"},
                    {"foodName", "TEXT"},
                    {"foodSubName", "TEXT"},
                    {"FoodType", "TEXT"},
                    {"currpriceFlag", "TEXT"},
                    {"TjFlag", "TEXT"},
                    {"TempFoodFlag", "TEXT"},
                    {"spellName", "TEXT"},
                    {"salePrice1", "REAL"},
                    {"salePrice2", "REAL"},
                    {"salePrice3", "REAL"},
                    {"MemberPrice", "REAL"},
                    {"unitname", "TEXT"},
                    {"itemsize", "TEXT"},
                    {"Remark", "TEXT"}},
                   rowsOf(c.dishes,
                          [](const Dish &r) {
                              return Row{text(r.foodno),      text(r.catno),        text(r.foodName),
                                         text(r.foodSubName), text(r.FoodType),     text(r.currpriceFlag),
                                         text(r.TjFlag),      text(r.TempFoodFlag), text(r.spellName),
                                         real(r.salePrice1),  real(r.salePrice2),   real(r.salePrice3),
                                         real(r.MemberPrice), text(r.unitname),     text(r.itemsize),
                                         text(r.Remark)};
                          })) &&
           w.table("FoodItemsize",
                   {{"foodno", "TEXT"},
                    {"itemsize", "TEXT"},
                    {"salePrice1", "REAL"},
                    {"salePrice2", "REAL"},
                    {"salePrice3", "REAL"},
                    {"MemberPrice", "REAL"}},
                   rowsOf(c.itemSizes,
                          [](const ItemSize &r) {
                              return Row{text(r.foodno),     text(r.itemsize),   real(r.salePrice1),
                                         real(r.salePrice2), real(r.salePrice3), real(r.MemberPrice)};
                          })) &&
           w.table("SuitFoodInfo",
                   {{"suitno", "TEXT"},
                    {"foodno", "TEXT"},
                    {"foodName", "TEXT"},
                    {"foodQty", "REAL"},
                    {"forceChange", "TEXT"},
                    {"fIndex", "INTEGER"},
                    {"itemsize", "TEXT"},
                    {"currpriceFlag", "TEXT"},
                    {"TempFoodFlag", "TEXT"}},
                   rowsOf(c.suitComponents,
                          [](const SuitComponent &r) {
                              return Row{text(r.suitno),   text(r.foodno),        text(r.foodName),
                                         real(r.foodQty),  text(r.forceChange),   QVariant(r.fIndex),
                                         text(r.itemsize), text(r.currpriceFlag), text(r.TempFoodFlag)};
                          })) &&
           w.table("SuitFoodChange",
                   {{"suitno", "TEXT"},
                    {"foodno", "TEXT"},
                    {"changeFoodno", "TEXT"},
                    {"foodName", "TEXT"},
                    {"changeAmt", "REAL"}},
                   rowsOf(c.suitChanges,
                          [](const SuitChange &r) {
                              return Row{text(r.suitno), text(r.foodno), text(r.changeFoodno),
                                         text(r.foodName), real(r.changeAmt)};
                          })) &&
           w.table("TasteCatInfo",
                   {{"TasteCatNo", "TEXT"}, {"TasteCatName", "TEXT"}, {"TasteCatStyle", "TEXT"}},
                   rowsOf(c.tasteCategories,
                          [](const TasteCategory &r) {
                              return Row{text(r.TasteCatNo), text(r.TasteCatName), text(r.TasteCatStyle)};
                          })) &&
           w.table("TasteInfo",
                   {{"TasteNo", "TEXT"},
                    {"TasteName", "TEXT"},
                    {"TasteCatNo", "TEXT"},
                    {"QtyStyle", "TEXT"},
                    {"AmtStyle", "TEXT"},
                    {"TasteAmt", "REAL"}},
                   rowsOf(c.tastes,
                          [](const Taste &r) {
                              return Row{text(r.TasteNo),  text(r.TasteName), text(r.TasteCatNo),
                                         text(r.QtyStyle), text(r.AmtStyle),  real(r.TasteAmt)};
                          })) &&
           w.table("FoodTasteInfo", {{"foodno", "TEXT"}, {"tasteno", "TEXT"}},
                   rowsOf(c.foodTastes,
                          [](const FoodTaste &r) {
                              return Row{text(r.foodno), text(r.tasteno)};
                          })) &&
           w.table("RoomInfo", {{"roomno", "TEXT"}, {"roomName", "TEXT"}},
                   rowsOf(c.rooms,
                          [](const Room &r) {
                              return Row{text(r.roomno), text(r.roomName)};
                          })) &&
           w.table("DeskInfo", {{"deskno", "TEXT"}, {"deskName", "TEXT"}, {"roomno", "TEXT"}},
                   rowsOf(c.desks,
                          [](const Desk &r) {
                              return Row{text(r.deskno), text(r.deskName), text(r.roomno)};
                          })) &&
           w.table("RtnReasonInfo", {{"reasonNo", "TEXT"}, {"reasonName", "TEXT"}},
                   rowsOf(c.returnReasons,
                          [](const ReturnReason &r) {
                              return Row{text(r.reasonNo), text(r.reasonName)};
                          })) &&
           w.table("StoreInfo", {{"pname", "TEXT"}, {"pvalue", "TEXT"}, {"remark", "TEXT"}},
                   rowsOf(c.storeParams,
                          [](const StoreParam &r) {
                              return Row{text(r.pname), text(r.pvalue), text(r.remark)};
                          })) &&
           w.table(
               "CashierInfo",
               {{"cashierID", "TEXT"}, {"cashierName", "TEXT"}, {"userAuth", "TEXT"}, {"userPass", "TEXT"}},
               rowsOf(c.cashiers, [](const Cashier &r) {
                   return Row{text(r.cashierID), text(r.cashierName), text(r.userAuth), text(r.userPass)};
               }));
}

} // namespace

QString writeBaseDataDatabase(const Catalogue &catalogue, const QString &path)
{
    if (QFile::exists(path) && !QFile::remove(path))
        return u"cannot replace "_s + path;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString message = u"cannot create "_s + path + u": "_s + QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return message;
    }
    Writer writer(db);
    // One transaction: fast, and the same file bytes on every run.
    const bool ok = writer.exec("PRAGMA journal_mode = DELETE") && writer.exec("BEGIN") &&
                    writeTables(writer, catalogue) && writer.exec("COMMIT");
    const QString error = ok ? QString() : writer.error();
    sqlite3_close(db);
    if (!ok)
        QFile::remove(path);
    return error;
}

} // namespace demodata

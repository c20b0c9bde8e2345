#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <type_traits>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement with positional parameters (numbered from 1) and columns read by index
// (from 0). A statement that failed to prepare, bind or step reports `failed()` and yields no rows,
// so a caller never has to tell a broken query from an empty one.
class SqlStatement {
public:
    SqlStatement(sqlite3 *db, const char *sql);
    SqlStatement(sqlite3 *db, const QString &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    SqlStatement &bind(int index, const QString &text);
    SqlStatement &bind(int index, qint64 value);
    // Makes the statement ready to run again with new parameters.
    void reset();

    // Advances to the next row; false at the end and on failure.
    bool step();
    // Runs to completion; true when the statement finished without error.
    bool exec();
    bool failed() const { return failed_; }

    // NULL reads as empty text and 0.
    QString text(int column) const;
    // The column's UTF-8 bytes, valid until the next step.
    QByteArrayView utf8(int column) const;
    double real(int column) const;
    qint64 integer(int column) const;
    // The index of the result column named `name`, whatever its case; -1 when there is none.
    int columnIndex(QStringView name) const;

private:
    void prepare(sqlite3 *db, const char *sql, int length);

    sqlite3_stmt *stmt_ = nullptr;
    bool failed_ = false;
};

// Every row of `statement` as `readRow` reads it; no rows at all when the statement fails on the way,
// so a broken database never passes for a shorter list.
template <typename ReadRow> auto readAllRows(SqlStatement &statement, ReadRow readRow)
{
    QList<std::invoke_result_t<ReadRow, const SqlStatement &>> rows;
    while (statement.step())
        rows.append(readRow(statement));
    if (statement.failed())
        rows.clear();
    return rows;
}

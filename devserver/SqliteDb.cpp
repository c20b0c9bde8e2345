#include "SqliteDb.h"

SqliteDb::~SqliteDb()
{
    close();
}

bool SqliteDb::open(const std::string &path, bool readOnly, std::string &error)
{
    close();
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
                      SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        error = db_ ? sqlite3_errmsg(db_) : "cannot open " + path;
        close();
        return false;
    }
    sqlite3_busy_timeout(db_, 5000);
    return true;
}

void SqliteDb::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

bool SqliteDb::exec(const std::string &sql, std::string *error)
{
    char *message = nullptr;
    const bool ok = db_ && sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK;
    if (!ok && error)
        *error = message ? message : "database not open";
    sqlite3_free(message);
    return ok;
}

std::string SqliteDb::lastError() const
{
    return db_ ? sqlite3_errmsg(db_) : "database not open";
}

SqliteStatement::SqliteStatement(const SqliteDb &db, const char *sql)
{
    if (db.handle() && sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

SqliteStatement &SqliteStatement::bind(int index, const std::string &value)
{
    if (stmt_)
        sqlite3_bind_text(stmt_, index, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, double value)
{
    if (stmt_)
        sqlite3_bind_double(stmt_, index, value);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, std::int64_t value)
{
    if (stmt_)
        sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

SqliteStatement &SqliteStatement::bindNull(int index)
{
    if (stmt_)
        sqlite3_bind_null(stmt_, index);
    return *this;
}

bool SqliteStatement::next()
{
    return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW;
}

bool SqliteStatement::run()
{
    if (!stmt_)
        return false;
    const int rc = sqlite3_step(stmt_);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

std::string SqliteStatement::text(int column) const
{
    const auto *bytes = stmt_ ? sqlite3_column_text(stmt_, column) : nullptr;
    if (!bytes)
        return {};
    return std::string(reinterpret_cast<const char *>(bytes),
                       static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

double SqliteStatement::real(int column) const
{
    return stmt_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

std::int64_t SqliteStatement::integer(int column) const
{
    return stmt_ ? sqlite3_column_int64(stmt_, column) : 0;
}

bool SqliteStatement::isNull(int column) const
{
    return !stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

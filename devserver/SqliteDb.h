#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

// A thin owner of one SQLite connection and its prepared statements; errors come back as
// false/empty, never as exceptions.
class SqliteDb {
public:
    SqliteDb() = default;
    SqliteDb(const SqliteDb &) = delete;
    SqliteDb &operator=(const SqliteDb &) = delete;
    ~SqliteDb();

    bool open(const std::string &path, bool readOnly, std::string &error);
    void close();
    bool exec(const std::string &sql, std::string *error = nullptr);
    bool isOpen() const { return db_ != nullptr; }
    std::string lastError() const;
    sqlite3 *handle() const { return db_; }

private:
    sqlite3 *db_ = nullptr;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteDb &db, const char *sql);
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;
    ~SqliteStatement();

    bool ok() const { return stmt_ != nullptr; }
    SqliteStatement &bind(int index, const std::string &value);
    SqliteStatement &bind(int index, double value);
    SqliteStatement &bind(int index, std::int64_t value);
    SqliteStatement &bindNull(int index);
    // Steps once: true while a row is available.
    bool next();
    // Runs a statement that returns no rows; true when it completed.
    bool run();

    std::string text(int column) const;
    double real(int column) const;
    std::int64_t integer(int column) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt *stmt_ = nullptr;
};

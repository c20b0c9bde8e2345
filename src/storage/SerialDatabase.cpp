#include "storage/SerialDatabase.h"

#include <sqlite3.h>

sqlite3 *SerialDatabase::open() const
{
    // Never SQLITE_OPEN_CREATE: a missing file must stay missing, not turn into an empty database.
    const int flags =
        (mode_ == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path_.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    // Another process (a second terminal build, the sqlite3 shell) may hold a write lock briefly.
    sqlite3_busy_timeout(db, 2000);
    return db;
}

void SerialDatabase::close(sqlite3 *db)
{
    sqlite3_close(db);
}

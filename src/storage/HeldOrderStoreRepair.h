#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

struct sqlite3;

// Telling a damaged held-order store ("main") from one that is merely busy or out of reach, and
// setting a damaged one aside for support, so that a fresh store can take its place.
namespace HeldOrderStoreRepair {

// Why the store open on `db` is damaged (not a database, corrupt, the held-order table missing or
// changed); absent when it is sound or when it cannot be judged (locked, no permission).
std::optional<QString> damage(sqlite3 *db);

// Moves the file at `path`, and any journal SQLite left beside it, to "<path>.damaged-<time>"
// (time as yyyyMMdd-HHmmss). The new path, or empty when the file could not be moved.
QString setAside(const QString &path, const QDateTime &now = QDateTime::currentDateTime());

} // namespace HeldOrderStoreRepair

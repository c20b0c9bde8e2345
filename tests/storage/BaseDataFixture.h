#pragma once

#include "../catalogue/CatalogueFixtures.h"
#include "storage/DBManager.h"

#include <QTemporaryDir>

struct sqlite3;

// A "PadBaseData.db" with every table the terminal reads, written by the test itself so it can
// reach edge cases (NULL flags, duplicate rows, odd column order) that a generator avoids.
class BaseDataFixture {
public:
    explicit BaseDataFixture(const QString &path);
    ~BaseDataFixture();
    BaseDataFixture(const BaseDataFixture &) = delete;
    BaseDataFixture &operator=(const BaseDataFixture &) = delete;

    const QString &path() const { return path_; }
    // Runs SQL, and fails the running test (returning false) when it does not run.
    bool exec(const QString &sql);

private:
    QString path_;
    sqlite3 *db_ = nullptr;
};

// Runs `sql` (one statement or more) on the database file at `path` with plain SQLite: the first
// column of the rows it gives, or nothing when it fails.
std::optional<QStringList> sqlRows(const QString &path, const QString &sql);

// The held orders in the app home, newest first.
QList<Guadan> heldOrders();

// An empty base data in a temporary folder, and a reader opened on it.
struct OpenBaseData {
    QTemporaryDir dir;
    BaseDataFixture fixture{dir.filePath(QStringLiteral("PadBaseData.db"))};
    DBManager db;
    OpenBaseData() { db.setupDBPath(fixture.path()); }
};

#pragma once

#include "../catalogue/CatalogueFixtures.h"
#include "storage/DBManager.h"

#include <QTemporaryDir>

struct sqlite3;

// A "PadBaseData.db" of every table the terminal reads, for edge cases (NULLs, duplicates) no export has.
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

// The first column of the rows `sql` (one statement or more) gives on the file at `path`; none on failure.
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

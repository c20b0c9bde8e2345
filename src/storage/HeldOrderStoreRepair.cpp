#include "storage/HeldOrderStoreRepair.h"

#include <QFile>

#include <sqlite3.h>

#include <utility>

namespace {

bool isDamage(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_ERROR;
}

// Runs `sql` to the end; the failure's words when the failure means damage, "" on success, and
// absent for a failure that says nothing about the file (a lock, for one).
std::optional<QString> runCheck(sqlite3 *db, const char *sql, bool wantOk)
{
    sqlite3_stmt *statement = nullptr;
    int code = sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    QString firstRow;
    bool first = true;
    if (code == SQLITE_OK) {
        while ((code = sqlite3_step(statement)) == SQLITE_ROW) {
            if (first && wantOk)
                firstRow =
                    QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
            first = false;
        }
    }
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    if (code != SQLITE_DONE)
        return isDamage(code) ? std::optional(message) : std::nullopt;
    if (wantOk && firstRow != QStringLiteral("ok"))
        return firstRow;
    return QString();
}

} // namespace

namespace HeldOrderStoreRepair {

std::optional<QString> damage(sqlite3 *db)
{
    for (const auto &[sql, wantOk] : {std::pair{"pragma quick_check(1)", true},
                                      std::pair{"select gid, content, create_time from guadan", false}}) {
        const std::optional<QString> found = runCheck(db, sql, wantOk);
        if (!found)
            return std::nullopt; // cannot be judged now
        if (!found->isEmpty())
            return found;
    }
    return std::nullopt;
}

QString setAside(const QString &path, const QDateTime &now)
{
    const QString aside =
        path + QStringLiteral(".damaged-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (QFile::exists(aside) || !QFile::rename(path, aside))
        return {};
    // A journal left beside the store belongs to it; beside the fresh store it would be played back
    // into that one.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        const QString journal = path + QString::fromLatin1(suffix);
        if (QFile::exists(journal))
            QFile::rename(journal, aside + QString::fromLatin1(suffix));
    }
    return aside;
}

} // namespace HeldOrderStoreRepair

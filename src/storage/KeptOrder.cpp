#include "storage/KeptOrder.h"

#include "storage/DBManager.h"
#include "storage/SqlStatement.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {
// WAL keeps writers from blocking the held-order reads; FULL makes every commit survive a power
// loss, not only a crash of the program.
const char kPragmas[] = "pragma journal_mode = wal; pragma synchronous = full;";
const char kCreateTable[] =
    "create table if not exists kept_order (id integer primary key check (id = 1), "
    "pack text not null, lines text not null, locked integer not null, "
    "saved_time integer not null); "
    "create table if not exists outbox (id integer primary key autoincrement, "
    "flow_no text not null unique, table_no text not null, line_count integer not null, "
    "send_text text not null, held_text text not null, waiter text not null, "
    "queued_time integer not null, unconfirmed integer not null, "
    "attempts integer not null, last_error text not null)";

bool isDamage(int code)
{
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

bool exec(sqlite3 *db, const char *sql, int *error = nullptr)
{
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (error)
        *error = code;
    return code == SQLITE_OK;
}

bool insertRow(sqlite3 *db, const KeptOrderRow &row)
{
    SqlStatement insert(db, "insert or replace into kept_order(id, pack, lines, locked, saved_time) "
                            "values(1, ?, ?, ?, ?)");
    insert.bind(1, row.pack).bind(2, row.lines).bind(3, qint64(row.locked));
    return insert.bind(4, QDateTime::currentSecsSinceEpoch()).exec();
}

bool deleteRow(sqlite3 *db)
{
    return SqlStatement(db, "delete from kept_order").exec();
}

QString stamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}
} // namespace

KeptOrderStore::KeptOrderStore(const QString &path) : path_(path) {}

KeptOrderStore::~KeptOrderStore()
{
    close();
}

void KeptOrderStore::close()
{
    sqlite3_close(db_);
    db_ = nullptr;
}

sqlite3 *KeptOrderStore::connection(int *error)
{
    struct stat file {};
    const bool exists = ::stat(QFile::encodeName(path_).constData(), &file) == 0;
    if (db_ && exists && quint64(file.st_dev) == openedDevice_ && quint64(file.st_ino) == openedInode_) {
        if (error)
            *error = SQLITE_OK;
        return db_;
    }
    close();
    db_ = open(error);
    if (db_ && ::stat(QFile::encodeName(path_).constData(), &file) == 0) {
        openedDevice_ = quint64(file.st_dev);
        openedInode_ = quint64(file.st_ino);
    }
    return db_;
}

sqlite3 *KeptOrderStore::open(int *error)
{
    // The main database is made with its held-order table by its owner; only then is it ours too.
    if (path_ == DBManager::mainDBPath())
        DBManager::createMainDBIfNotExists();
    sqlite3 *db = nullptr;
    int code = sqlite3_open_v2(path_.toUtf8().constData(), &db,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        if (exec(db, kPragmas, &code) && exec(db, kCreateTable, &code))
            code = SQLITE_OK;
    }
    if (error)
        *error = code;
    if (code != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

template <typename Work> bool KeptOrderStore::transact(Work &&work)
{
    sqlite3 *db = connection();
    if (!db)
        return false;
    bool done = exec(db, "begin immediate") && work(db);
    done = done && exec(db, "commit");
    if (!done) {
        exec(db, "rollback");
        close();
    }
    return done;
}

KeptOrderStore::Read KeptOrderStore::read(KeptOrderRow &row)
{
    int error = SQLITE_OK;
    sqlite3 *db = connection(&error);
    if (!db)
        return isDamage(error) ? Read::Unreadable : Read::Nothing;
    Read result = Read::Nothing;
    bool failed = false;
    {
        SqlStatement query(db, "select pack, lines, locked from kept_order where id = 1");
        if (query.step()) {
            row = {query.text(0), query.text(1), query.integer(2) != 0};
            result = Read::Found;
        } else if (query.failed()) {
            failed = true;
            if (isDamage(sqlite3_errcode(db)))
                result = Read::Unreadable;
        }
    }
    if (failed)
        close();
    return result;
}

bool KeptOrderStore::write(const std::optional<KeptOrderRow> &row)
{
    return transact([&row](sqlite3 *db) { return row ? insertRow(db, *row) : deleteRow(db); });
}

bool KeptOrderStore::holdOrder(const QString &content, qint64 createTime)
{
    return transact([&](sqlite3 *db) {
        SqlStatement insert(db, "insert into guadan(content, create_time) values(?, ?)");
        return insert.bind(1, content).bind(2, createTime).exec() && deleteRow(db);
    });
}

bool KeptOrderStore::restoreHeld(const KeptOrderRow &row, qint64 gid)
{
    return transact([&](sqlite3 *db) {
        SqlStatement remove(db, "delete from guadan where gid = ?");
        return remove.bind(1, gid).exec() && insertRow(db, row);
    });
}

bool KeptOrderStore::queueKept(const OutboxRow &row)
{
    return transact([&row](sqlite3 *db) {
        SqlStatement insert(
            db, "insert into outbox(flow_no, table_no, line_count, send_text, held_text, waiter, "
                "queued_time, unconfirmed, attempts, last_error) values(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.bind(1, row.flowNo).bind(2, row.tableNo).bind(3, qint64(row.lineCount)).bind(4, row.sendText);
        insert.bind(5, row.heldText)
            .bind(6, row.waiterId)
            .bind(7, row.queuedTime)
            .bind(8, qint64(row.unconfirmed));
        return insert.bind(9, qint64(row.attempts)).bind(10, row.lastError).exec() && deleteRow(db);
    });
}

QList<OutboxRow> KeptOrderStore::readOutbox(int limit)
{
    QList<OutboxRow> rows;
    sqlite3 *db = connection();
    if (!db)
        return rows;
    SqlStatement query(db,
                       "select id, flow_no, table_no, line_count, send_text, held_text, waiter, queued_time, "
                       "unconfirmed, attempts, last_error from outbox order by id limit ?");
    query.bind(1, qint64(limit));
    while (query.step()) {
        rows.append({query.integer(0), query.text(1), query.text(2), int(query.integer(3)), query.text(4),
                     query.text(5), query.text(6), query.integer(7), query.integer(8) != 0,
                     int(query.integer(9)), query.text(10)});
    }
    return rows;
}

int KeptOrderStore::countQueued()
{
    sqlite3 *db = connection();
    if (!db)
        return 0;
    SqlStatement query(db, "select count(*) from outbox");
    return query.step() ? int(query.integer(0)) : 0;
}

bool KeptOrderStore::updateQueued(const OutboxRow &row)
{
    return transact([&row](sqlite3 *db) {
        SqlStatement update(db,
                            "update outbox set unconfirmed = ?, attempts = ?, last_error = ? where id = ?");
        update.bind(1, qint64(row.unconfirmed)).bind(2, qint64(row.attempts)).bind(3, row.lastError);
        return update.bind(4, row.id).exec() && sqlite3_changes(db) == 1;
    });
}

bool KeptOrderStore::removeQueued(qint64 id)
{
    return transact([id](sqlite3 *db) {
        return SqlStatement(db, "delete from outbox where id = ?").bind(1, id).exec() &&
               sqlite3_changes(db) == 1;
    });
}

bool KeptOrderStore::holdQueued(qint64 id, qint64 createTime)
{
    return transact([&](sqlite3 *db) {
        SqlStatement insert(
            db, "insert into guadan(content, create_time) select held_text, ? from outbox where id = ?");
        SqlStatement remove(db, "delete from outbox where id = ?");
        return insert.bind(1, createTime).bind(2, id).exec() && sqlite3_changes(db) == 1 &&
               remove.bind(1, id).exec() && sqlite3_changes(db) == 1;
    });
}

QString KeptOrderStore::moveAside()
{
    // A fresh connection: one that stayed open may not have met the damage yet.
    close();
    int error = SQLITE_OK;
    if (sqlite3 *db = connection(&error)) {
        // The database is sound, the row is not: keep its text for whoever looks into it later.
        KeptOrderRow row;
        bool found = false;
        {
            SqlStatement query(db, "select pack, lines, locked from kept_order where id = 1");
            if (query.step()) {
                row = {query.text(0), query.text(1), query.integer(2) != 0};
                found = true;
            }
        }
        if (!found)
            return {};
        const QString aside = path_ + QStringLiteral("-kept-") + stamp() + QStringLiteral(".json");
        QFile file(aside);
        const QJsonObject saved{{QStringLiteral("pack"), row.pack},
                                {QStringLiteral("lines"), row.lines},
                                {QStringLiteral("locked"), row.locked}};
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(saved).toJson()) < 0)
            return {};
        file.close();
        return write(std::nullopt) ? aside : QString();
    }
    if (!isDamage(error))
        return {};
    // The file itself is damaged: it goes aside whole, with the journal files that belong to it, so
    // that a fresh store never replays another file's journal.
    const QString aside = path_ + QStringLiteral(".damaged-") + stamp();
    for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFile::exists(path_ + suffix) && !QFile::rename(path_ + suffix, aside + suffix))
            return {};
    }
    connection();
    return aside;
}

#pragma once

#include <QList>
#include <QString>

#include <optional>

struct sqlite3;

// The order being taken, as stored: its header and its lines in the order layer's text form, and
// whether a send of it is still waiting for a definite answer.
struct KeptOrderRow {
    QString pack;
    QString lines;
    bool locked = false;
};

// An order waiting in the outbox to be sent when the server answers again. Its command text is
// made once, when it is queued, and sent unchanged every time (same flow number, same waiter).
struct OutboxRow {
    qint64 id = 0; // the queue's order: oldest first
    QString flowNo;
    QString tableNo;
    int lineCount = 0;
    QString sendText;
    QString heldText; // what it becomes among the held orders when refused or cancelled
    QString waiterId;
    qint64 queuedTime = 0;    // seconds since the epoch
    bool unconfirmed = false; // a send of it ended without a definite answer
    int attempts = 0;
    QString lastError;
};

// Keeps the order being taken in the terminal's own database ("main" in the app home), so that it
// survives the program's end: one row of the table `kept_order`, beside the held orders and never
// among them. The database runs in WAL mode with full synchronisation, so a write that returned
// true survives a crash or a power loss. Each operation is one transaction on one connection that
// stays open between operations (closing the last connection would fold and delete the write-ahead
// log each time, two more syncs per change). The connection is opened again, with its table, after
// an operation failed and whenever the file at the path is no longer the one it has open (moved
// aside, replaced by a fresh file, deleted). Not thread-safe: one owner serialises the calls.
class KeptOrderStore {
public:
    enum class Read { Nothing, Found, Unreadable };

    explicit KeptOrderStore(const QString &path);
    ~KeptOrderStore();
    KeptOrderStore(const KeptOrderStore &) = delete;
    KeptOrderStore &operator=(const KeptOrderStore &) = delete;
    const QString &path() const { return path_; }

    // Unreadable when the database file is damaged (not a database, a corrupt page).
    Read read(KeptOrderRow &row);
    // Replaces the kept order; no row removes it.
    bool write(const std::optional<KeptOrderRow> &row);
    // Stores `content` as a new held order and removes the kept order, both or neither.
    bool holdOrder(const QString &content, qint64 createTime);
    // Keeps `row` and deletes held order `gid`, both or neither.
    bool restoreHeld(const KeptOrderRow &row, qint64 gid);
    // The outbox (table `outbox`, beside the kept order): each operation one transaction.
    // Queues `row` and removes the kept order, both or neither; false also when its flow number is
    // queued already.
    bool queueKept(const OutboxRow &row);
    // Oldest first; at most `limit` rows, all when it is negative.
    QList<OutboxRow> readOutbox(int limit = -1);
    int countQueued();
    // Stores the send state of queued order `row.id` (unconfirmed, attempts, last error).
    bool updateQueued(const OutboxRow &row);
    bool removeQueued(qint64 id);
    // Moves queued order `id` to the held orders (its held text), both or neither.
    bool holdQueued(qint64 id, qint64 createTime);

    // Moves a kept order that cannot be used out of the way: a readable row to a file beside the
    // database, a damaged database file (with its journal files) to a name of its own, after which
    // a fresh database takes its place. Returns where it went; empty when nothing was moved.
    QString moveAside();

private:
    template <typename Work> bool transact(Work &&work);
    // The open connection, opened anew when there is none or the file changed; null on failure.
    sqlite3 *connection(int *error = nullptr);
    sqlite3 *open(int *error = nullptr);
    void close();

    QString path_;
    sqlite3 *db_ = nullptr;
    // The device and inode of the file db_ has open.
    quint64 openedDevice_ = 0;
    quint64 openedInode_ = 0;
};

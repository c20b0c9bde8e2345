#pragma once

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

#pragma once

#include <QMutex>
#include <QString>

#include <memory>
#include <utility>

struct sqlite3;

// The serialised access to one SQLite file: every operation takes the lock, opens the file, runs
// its statements and closes it again, so statements on one database never run in parallel and a
// file replaced between operations is simply read anew.
class SerialDatabase {
public:
    enum class Mode { ReadOnly, ReadWrite };

    SerialDatabase(const QString &path, Mode mode) : path_(path), mode_(mode) {}

    const QString &path() const { return path_; }

    // Runs `work(sqlite3 *)` on an open connection; false, without calling it, when the file cannot
    // be opened. A file that is no database opens, and then every statement on it fails.
    template <typename Work> bool run(Work &&work)
    {
        QMutexLocker lock(&mutex_);
        sqlite3 *db = open();
        if (!db)
            return false;
        std::forward<Work>(work)(db);
        close(db);
        return true;
    }

private:
    sqlite3 *open() const;
    static void close(sqlite3 *db);

    const QString path_;
    const Mode mode_;
    QMutex mutex_;
};

// As SerialDatabase::run, and false when there is no database at all.
template <typename Work> bool runOn(const std::shared_ptr<SerialDatabase> &database, Work &&work)
{
    return database && database->run(std::forward<Work>(work));
}

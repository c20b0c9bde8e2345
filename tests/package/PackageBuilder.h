#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Writes zip packages, good and bad, with minizip: entry names are raw bytes, so GB18030, "\",
// absolute names and ".." parts are written as a careless or hostile packer would.
class PackageBuilder {
public:
    struct Entry {
        QByteArray rawName;
        QByteArray contents;
        QDateTime date;
        bool utf8Flag = false;
        // Stored as a Unix symbolic link whose target is `contents`.
        bool symlink = false;
        // The uncompressed size the archive declares instead of the true one (a lie).
        std::optional<quint64> declaredSize = std::nullopt;
    };

    // An entry whose name is stored in GB18030; a name ending in "/" or "\" makes a folder.
    PackageBuilder &file(const QString &name, const QByteArray &contents, const QDateTime &date = {});
    PackageBuilder &raw(const Entry &entry)
    {
        entries_.append(entry);
        return *this;
    }
    // The shipped demo's PadBaseData.db, so that the package is a usable catalogue.
    PackageBuilder &demoDatabase();
    static QByteArray demoDatabaseBytes();

    // Empty on success, else the reason.
    QString write(const QString &zipPath) const;

    static QDateTime defaultDate() { return QDateTime(QDate(2025, 3, 4), QTime(5, 6, 8)); }

private:
    QList<Entry> entries_;
};

// The database `database` (a file's bytes) with the table `table` dropped.
QByteArray databaseWithout(const QByteArray &database, const char *table);

// Cuts a file to `bytes` (a package whose transfer broke off) or flips one byte at `offset`.
bool truncateFile(const QString &path, qint64 bytes);
bool flipByte(const QString &path, qint64 offset);

// A file's bytes ("<missing>" when it cannot be read); writing a whole file.
QByteArray readFile(const QString &path);
bool writeFile(const QString &path, const QByteArray &contents);
// Every path under `folder`, hidden ones too, relative and sorted.
QStringList listing(const QString &folder);

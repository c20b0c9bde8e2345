#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Writes zip packages for the tests with minizip's zip API, good and bad ones alike: entry names
// are taken as raw bytes, so that GB18030, "\" separators, absolute names and ".." parts can all
// be written as a careless or hostile packer would.
class PackageBuilder {
public:
    struct Entry {
        QByteArray rawName;
        QByteArray contents;
        QDateTime date;
        bool utf8Flag = false;
    };

    // A file entry whose name is stored in GB18030.
    PackageBuilder &file(const QString &name, const QByteArray &contents, const QDateTime &date = {});
    // A folder entry; the name ends in "/" or "\".
    PackageBuilder &folder(const QString &name, const QDateTime &date = {});
    PackageBuilder &raw(const Entry &entry);
    // The shipped demo's PadBaseData.db, so that the package is a usable catalogue.
    PackageBuilder &demoDatabase();

    // Empty on success, else the reason.
    QString write(const QString &zipPath) const;

    static QDateTime defaultDate();

private:
    QList<Entry> entries_;
};

// Cuts a file to `bytes` (a package whose transfer broke off) or flips one byte at `offset`.
bool truncateFile(const QString &path, qint64 bytes);
bool flipByte(const QString &path, qint64 offset);

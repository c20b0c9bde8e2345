#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// Unpacks a base-data package (a zip archive) into a folder, entry by entry in archive order,
// streaming each entry's bytes. Entry names are GB18030 (UTF-8 when the entry says so), "\" is
// a folder separator like "/", a name ending in a separator is a folder, and each file and
// folder gets the entry's date as its modification date.
//
// The archive is untrusted: every name is checked before anything is written, and an entry whose
// name is absolute or climbs out of the folder ("..") fails the whole unpacking, so nothing
// outside the folder is ever touched. A damaged entry (CRC) fails it too, part-way; the caller
// unpacks into a fresh folder and throws it away on failure.
namespace PackageUnpacker {

struct Result {
    bool ok = false;
    QString detail; // why it failed, for logs and tests; never shown to the waiter
    // Failed because the package would unpack to more than it may.
    bool tooLarge = false;
    // Unpacked, but what it holds is not what an install needs (see PackageInstaller).
    bool badContent = false;
};

// Most a package may unpack to in all.
inline constexpr qint64 kMaxUnpackedBytes = qint64(2) * 1024 * 1024 * 1024;
// Room left free on the disk for everything else the terminal writes (held orders, settings).
inline constexpr qint64 kDiskReserveBytes = qint64(256) * 1024 * 1024;

// What a package may unpack to on a disk with `availableBytes` free: the free space less the
// reserve, and never more than kMaxUnpackedBytes.
qint64 unpackLimit(qint64 availableBytes);

// Unpacks with the limit of the disk that holds `folder`.
Result unpack(const QString &zipPath, const QString &folder);
// Refuses, before writing anything, a package whose entries declare more than `maxBytes` in all,
// and stops as soon as more than that has been written, since declared sizes can lie.
Result unpack(const QString &zipPath, const QString &folder, qint64 maxBytes);

// The entry's path relative to the folder, with "/" separators and without "." parts or a
// trailing separator; absent when the name is unsafe (absolute, a drive letter, a ".." part, a
// NUL character). An empty result names the folder itself.
std::optional<QString> relativeEntryPath(const QString &entryName);
// The entry name from its raw bytes: UTF-8 when the entry's flags say so, else GB18030.
QString decodeEntryName(const QByteArray &raw, bool utf8Flag);

} // namespace PackageUnpacker

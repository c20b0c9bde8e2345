#pragma once

#include <QByteArray>
#include <QString>

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
};

Result unpack(const QString &zipPath, const QString &folder);

// The entry's path relative to the folder, with "/" separators and without "." parts or a
// trailing separator; absent when the name is unsafe (absolute, a drive letter, a ".." part, a
// NUL character). An empty result names the folder itself.
std::optional<QString> relativeEntryPath(const QString &entryName);
// The entry name from its raw bytes: UTF-8 when the entry's flags say so, else GB18030.
QString decodeEntryName(const QByteArray &raw, bool utf8Flag);

} // namespace PackageUnpacker

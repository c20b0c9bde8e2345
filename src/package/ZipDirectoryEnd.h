#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What a zip archive's end record says about its central directory: where it starts and how long
// it is (from the zip64 record when there is one). With it an unpacker can tell whether it read
// the whole directory, which the entry count alone cannot: writers without zip64 clamp or wrap
// that 16-bit count once an archive holds more than 65535 entries.
struct ZipDirectoryEnd {
    quint64 directoryOffset = 0;
    quint64 directorySize = 0;
    // The 16-bit count reads 0xFFFF and no zip64 record gives the real one: the directory may
    // hold more entries than that.
    bool countMayHaveWrapped = false;

    quint64 directoryEnd() const { return directoryOffset + directorySize; }

    // Absent when the file has no end record.
    static std::optional<ZipDirectoryEnd> read(const QString &zipPath);
};

#include "package/PackageUnpacker.h"

#include "package/ZipDirectoryEnd.h"
#include "server/Gb18030.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStorageInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unzip.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <vector>

namespace {

// Large enough that reading, inflating and writing each cost a call per piece, not per page.
constexpr int kBufferBytes = 256 * 1024;
// General purpose flag bit 11: the entry's name is UTF-8.
constexpr uLong kUtf8NameFlag = 1u << 11;

struct UnzipCloser {
    void operator()(void *zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, UnzipCloser>;

PackageUnpacker::Result failed(const QString &detail)
{
    return PackageUnpacker::Result{false, detail};
}

// An entry's date as seconds since 1970. DOS date and time fields are local time; a field out of
// range (an unset date) gives none. Entries mostly share one date, and converting a local time asks
// the system for the time zone every time, so the last conversion is kept.
class EntryDates {
public:
    std::optional<qint64> seconds(const unz_file_info64 &info)
    {
        if (known_ && info.dosDate == dosDate_)
            return seconds_;
        const tm_unz &date = info.tmu_date;
        const QDate day(int(date.tm_year), int(date.tm_mon) + 1, int(date.tm_mday));
        const QTime time(int(date.tm_hour), int(date.tm_min), int(date.tm_sec));
        seconds_ = day.isValid() && time.isValid() ? std::optional(QDateTime(day, time).toSecsSinceEpoch())
                                                   : std::nullopt;
        dosDate_ = info.dosDate;
        known_ = true;
        return seconds_;
    }

private:
    bool known_ = false;
    uLong dosDate_ = 0;
    std::optional<qint64> seconds_;
};

void setModificationTime(const QString &path, std::optional<qint64> seconds)
{
    if (!seconds)
        return;
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(*seconds);
    times[1].tv_nsec = 0;
    // A date that cannot be set leaves the time of writing: not worth failing the package for.
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW);
}

bool writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

struct Entry {
    QString name;
    quint64 size = 0;                // as the archive declares it
    std::optional<QString> relative; // absent: the name is unsafe
    bool isFolder = false;
    std::optional<qint64> date;
    quint64 directoryEnd = 0; // where the entry's record in the central directory ends
};

std::optional<Entry> currentEntry(unzFile zip, EntryDates &dates)
{
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return std::nullopt;
    QByteArray raw(qsizetype(info.size_filename), '\0');
    if (unzGetCurrentFileInfo64(zip, &info, raw.data(), uLong(raw.size()), nullptr, 0, nullptr, 0) != UNZ_OK)
        return std::nullopt;
    Entry entry;
    entry.name = PackageUnpacker::decodeEntryName(raw, info.flag & kUtf8NameFlag);
    entry.relative = PackageUnpacker::relativeEntryPath(entry.name);
    entry.isFolder = entry.name.endsWith(u'/') || entry.name.endsWith(u'\\');
    entry.size = info.uncompressed_size;
    entry.date = dates.seconds(info);
    // The fixed part of a central directory record is 46 bytes.
    entry.directoryEnd =
        unzGetOffset64(zip) + 46 + info.size_filename + info.size_file_extra + info.size_file_comment;
    return entry;
}

PackageUnpacker::Result tooLarge(qint64 maxBytes)
{
    PackageUnpacker::Result result{false, QStringLiteral("the package unpacks to more than ") +
                                              QString::number(maxBytes) + QStringLiteral(" bytes")};
    result.tooLarge = true;
    return result;
}

// Streams the current entry into `path`, replacing a file already there. `budget` is what may
// still be written, and shrinks by what was.
PackageUnpacker::Result extractFile(unzFile zip, const QString &path, std::vector<char> &buffer,
                                    qint64 &budget)
{
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return failed(QStringLiteral("cannot open the entry ") + path);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        unzCloseCurrentFile(zip);
        return failed(QStringLiteral("cannot create ") + path);
    }
    bool ok = true;
    QString detail;
    for (;;) {
        const int got = unzReadCurrentFile(zip, buffer.data(), unsigned(buffer.size()));
        if (got == 0)
            break;
        if (got < 0) {
            ok = false;
            detail = QStringLiteral("cannot read the entry for ") + path;
            break;
        }
        budget -= got;
        if (budget < 0) {
            ::close(fd);
            unzCloseCurrentFile(zip);
            return tooLarge(0);
        }
        if (!writeAll(fd, buffer.data(), got)) {
            ok = false;
            detail = QStringLiteral("cannot write ") + path;
            break;
        }
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        detail = QStringLiteral("cannot write ") + path;
    }
    // Also checks the CRC once the whole entry has been read.
    if (unzCloseCurrentFile(zip) != UNZ_OK && ok) {
        ok = false;
        detail = QStringLiteral("the entry is damaged: ") + path;
    }
    return PackageUnpacker::Result{ok, detail};
}

// Calls `visit` for each entry in archive order until it fails. The walk fails too when the central
// directory is damaged or ends elsewhere than the end record says, so that an archive whose entry
// count was clamped or wrapped is neither cut short nor refused: once the count field reads 0xFFFF
// minizip reads on to the directory's real end.
template <typename Visit>
PackageUnpacker::Result forEachEntry(unzFile zip, const ZipDirectoryEnd &directory, EntryDates &dates,
                                     Visit &&visit)
{
    quint64 count = 0;
    quint64 reached = directory.directoryOffset;
    int step = unzGoToFirstFile(zip);
    for (; step == UNZ_OK; step = unzGoToNextFile(zip)) {
        const std::optional<Entry> entry = currentEntry(zip, dates);
        if (!entry)
            return failed(QStringLiteral("cannot read an entry's description"));
        ++count;
        reached = entry->directoryEnd;
        const PackageUnpacker::Result visited = visit(*entry);
        if (!visited.ok)
            return visited;
    }
    const bool readPastFullCount = step == UNZ_BADZIPFILE && directory.countMayHaveWrapped && count >= 0xFFFF;
    if ((step != UNZ_END_OF_LIST_OF_FILE && !readPastFullCount) || reached != directory.directoryEnd())
        return failed(QStringLiteral("the archive's directory is damaged"));
    return PackageUnpacker::Result{true, {}};
}

} // namespace

namespace PackageUnpacker {

QString decodeEntryName(const QByteArray &raw, bool utf8Flag)
{
    if (utf8Flag)
        return QString::fromUtf8(raw);
    // Most names are plain ASCII, which GB18030 leaves as it is.
    const bool ascii = std::all_of(raw.cbegin(), raw.cend(), [](char c) { return uchar(c) < 0x80; });
    return ascii ? QString::fromLatin1(raw) : Gb18030::decode(raw);
}

std::optional<QString> relativeEntryPath(const QString &entryName)
{
    QString name = entryName;
    name.replace(u'\\', u'/');
    if (name.contains(QChar(u'\0')) || name.startsWith(u'/'))
        return std::nullopt;
    if (name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter())
        return std::nullopt;
    QStringList kept;
    for (const QString &part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QStringLiteral(".."))
            return std::nullopt;
        if (part != QStringLiteral("."))
            kept.append(part);
    }
    return kept.join(u'/');
}

qint64 unpackLimit(qint64 availableBytes)
{
    return qBound(qint64(0), availableBytes - kDiskReserveBytes, kMaxUnpackedBytes);
}

Result unpack(const QString &zipPath, const QString &folder)
{
    QStorageInfo disk(folder);
    disk.refresh();
    return unpack(zipPath, folder, unpackLimit(disk.isValid() ? disk.bytesAvailable() : 0));
}

Result unpack(const QString &zipPath, const QString &folder, qint64 maxBytes)
{
    const std::optional<ZipDirectoryEnd> directory = ZipDirectoryEnd::read(zipPath);
    const ZipHandle zip(unzOpen64(QFile::encodeName(zipPath).constData()));
    if (!directory || !zip)
        return failed(QStringLiteral("not a zip archive: ") + zipPath);

    // Every name is checked before anything is written. Nothing is kept per entry, so memory
    // does not grow with the package: the second pass reads the names again.
    EntryDates dates;
    quint64 declared = 0;
    const Result checked =
        forEachEntry(zip.get(), *directory, dates, [&declared, maxBytes](const Entry &entry) {
            if (!entry.relative)
                return failed(QStringLiteral("entry outside the folder: ") + entry.name);
            if (!entry.isFolder && entry.relative->isEmpty())
                return failed(QStringLiteral("a file entry without a name"));
            // Entries may overlap in the archive: each one counts with its whole size.
            declared += entry.size;
            if (entry.size > quint64(maxBytes) || declared > quint64(maxBytes))
                return tooLarge(maxBytes);
            return Result{true, {}};
        });
    if (!checked.ok)
        return checked;

    std::vector<char> buffer(kBufferBytes);
    qint64 budget = maxBytes;
    QList<QPair<QString, std::optional<qint64>>> folderDates;
    QSet<QString> madeFolders;
    const QDir root(folder);
    auto makeFolder = [&](const QString &relative) {
        if (relative.isEmpty() || madeFolders.contains(relative))
            return true;
        if (!root.mkpath(relative))
            return false;
        madeFolders.insert(relative);
        return true;
    };
    const Result written = forEachEntry(zip.get(), *directory, dates, [&](const Entry &entry) {
        if (!entry.relative)
            return failed(QStringLiteral("the archive changed while it was unpacked"));
        const QString &relative = *entry.relative;
        const QString path = relative.isEmpty() ? folder : root.filePath(relative);
        if (entry.isFolder) {
            if (!makeFolder(relative))
                return failed(QStringLiteral("cannot create the folder ") + path);
            if (!relative.isEmpty())
                folderDates.append({path, entry.date});
            return Result{true, {}};
        }
        const qsizetype slash = relative.lastIndexOf(u'/');
        if (slash > 0 && !makeFolder(relative.left(slash)))
            return failed(QStringLiteral("cannot create the folder for ") + path);
        const Result extracted = extractFile(zip.get(), path, buffer, budget);
        if (extracted.tooLarge)
            return tooLarge(maxBytes);
        if (extracted.ok)
            setModificationTime(path, entry.date);
        return extracted;
    });
    if (!written.ok)
        return written;
    // Last, so that writing into a folder does not move its date again.
    for (const auto &[path, date] : std::as_const(folderDates))
        setModificationTime(path, date);
    return Result{true, {}};
}

} // namespace PackageUnpacker

#include "package/ZipDirectoryEnd.h"

#include <QByteArray>
#include <QFile>

namespace {

constexpr qint64 kEndRecordSize = 22;
constexpr qint64 kMaxCommentSize = 0xFFFF;
constexpr qint64 kLocatorSize = 20;
constexpr qint64 kZip64RecordSize = 56;

quint64 little(const QByteArray &bytes, qsizetype at, int size)
{
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | uchar(bytes.at(at + i));
    return value;
}

} // namespace

std::optional<ZipDirectoryEnd> ZipDirectoryEnd::read(const QString &zipPath)
{
    QFile file(zipPath);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kEndRecordSize)
        return std::nullopt;
    const qint64 tailSize = qMin(file.size(), kEndRecordSize + kMaxCommentSize + kLocatorSize);
    const qint64 tailStart = file.size() - tailSize;
    if (!file.seek(tailStart))
        return std::nullopt;
    const QByteArray tail = file.read(tailSize);
    if (tail.size() != tailSize)
        return std::nullopt;
    const qsizetype end = tail.lastIndexOf(QByteArrayLiteral("PK\x05\x06"), tailSize - kEndRecordSize);
    if (end < 0)
        return std::nullopt;

    ZipDirectoryEnd result;
    result.directorySize = little(tail, end + 12, 4);
    result.directoryOffset = little(tail, end + 16, 4);
    const bool countFieldFull = little(tail, end + 10, 2) == 0xFFFF;

    const qsizetype locator = end - kLocatorSize;
    if (locator >= 0 && tail.mid(locator, 4) == QByteArrayLiteral("PK\x06\x07")) {
        const qint64 recordAt = qint64(little(tail, locator + 8, 8));
        if (!file.seek(recordAt))
            return std::nullopt;
        const QByteArray record = file.read(kZip64RecordSize);
        if (record.size() != kZip64RecordSize || !record.startsWith(QByteArrayLiteral("PK\x06\x06")))
            return std::nullopt;
        result.directorySize = little(record, 40, 8);
        result.directoryOffset = little(record, 48, 8);
        return result;
    }
    result.countMayHaveWrapped = countFieldFull;
    return result;
}

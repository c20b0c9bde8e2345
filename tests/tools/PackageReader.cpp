#include "PackageReader.h"

#include <QFile>

#include <iconv.h>
#include <unzip.h>

namespace {

std::optional<QByteArray> convert(const QByteArray &bytes, const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray in = bytes;
    QByteArray out(in.size() * 4 + 4, '\0');
    char *inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != size_t(-1);
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

} // namespace

std::optional<QList<PackageEntry>> readPackage(const QString &zipPath)
{
    unzFile zip = unzOpen64(QFile::encodeName(zipPath).constData());
    if (!zip)
        return std::nullopt;
    QList<PackageEntry> entries;
    bool ok = true;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        unz_file_info64 info;
        char name[1024];
        if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
            ok = false;
            break;
        }
        PackageEntry entry;
        entry.rawName = QByteArray(name, qsizetype(info.size_filename));
        const auto utf8 = convert(entry.rawName, "UTF-8", "GB18030");
        entry.name = utf8 ? QString::fromUtf8(*utf8) : QString();
        entry.utf8Flag = info.flag & (1u << 11);
        const tm_unz &d = info.tmu_date;
        entry.modified = QDateTime(QDate(int(d.tm_year), int(d.tm_mon) + 1, int(d.tm_mday)),
                                   QTime(int(d.tm_hour), int(d.tm_min), int(d.tm_sec)));
        if (unzOpenCurrentFile(zip) != UNZ_OK) {
            ok = false;
            break;
        }
        char buffer[4096];
        int read = 0;
        while ((read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            entry.contents.append(buffer, read);
        if (unzCloseCurrentFile(zip) != UNZ_OK || read < 0) {
            ok = false;
            break;
        }
        entries.append(entry);
    }
    unzClose(zip);
    return ok ? std::optional(entries) : std::nullopt;
}

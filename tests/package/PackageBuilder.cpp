#include "PackageBuilder.h"

#include "server/Gb18030.h"

#include <QFile>

#include <zip.h>

using namespace Qt::StringLiterals;

namespace {
constexpr uLong kUtf8NameFlag = 1u << 11;
constexpr uLong kDosDirectoryAttribute = 0x10;
} // namespace

PackageBuilder &PackageBuilder::file(const QString &name, const QByteArray &contents, const QDateTime &date)
{
    return raw({Gb18030::encode(name), contents, date.isValid() ? date : defaultDate()});
}

PackageBuilder &PackageBuilder::demoDatabase()
{
    QFile database(qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update/PadBaseData.db"_s);
    database.open(QIODevice::ReadOnly);
    return file(u"PadBaseData.db"_s, database.readAll());
}

QString PackageBuilder::write(const QString &zipPath) const
{
    zipFile zip = zipOpen64(QFile::encodeName(zipPath).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return u"cannot create "_s + zipPath;
    QString error;
    for (const Entry &entry : entries_) {
        const bool isFolder = entry.rawName.endsWith('/') || entry.rawName.endsWith('\\');
        zip_fileinfo info{};
        const QDate day = entry.date.date();
        const QTime time = entry.date.time();
        info.tmz_date = tm_zip{uInt(time.second()), uInt(time.minute()),   uInt(time.hour()),
                               uInt(day.day()),     uInt(day.month() - 1), uInt(day.year())};
        info.external_fa = isFolder ? kDosDirectoryAttribute : 0;
        const int method = isFolder ? 0 : Z_DEFLATED;
        if (zipOpenNewFileInZip4_64(zip, entry.rawName.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    method, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, 0, entry.utf8Flag ? kUtf8NameFlag : 0,
                                    0) != ZIP_OK ||
            zipWriteInFileInZip(zip, entry.contents.constData(), unsigned(entry.contents.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            error = u"cannot add an entry to "_s + zipPath;
            break;
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK && error.isEmpty())
        error = u"cannot finish "_s + zipPath;
    return error;
}

bool truncateFile(const QString &path, qint64 bytes)
{
    return QFile(path).resize(bytes);
}

bool flipByte(const QString &path, qint64 offset)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset))
        return false;
    char byte = 0;
    if (!file.getChar(&byte) || !file.seek(offset))
        return false;
    return file.putChar(char(byte ^ 0x5A));
}

#include "PackageBuilder.h"

#include "server/Gb18030.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <zip.h>

using namespace Qt::StringLiterals;

namespace {
constexpr uLong kUtf8NameFlag = 1u << 11;
constexpr uLong kDosDirectoryAttribute = 0x10;
constexpr uLong kUnixSymlinkAttributes = 0120777ul << 16;
constexpr int kMadeOnUnix = (3 << 8) | 20;

QByteArray rawDeflate(const QByteArray &data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, DEF_MEM_LEVEL,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}
} // namespace

PackageBuilder &PackageBuilder::file(const QString &name, const QByteArray &contents, const QDateTime &date)
{
    return raw(
        {Gb18030::encode(name), contents, date.isValid() ? date : defaultDate(), false, false, std::nullopt});
}

QByteArray PackageBuilder::demoDatabaseBytes()
{
    QFile database(qEnvironmentVariable("DIANCAI_RESOURCES") + u"/update/PadBaseData.db"_s);
    database.open(QIODevice::ReadOnly);
    return database.readAll();
}

PackageBuilder &PackageBuilder::demoDatabase()
{
    return file(u"PadBaseData.db"_s, demoDatabaseBytes());
}

QByteArray databaseWithout(const QByteArray &database, const char *table)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"copy.db"_s);
    sqlite3 *db = nullptr;
    const QByteArray sql = QByteArray("drop table ") + table;
    const bool dropped = writeFile(path, database) &&
                         sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
                         sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return dropped ? readFile(path) : QByteArray();
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
        info.external_fa = isFolder ? kDosDirectoryAttribute : entry.symlink ? kUnixSymlinkAttributes : 0;
        const int method = isFolder ? 0 : Z_DEFLATED;
        const bool lying = entry.declaredSize.has_value();
        const QByteArray data = lying ? rawDeflate(entry.contents) : entry.contents;
        const uLong crc = crc32(0, reinterpret_cast<const Bytef *>(entry.contents.constData()),
                                uInt(entry.contents.size()));
        if (zipOpenNewFileInZip4_64(zip, entry.rawName.constData(), &info, nullptr, 0, nullptr, 0, nullptr,
                                    method, Z_DEFAULT_COMPRESSION, lying ? 1 : 0, -MAX_WBITS, DEF_MEM_LEVEL,
                                    Z_DEFAULT_STRATEGY, nullptr, 0, entry.symlink ? kMadeOnUnix : 0,
                                    entry.utf8Flag ? kUtf8NameFlag : 0, lying ? 1 : 0) != ZIP_OK ||
            zipWriteInFileInZip(zip, data.constData(), unsigned(data.size())) != ZIP_OK ||
            (lying ? zipCloseFileInZipRaw64(zip, entry.declaredSize.value_or(0), crc)
                   : zipCloseFileInZip(zip)) != ZIP_OK) {
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

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size();
}

QStringList listing(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << QDir(folder).relativeFilePath(it.next());
    paths.sort();
    return paths;
}

#include "PackageWriter.h"

#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <zip.h>

using namespace Qt::StringLiterals;

namespace demodata {
namespace {

// The date every entry carries: the demo data's version date, at noon.
constexpr tm_zip kEntryDate{0, 0, 12, 1, 11, 2026};
constexpr uLong kDosDirectoryAttribute = 0x10;

void collect(const QString &root, const QString &relative, QStringList &entries)
{
    const QFileInfo info(root + u'/' + relative);
    if (info.isDir()) {
        entries.append(relative + u'/');
        const QStringList children =
            QDir(info.filePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &child : children)
            collect(root, relative + u'/' + child, entries);
    } else if (info.isFile()) {
        entries.append(relative);
    }
}

} // namespace

QStringList packageEntries(const QString &folder, const QStringList &topLevelNames)
{
    QStringList entries;
    for (const QString &name : topLevelNames)
        collect(folder, name, entries);
    std::sort(entries.begin(), entries.end());
    return entries;
}

QString writePackage(const QString &folder, const QStringList &entries, const QString &zipPath)
{
    TextEncoder gb18030("GB18030");
    const QString partPath = zipPath + u".part"_s;
    QFile::remove(partPath);
    zipFile zip = zipOpen64(QFile::encodeName(partPath).constData(), APPEND_STATUS_CREATE);
    if (!zip)
        return u"cannot create "_s + partPath;

    QString error;
    for (const QString &entry : entries) {
        const auto name = gb18030.encode(entry);
        if (!name) {
            error = u"entry name has no GB18030 form: "_s + entry;
            break;
        }
        const bool isFolder = entry.endsWith(u'/');
        QByteArray contents;
        if (!isFolder) {
            QFile file(folder + u'/' + entry);
            if (!file.open(QIODevice::ReadOnly)) {
                error = u"cannot read "_s + file.fileName();
                break;
            }
            contents = file.readAll();
        }
        zip_fileinfo info{};
        info.tmz_date = kEntryDate;
        info.external_fa = isFolder ? kDosDirectoryAttribute : 0;
        const int method = isFolder ? 0 : Z_DEFLATED;
        if (zipOpenNewFileInZip64(zip, name->constData(), &info, nullptr, 0, nullptr, 0, nullptr, method,
                                  Z_DEFAULT_COMPRESSION, 0) != ZIP_OK ||
            zipWriteInFileInZip(zip, contents.constData(), unsigned(contents.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            error = u"cannot add "_s + entry + u" to "_s + partPath;
            break;
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK && error.isEmpty())
        error = u"cannot finish "_s + partPath;
    if (error.isEmpty()) {
        QFile::remove(zipPath);
        if (!QFile::rename(partPath, zipPath))
            error = u"cannot move the package to "_s + zipPath;
    }
    if (!error.isEmpty())
        QFile::remove(partPath);
    return error;
}

} // namespace demodata

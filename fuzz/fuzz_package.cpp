// The package reader: any bytes as a downloaded package, unpacked (with a small limit) and its
// catalogue checked, as an install does before anything is replaced.
#include "package/PackageUnpacker.h"
#include "storage/BaseDataCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("p.zip"));
    const QString folder = dir.filePath(QStringLiteral("p"));
    {
        QFile file(zip);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    if (PackageUnpacker::unpack(zip, folder, 16 * 1024 * 1024).ok)
        BaseDataCheck::problem(folder);
    return 0;
}

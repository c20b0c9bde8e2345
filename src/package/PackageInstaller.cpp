#include "package/PackageInstaller.h"

#include "foundation/LogCategories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

PackageUnpacker::Result failed(const QString &detail)
{
    qCInfo(lcPackage).noquote() << "install failed:" << detail;
    return PackageUnpacker::Result{false, detail};
}

// A fresh folder in the target's parent, so that the final rename stays on one file system.
std::unique_ptr<QTemporaryDir> folderBeside(const QString &target, const char *purpose)
{
    const QFileInfo info(target);
    auto dir =
        std::make_unique<QTemporaryDir>(info.absolutePath() + QStringLiteral("/.") + info.fileName() + u'-' +
                                        QString::fromLatin1(purpose) + QStringLiteral("-XXXXXX"));
    if (!dir->isValid())
        return nullptr;
    // A temporary folder is private to its owner; the data folder it becomes is an ordinary one.
    QFile::setPermissions(dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                           QFile::ExeOther);
    return dir;
}

} // namespace

namespace PackageInstaller {

bool isInside(const QString &path, const QString &folder)
{
    const QString cleanFolder = QDir::cleanPath(QDir(folder).absolutePath());
    const QString cleanPath = QDir::cleanPath(QDir(path).absolutePath());
    return cleanPath.startsWith(cleanFolder + u'/') && cleanPath.size() > cleanFolder.size() + 1;
}

PackageUnpacker::Result installFolder(const QString &zipPath, const QString &target,
                                      const ContentCheck &checkContent)
{
    const QFileInfo existing(target);
    if (existing.exists() && (!existing.isDir() || existing.isSymLink()))
        return failed(QStringLiteral("something that is not a data folder is in the way: ") + target);

    const std::unique_ptr<QTemporaryDir> staging = folderBeside(target, "unpacking");
    if (!staging)
        return failed(QStringLiteral("cannot create a folder beside ") + target);
    const PackageUnpacker::Result unpacked = PackageUnpacker::unpack(zipPath, staging->path());
    if (!unpacked.ok)
        return unpacked; // the staging folder goes with its QTemporaryDir
    if (checkContent) {
        if (const std::optional<QString> problem = checkContent(staging->path())) {
            PackageUnpacker::Result refused = failed(*problem);
            refused.badContent = true;
            return refused;
        }
    }

    QDir parent = existing.absoluteDir();
    std::unique_ptr<QTemporaryDir> trash;
    QString setAside;
    if (existing.exists()) {
        trash = folderBeside(target, "replaced");
        if (!trash)
            return failed(QStringLiteral("cannot create a folder beside ") + target);
        setAside = trash->filePath(QStringLiteral("old"));
        if (!parent.rename(target, setAside))
            return failed(QStringLiteral("cannot move the current folder aside: ") + target);
    }
    if (!parent.rename(staging->path(), target)) {
        if (!setAside.isEmpty())
            parent.rename(setAside, target);
        return failed(QStringLiteral("cannot move the unpacked folder to ") + target);
    }
    staging->setAutoRemove(false);
    qCInfo(lcPackage).noquote() << "installed" << QFileInfo(zipPath).fileName() << "into" << target;
    return PackageUnpacker::Result{true, {}};
}

} // namespace PackageInstaller

#include "media/FolderIndex.h"

#include <QFile>

#include <dirent.h>

#include <memory>

namespace {
const QString kFinderMetadata = QStringLiteral(".DS_Store");
}

bool FolderIndex::rebuild(const QString &folder)
{
    names.clear();
    paths.clear();
    if (folder.isEmpty())
        return false;

    // readdir, not QDir: it keeps the file system's own order and tells a listing that fails
    // (not a folder, no permission) from an empty folder.
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(opendir(QFile::encodeName(folder).constData()), closedir);
    if (!dir)
        return false;
    while (const dirent *entry = readdir(dir.get())) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == u"." || name == u".." || name == kFinderMetadata)
            continue;
        names.append(name);
        paths.insert(name, folder + u'/' + name);
    }
    return true;
}

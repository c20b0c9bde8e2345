#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The index of one media folder: its entry names in the order the file system lists them
// (no sorting, no filtering by extension; only the Finder's ".DS_Store" is left out) and each
// name's full path "folder/name".
struct FolderIndex {
    QStringList names;
    QHash<QString, QString> paths;

    // Empties the index, then fills it from `folder`. False when the folder does not exist or
    // cannot be listed (the index then stays empty); an empty folder is a success.
    bool rebuild(const QString &folder);
};

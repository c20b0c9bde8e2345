#pragma once

#include <QString>
#include <QStringList>

namespace demodata {

// Every file and folder of a base-data folder as the package lists them: paths relative to the
// folder, "/" as separator, folders ending in "/", in sorted order.
QStringList packageEntries(const QString &folder, const QStringList &topLevelNames);

// Packs the entries of `folder` into the zip file `zipPath` (replaced atomically). Entry names
// are stored in GB18030, the code page the terminal's unpacker reads, and every entry carries the
// same fixed date so that the package's bytes depend only on its contents. Returns an error
// message, empty on success.
QString writePackage(const QString &folder, const QStringList &entries, const QString &zipPath);

} // namespace demodata

#pragma once

#include <QString>

// The folder of the installed base data, derived from the stored package name "kZipFileName":
// "<home>/<name without extension>", or the shipped "update" resources folder when no package
// was ever installed. After the data was deleted the name is "empty.first" and the folder
// "<home>/empty" does not exist, so every catalogue file is missing.
namespace DataFolder {
inline const QString kNoPackageName = QStringLiteral("empty.first");

QString path();
// The rule itself, for a given stored name (absent reads as empty).
QString pathForPackage(const QString &zipFileName);
} // namespace DataFolder

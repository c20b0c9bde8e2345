#pragma once

#include "package/PackageUnpacker.h"

#include <QString>

#include <functional>
#include <optional>

// Puts an unpacked package in place without ever leaving a half-written data folder: the
// package is unpacked into a fresh hidden folder beside the target and renamed onto the target
// only once every entry is written. A target already there (a package named like the installed
// one) is moved aside first and deleted only after the new folder is in place; if anything fails
// the target is as it was and the fresh folder is gone.
namespace PackageInstaller {

// Why an unpacked folder may not be installed; absent when it may.
using ContentCheck = std::function<std::optional<QString>(const QString &folder)>;

// `checkContent`, when given, looks at the unpacked folder before it replaces anything; a problem
// it finds fails the install with `badContent` set.
PackageUnpacker::Result installFolder(const QString &zipPath, const QString &target,
                                      const ContentCheck &checkContent = {});

// True when `path` lies strictly inside `folder` (after resolving "." and "..").
bool isInside(const QString &path, const QString &folder);

} // namespace PackageInstaller

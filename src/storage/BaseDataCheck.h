#pragma once

#include <QString>

#include <optional>

// Whether a base-data folder holds a catalogue the terminal can read: a "PadBaseData.db" that is a
// regular file, opens as a database, has the category and dish tables, and yields every row of the
// columns the catalogue queries read from each of its tables.
// A new package is checked before it replaces the installed data, so a damaged one never leaves an
// empty menu behind.
namespace BaseDataCheck {

// Why the folder's catalogue cannot be read; absent when it can.
std::optional<QString> problem(const QString &folder);

} // namespace BaseDataCheck

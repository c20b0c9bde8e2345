#pragma once

#include <QStringList>

namespace ConfigKeys {
// Every key the settings screen stores: ConfigManager's, in the order its save() writes them, then
// the menu layout and the installed base-data package.
const QStringList &all();
} // namespace ConfigKeys

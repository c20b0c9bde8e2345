#pragma once

#include "Catalogue.h"

namespace demodata {

// Writes the catalogue as "PadBaseData.db". An existing file is replaced. Returns an error
// message, empty on success.
QString writeBaseDataDatabase(const Catalogue &catalogue, const QString &path);

} // namespace demodata

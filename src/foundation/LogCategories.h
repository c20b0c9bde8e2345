#pragma once

#include <QLoggingCategory>

// One category per subsystem, so that QT_LOGGING_RULES (e.g. "diancai.server.debug=true") picks
// what the support log and the console show.
Q_DECLARE_LOGGING_CATEGORY(lcApp)     // "diancai.app": start, stop, the previous run's end
Q_DECLARE_LOGGING_CATEGORY(lcServer)  // "diancai.server": commands sent, their outcome and time
Q_DECLARE_LOGGING_CATEGORY(lcOrder)   // "diancai.order": sends, holds, the kept order
Q_DECLARE_LOGGING_CATEGORY(lcDining)  // "diancai.dining": table operations
Q_DECLARE_LOGGING_CATEGORY(lcPackage) // "diancai.package": downloads and installs
Q_DECLARE_LOGGING_CATEGORY(lcStorage) // "diancai.storage": the local databases

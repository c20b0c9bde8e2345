#include "LogCategories.h"

Q_LOGGING_CATEGORY(lcApp, "diancai.app")
Q_LOGGING_CATEGORY(lcServer, "diancai.server")
Q_LOGGING_CATEGORY(lcOrder, "diancai.order")
Q_LOGGING_CATEGORY(lcDining, "diancai.dining")
Q_LOGGING_CATEGORY(lcPackage, "diancai.package")
Q_LOGGING_CATEGORY(lcStorage, "diancai.storage")

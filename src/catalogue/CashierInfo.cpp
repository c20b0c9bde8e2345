#include "catalogue/CatalogueRecords.h"

namespace {
constexpr qsizetype kZengSongAuthIndex = 19;
}

bool CashierInfo::hasZengSongAuth() const
{
    return userAuth.size() > kZengSongAuthIndex && userAuth.at(kZengSongAuthIndex) == u'Y';
}

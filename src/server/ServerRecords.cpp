#include "server/ServerRecords.h"

bool Row2::isChengZhongItem() const
{
    return havePrtFlag == QStringLiteral("2") && FoodType != QStringLiteral("M") && FlagGroup &&
           FlagGroup->size() >= 2 && FlagGroup->at(1) == u'Y';
}

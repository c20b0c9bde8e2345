#include "server/ServerRecords.h"

#include <charconv>
#include <cmath>

bool Row2::isChengZhongItem() const
{
    return havePrtFlag == QStringLiteral("2") && FoodType != QStringLiteral("M") && FlagGroup &&
           FlagGroup->size() >= 2 && FlagGroup->at(1) == u'Y';
}

std::optional<QString> finiteNumberText(const std::optional<QString> &text)
{
    if (!text)
        return text;
    // What QString::toFloat reads: blanks around it and a sign allowed.
    QByteArray number = text->trimmed().toLatin1();
    if (number.startsWith('+'))
        number.remove(0, 1);
    float value = 0;
    const char *end = number.constData() + number.size();
    const auto [stop, failure] = std::from_chars(number.constData(), end, value);
    const bool isNumber = stop == end && !number.isEmpty();
    if (isNumber && (failure == std::errc::result_out_of_range || !std::isfinite(value)))
        return QStringLiteral("0");
    return text;
}

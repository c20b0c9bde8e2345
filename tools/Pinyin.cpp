#include "Pinyin.h"

#include "TextCodec.h"

#include <QHash>
#include <array>

namespace demodata {
namespace {

// The first level of GB2312 (0xB0A1..0xD7F9) is ordered by pinyin, so the initial follows from
// the code: each entry is the first code of a letter's run.
struct InitialRun {
    int firstCode;
    char letter;
};
constexpr std::array<InitialRun, 23> kRuns{{
    {0xB0A1, 'A'}, {0xB0C5, 'B'}, {0xB2C1, 'C'}, {0xB4EE, 'D'}, {0xB6EA, 'E'}, {0xB7A2, 'F'},
    {0xB8C1, 'G'}, {0xB9FE, 'H'}, {0xBBF7, 'J'}, {0xBFA6, 'K'}, {0xC0AC, 'L'}, {0xC2E8, 'M'},
    {0xC4C3, 'N'}, {0xC5B6, 'O'}, {0xC5BE, 'P'}, {0xC6DA, 'Q'}, {0xC8BB, 'R'}, {0xC8F6, 'S'},
    {0xCBFA, 'T'}, {0xCDDA, 'W'}, {0xCEF4, 'X'}, {0xD1B9, 'Y'}, {0xD4D1, 'Z'},
}};
constexpr int kLastLevelOneCode = 0xD7F9;

// Characters of the second level (ordered by radical, not by sound) or outside GB2312 that dish
// and staff names use, and readings where the first level's order gives the wrong one.
const QHash<QChar, char> &exceptions()
{
    static const QHash<QChar, char> table{
        {u'馄', 'H'},
        {u'饨', 'T'},
        {u'焗', 'J'},
        {u'豉', 'C'},
        {u'鲈', 'L'},
        {u'鳜', 'G'},
        {u'鱿', 'Y'},
        {u'蚝', 'H'},
        {u'啫', 'Z'},
        {u'煲', 'B'},
        {u'泸', 'L'},
        {u'蜇', 'Z'},
        {u'鲫', 'J'},
        {u'濑', 'L'},
        {u'戟', 'J'},
        {u'煨', 'W'},
        {u'焯', 'C'},
        {u'馕', 'N'},
        {u'鲢', 'L'},
        {u'鳝', 'S'},
        {u'鲶', 'N'},
        {u'鲳', 'C'},
        {u'鲅', 'B'},
        {u'蛏', 'C'},
        {u'蚬', 'X'},
        {u'腩', 'N'},
        {u'腱', 'J'},
        {u'焖', 'M'},
        {u'炝', 'Q'},
        {u'汆', 'C'},
        {u'炖', 'D'},
        {u'煸', 'B'},
        {u'醪', 'L'},
        {u'粿', 'G'},
        {u'粑', 'B'},
        {u'糍', 'C'},
        {u'喱', 'L'},
        {u'榄', 'L'},
        {u'蜊', 'L'},
        {u'鳕', 'X'},
        {u'鲟', 'X'},
        {u'鳗', 'M'},
        {u'鲷', 'D'},
        {u'喆', 'Z'},
        {u'鲩', 'H'},
        {u'麸', 'F'},
        {u'噜', 'L'},
        {u'婷', 'T'},
        {u'柚', 'Y'},
        {u'芙', 'F'},
        {u'茉', 'M'},
        {u'镬', 'H'},
        {u'靓', 'L'},
        {u'鳙', 'Y'},
        // 重庆 (chong), not zhong.
        {u'重', 'C'},
    };
    return table;
}

char initialOf(QChar c, TextEncoder &gb2312)
{
    if (c.unicode() < 0x80)
        return c.isLetterOrNumber() ? c.toUpper().toLatin1() : '\0';
    if (auto it = exceptions().constFind(c); it != exceptions().constEnd())
        return it.value();
    const auto bytes = gb2312.encode(QString(c));
    if (!bytes || bytes->size() != 2)
        return '\0';
    const int code = (uchar(bytes->at(0)) << 8) | uchar(bytes->at(1));
    if (code < kRuns.front().firstCode || code > kLastLevelOneCode)
        return '\0';
    char letter = kRuns.front().letter;
    for (const InitialRun &run : kRuns) {
        if (code < run.firstCode)
            break;
        letter = run.letter;
    }
    return letter;
}

} // namespace

QString pinyinInitials(const QString &name)
{
    static thread_local TextEncoder gb2312("GB2312");
    QString initials;
    for (QChar c : name) {
        if (const char letter = initialOf(c, gb2312))
            initials += QLatin1Char(letter);
    }
    return initials;
}

} // namespace demodata

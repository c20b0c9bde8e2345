#include "foundation/CommonUtils.h"

namespace CommonUtils {

QString removeStringZero(const QString &text)
{
    if (!text.contains(u'.'))
        return text;
    QString result = text;
    while (result.endsWith(u'0'))
        result.chop(1);
    if (result.endsWith(u'.'))
        result.chop(1);
    return result;
}

QString removeFloatZero(float number)
{
    return removeStringZero(format2(number));
}

bool isValidNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c != u'.' && (c < u'0' || c > u'9'))
            return false;
    }
    return true;
}

QString stringByEscapingForURLArgument(const QString &text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QString out;
    out.reserve(utf8.size() * 3);
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            out += QChar(c);
        } else {
            out += u'%';
            out += QChar(hex[c >> 4]);
            out += QChar(hex[c & 0xF]);
        }
    }
    return out;
}

QString format2(float number)
{
    return QString::asprintf("%.2f", double(number));
}

QString format6(float number)
{
    return QString::asprintf("%f", double(number));
}

} // namespace CommonUtils

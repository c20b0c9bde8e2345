#include "foundation/CommonUtils.h"

#include <algorithm>
#include <charconv>

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

QString xmlEscape(const QString &text, XmlWhitespace whitespace)
{
    const bool references = whitespace == XmlWhitespace::AsReferences;
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\'':
            out += QStringLiteral("&apos;");
            break;
        case u'\t':
            out += references ? QStringLiteral("&#9;") : QStringLiteral("\t");
            break;
        case u'\n':
            out += references ? QStringLiteral("&#10;") : QStringLiteral("\n");
            break;
        case u'\r':
            out += references ? QStringLiteral("&#13;") : QStringLiteral("\r");
            break;
        default:
            if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF)
                out += c;
        }
    }
    return out;
}

namespace {
// Exactly what C's "%.Nf" prints (ties of the binary value round to even), whatever the locale.
QString fixed(float number, int decimals)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(number), std::chars_format::fixed, decimals);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
} // namespace

QString format2(float number)
{
    return fixed(number, 2);
}

QString format6(float number)
{
    return fixed(number, 6);
}

std::optional<float> typedNumber(const QString &text)
{
    if (!isValidNumber(text))
        return std::nullopt;
    const qsizetype first = text.indexOf(u'.');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'.', first + 1);
    QString leading = second < 0 ? text : text.left(second);
    if (leading == u".")
        return 0.0f;
    if (leading.endsWith(u'.'))
        leading.chop(1);
    if (leading.startsWith(u'.'))
        leading.prepend(u'0');
    bool ok = false;
    const float value = leading.toFloat(&ok);
    return ok ? std::optional<float>(value) : std::nullopt;
}

std::optional<float> editedNumber(const QString &text)
{
    if (text.count(u'.') > 1 || !std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }))
        return std::nullopt;
    return typedNumber(text);
}

} // namespace CommonUtils

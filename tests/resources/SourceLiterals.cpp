#include "SourceLiterals.h"

namespace {

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

QChar escaped(QChar c)
{
    switch (c.unicode()) {
    case 'n':
        return u'\n';
    case 't':
        return u'\t';
    case 'r':
        return u'\r';
    case '0':
        return QChar(0);
    default:
        return c; // \" \' \\ and anything unusual stand for themselves
    }
}

class Scanner {
public:
    Scanner(const QString &source, SourceLanguage language) : src(source), lang(language) {}

    QList<SourceLiteral> run()
    {
        while (pos < src.size()) {
            const QChar c = src.at(pos);
            if (c == u'/' && peek(1) == u'/')
                skipUntil(QStringLiteral("\n"), false);
            else if (c == u'/' && peek(1) == u'*')
                skipUntil(QStringLiteral("*/"), true);
            else if (c == u'"')
                takeDoubleQuoted();
            else if (c == u'\'' || (c == u'`' && lang == SourceLanguage::JavaScript))
                takeQuoted(c);
            else
                advance();
        }
        return literals;
    }

private:
    QChar peek(qsizetype offset) const { return pos + offset < src.size() ? src.at(pos + offset) : QChar(); }

    void advance()
    {
        if (src.at(pos) == u'\n')
            ++line;
        ++pos;
    }

    void skipUntil(const QString &end, bool consumeEnd)
    {
        pos += 2;
        while (pos < src.size() && !QStringView(src).mid(pos).startsWith(end))
            advance();
        if (consumeEnd)
            pos += end.size();
    }

    // The identifier glued to the opening quote: a C++ encoding or raw-string prefix.
    QString prefixBeforeQuote() const
    {
        qsizetype start = pos;
        while (start > 0 && isIdentifierChar(src.at(start - 1)))
            --start;
        return src.mid(start, pos - start);
    }

    void takeDoubleQuoted()
    {
        const int startLine = line;
        const QString prefix = lang == SourceLanguage::Cpp ? prefixBeforeQuote() : QString();
        const bool raw =
            prefix == u"R" || prefix == u"u8R" || prefix == u"uR" || prefix == u"UR" || prefix == u"LR";
        const qsizetype prefixStart = pos - prefix.size();
        const QString text = raw ? readRaw() : readEscaped(u'"');
        // "a" "b" is one literal to the compiler.
        if (lang == SourceLanguage::Cpp && lastCppEnd >= 0 &&
            src.mid(lastCppEnd, prefixStart - lastCppEnd).trimmed().isEmpty()) {
            literals.last().text += text;
        } else {
            literals.append({text, startLine});
        }
        lastCppEnd = pos;
    }

    void takeQuoted(QChar quote)
    {
        if (lang == SourceLanguage::Cpp) {
            // A quote after a digit is a digit separator (1'000), not a character literal.
            if (pos > 0 && isIdentifierChar(src.at(pos - 1))) {
                advance();
                return;
            }
            readEscaped(quote);
            return;
        }
        const int startLine = line;
        literals.append({readEscaped(quote), startLine});
    }

    // Reads from the opening quote at `pos` to the matching closing one; an unterminated
    // literal ends at the line's end, as the compiler would stop there too.
    QString readEscaped(QChar quote)
    {
        QString text;
        const bool multiLine = quote == u'`';
        ++pos;
        while (pos < src.size()) {
            const QChar c = src.at(pos);
            if (c == quote) {
                ++pos;
                break;
            }
            if (c == u'\n' && !multiLine)
                break;
            if (c == u'\\' && pos + 1 < src.size()) {
                const QChar next = src.at(pos + 1);
                pos += 2;
                if (next == u'\n')
                    ++line; // line continuation
                else if (next == u'u' || next == u'U')
                    text += readCodePoint(next == u'u' ? 4 : 8);
                else
                    text += escaped(next);
                continue;
            }
            text += c;
            advance();
        }
        return text;
    }

    // \uXXXX and \UXXXXXXXX name a code point; anything malformed is kept as written.
    QString readCodePoint(int digits)
    {
        bool ok = false;
        const char32_t code = src.mid(pos, digits).toUInt(&ok, 16);
        if (!ok || src.mid(pos, digits).size() != digits)
            return QString(src.at(pos - 1));
        pos += digits;
        return QString::fromUcs4(&code, 1);
    }

    QString readRaw()
    {
        const qsizetype open = src.indexOf(u'(', pos);
        if (open < 0) {
            pos = src.size();
            return {};
        }
        const QString close = u')' + src.mid(pos + 1, open - pos - 1) + u'"';
        const qsizetype end = src.indexOf(close, open + 1);
        const qsizetype stop = end < 0 ? src.size() : end;
        const QString text = src.mid(open + 1, stop - open - 1);
        line += int(text.count(u'\n'));
        pos = end < 0 ? src.size() : end + close.size();
        return text;
    }

    const QString &src;
    SourceLanguage lang;
    qsizetype pos = 0;
    int line = 1;
    qsizetype lastCppEnd = -1;
    QList<SourceLiteral> literals;
};

} // namespace

QList<SourceLiteral> stringLiterals(const QString &source, SourceLanguage language)
{
    return Scanner(source, language).run();
}

bool containsCjkIdeograph(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x4e00 && u <= 0x9fff) || (u >= 0x3400 && u <= 0x4dbf) || (u >= 0xf900 && u <= 0xfaff))
            return true;
    }
    return false;
}

#include "SourceLiterals.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Escapes resolved as the compiler does; "\" before a line break continues the line.
QString unescaped(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar c = text[++i];
        const int digits = c == u'u' ? 4 : c == u'U' ? 8 : 0;
        bool ok = false;
        const char32_t code = text.mid(i + 1, digits).toUInt(&ok, 16);
        if (digits && ok && text.mid(i + 1, digits).size() == digits) {
            out += QString::fromUcs4(&code, 1);
            i += digits;
        } else if (c != u'\n') {
            out += c == u'n'   ? QChar(u'\n')
                   : c == u't' ? QChar(u'\t')
                   : c == u'r' ? QChar(u'\r')
                   : c == u'0' ? QChar(0)
                               : c;
        }
    }
    return out;
}

} // namespace

QList<SourceLiteral> stringLiterals(const QString &source, SourceLanguage language)
{
    // One token at a time: comments, then the literals; an unterminated one ends at its line's end.
    // C++: group 1/2 a raw string's delimiter and text, group 3 a quoted string; a quote after a
    // (hex) digit is a digit separator, any other '...' a character. JavaScript: groups 1-3 are
    // strings in "...", '...' and `...`.
    static const QRegularExpression cpp(
        uR"re(//[^\n]*|/\*[\s\S]*?(?:\*/|$)|(?<!\w)(?:u8|[uUL])?R"([^(]*)\(([\s\S]*?)(?:\)\1"|$))re"
        uR"re(|"((?:\\[\s\S]|[^"\\\n])*)"?|(?<![0-9A-Fa-f])'(?:\\[\s\S]|[^'\\\n])*'?)re"_s);
    static const QRegularExpression javaScript(
        uR"re(//[^\n]*|/\*[\s\S]*?(?:\*/|$)|"((?:\\[\s\S]|[^"\\\n])*)"?|'((?:\\[\s\S]|[^'\\\n])*)'?)re"
        uR"re(|`((?:\\[\s\S]|[^`\\])*)`?)re"_s);
    const bool isCpp = language == SourceLanguage::Cpp;
    QList<SourceLiteral> literals;
    int line = 1;
    qsizetype counted = 0, lastStringEnd = -1;
    for (const QRegularExpressionMatch &m : (isCpp ? cpp : javaScript).globalMatch(source)) {
        line += int(QStringView(source).mid(counted, m.capturedStart() - counted).count(u'\n'));
        counted = m.capturedStart();
        const int group = m.hasCaptured(3) ? 3 : m.hasCaptured(2) ? 2 : m.hasCaptured(1) ? 1 : 0;
        if (group == 0 || (isCpp && group == 1))
            continue; // a comment or a character
        const bool raw = isCpp && group == 2;
        const QString text = raw ? m.captured(2) : unescaped(m.captured(group));
        // "a" "b" is one literal to the compiler.
        qsizetype start = m.capturedStart();
        while (start > 0 && (source[start - 1].isLetterOrNumber() || source[start - 1] == u'_'))
            --start;
        if (isCpp && lastStringEnd >= 0 &&
            source.mid(lastStringEnd, start - lastStringEnd).trimmed().isEmpty())
            literals.last().text += text;
        else
            literals.append({text, line});
        if (isCpp)
            lastStringEnd = m.capturedEnd();
    }
    return literals;
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

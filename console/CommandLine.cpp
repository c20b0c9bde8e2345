#include "CommandLine.h"

#include "foundation/CommonUtils.h"

namespace CommandLine {

std::optional<QStringList> split(const QString &line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (const QChar c : line) {
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else
                word += c;
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else if (c == u'#') {
            break;
        } else if (c.isSpace()) {
            if (inWord)
                words.append(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inWord)
        words.append(word);
    return words;
}

std::optional<QString> option(const QString &word, const QString &name)
{
    const QString prefix = name + u'=';
    if (!word.startsWith(prefix))
        return std::nullopt;
    return word.mid(prefix.size());
}

} // namespace CommandLine

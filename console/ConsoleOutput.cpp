#include "ConsoleOutput.h"

#include <cstdio>

namespace {
// A message is one line whatever the server put in it.
QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}
} // namespace

namespace ConsoleOutput {

void line(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void row(const QStringList &fields)
{
    line(fields.join(u'\t'));
}

void ok(const QString &text)
{
    line(QStringLiteral("ok: ") + oneLine(text));
}

void notice(const QString &text)
{
    line(QStringLiteral("notice: ") + oneLine(text));
}

void error(const QString &text)
{
    line(QStringLiteral("error: ") + oneLine(text));
}

} // namespace ConsoleOutput

void PrintingNoticeSink::confirm(const QString &, const QString &message, const QString &, const QString &,
                                 std::function<void(bool)> answer)
{
    ConsoleOutput::notice(message);
    if (answer)
        answer(false);
}

void PrintingNoticeSink::alert(const QString &, const QString &message, const QString &,
                               std::function<void()> closed)
{
    ConsoleOutput::notice(message);
    if (closed)
        closed();
}

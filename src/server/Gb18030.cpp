#include "server/Gb18030.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Converts all of `input`, writing `replacement` for each byte that cannot be converted.
QByteArray convert(const char *to, const char *from, const QByteArray &input, const QByteArray &replacement)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        return {};
    QByteArray out;
    out.reserve(input.size() * 2 + 16);
    char *in = const_cast<char *>(input.constData());
    size_t inLeft = size_t(input.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, qsizetype(sizeof buffer - outLeft));
        if (done != size_t(-1) || errno == E2BIG)
            continue;
        // EILSEQ: one bad byte; EINVAL: an incomplete sequence at the end.
        out.append(replacement);
        if (errno == EINVAL)
            break;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    return out;
}

} // namespace

namespace Gb18030 {

QString decode(const QByteArray &bytes)
{
    return QString::fromUtf8(convert("UTF-8", "GB18030", bytes, QByteArrayLiteral("\xEF\xBF\xBD")));
}

QByteArray encode(const QString &text)
{
    // Every Unicode character has a GB18030 form; "?" only stands in should iconv disagree.
    return convert("GB18030", "UTF-8", text.toUtf8(), QByteArrayLiteral("?"));
}

} // namespace Gb18030

#include "TextCodec.h"

#include <cerrno>

namespace demodata {

TextEncoder::TextEncoder(const char *charset) : m_cd(iconv_open(charset, "UTF-8")) {}

TextEncoder::~TextEncoder()
{
    if (m_cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(m_cd);
}

std::optional<QByteArray> TextEncoder::encode(const QString &text)
{
    if (m_cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray in = text.toUtf8();
    // GB18030 needs at most 4 bytes for a character that UTF-8 writes in at least 1.
    QByteArray out(in.size() * 4 + 4, '\0');
    char *inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char *outPtr = out.data();
    size_t outLeft = size_t(out.size());
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // forget any state of a failed call
    if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
        return std::nullopt;
    out.truncate(out.size() - qsizetype(outLeft));
    return out;
}

} // namespace demodata

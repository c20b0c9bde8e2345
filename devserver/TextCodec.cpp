#include "TextCodec.h"

#include <cerrno>
#include <iconv.h>

namespace {

std::optional<std::string> convert(const std::string &input, const char *from, const char *to)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string output;
    output.resize(input.size() * 2 + 16);
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    std::size_t written = 0;
    bool ok = true;
    while (inLeft > 0) {
        char *out = output.data() + written;
        std::size_t outLeft = output.size() - written;
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        written = output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        ok = false; // EILSEQ or EINVAL: the input is not valid in its encoding
        break;
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    output.resize(written);
    return output;
}

// Length of the valid UTF-8 sequence at text[i], or 0.
std::size_t utf8SequenceLength(const std::string &text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < minimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE ||
        code == 0xFFFF)
        return 0;
    return length;
}

} // namespace

namespace TextCodec {

std::optional<std::string> utf8ToGb18030(const std::string &utf8)
{
    return convert(utf8, "UTF-8", "GB18030");
}

std::optional<std::string> toUtf8(const std::string &bytes, const char *encoding)
{
    return convert(bytes, encoding, "UTF-8");
}

std::string sanitizeUtf8(const std::string &text)
{
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0) {
            clean += '?';
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (length > 1 || c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            clean.append(text, i, length);
        i += length;
    }
    return clean;
}

} // namespace TextCodec

#pragma once

#include <QByteArray>
#include <QString>

#include <iconv.h>
#include <optional>

namespace demodata {

// Converts UTF-16 text into a legacy Chinese code page through iconv. The base-data package stores
// its entry names in GB18030, and the mnemonic letters are read off GB2312 codes.
class TextEncoder {
public:
    explicit TextEncoder(const char *charset);
    ~TextEncoder();
    TextEncoder(const TextEncoder &) = delete;
    TextEncoder &operator=(const TextEncoder &) = delete;

    // The encoded bytes, or nothing when the code page has no code for some character.
    std::optional<QByteArray> encode(const QString &text);

private:
    iconv_t m_cd;
};

} // namespace demodata

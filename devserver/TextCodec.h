#pragma once

#include <optional>
#include <string>

// Conversions between UTF-8 and the Chinese encodings of the wire, through iconv.
namespace TextCodec {

// UTF-8 text as GB18030 bytes; nothing when the text is not valid UTF-8.
std::optional<std::string> utf8ToGb18030(const std::string &utf8);
// Bytes in the named encoding as UTF-8; nothing when a byte sequence is not valid in it.
std::optional<std::string> toUtf8(const std::string &bytes, const char *encoding);
// Valid UTF-8 with every XML-forbidden control character dropped and every broken byte turned into
// "?", so that whatever the catalogue or a request holds can be written into a reply.
std::string sanitizeUtf8(const std::string &text);

} // namespace TextCodec

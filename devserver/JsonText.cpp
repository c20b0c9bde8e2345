#include "JsonText.h"

#include "TextCodec.h"

#include <cstdio>

namespace JsonText {

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : TextCodec::sanitizeUtf8(text)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

} // namespace JsonText

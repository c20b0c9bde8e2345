#pragma once

#include "Reply.h"

#include <string>

// Writes replies as the terminal reads them: an XML document that declares encoding="gb2312" and
// whose bytes are GB18030 (a superset, so every GB2312 reader reads the common characters).
namespace ReplyWriter {

inline constexpr const char *kDeclaration = "<?xml version=\"1.0\" encoding=\"gb2312\"?>";

std::string escapeText(const std::string &text);
std::string escapeAttribute(const std::string &text);

// The document as UTF-8 text (declaration included).
std::string toXml(const Reply &reply);
// Any UTF-8 XML text as the bytes sent on the wire.
std::string encode(const std::string &xmlText);
// toXml + encode.
std::string toBytes(const Reply &reply);

} // namespace ReplyWriter

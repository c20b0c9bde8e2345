#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace httplib {
struct Request;
}

// Reading the "xmlFile" form field of a command post.
namespace FormDecoding {

// Percent-decoding of URL-encoded UTF-8; a "%" not followed by two hex digits stays as it is.
std::string percentDecode(std::string_view text, bool plusIsSpace);
// name=value pairs joined by "&"; the first value of a name wins.
std::map<std::string, std::string> parseUrlEncoded(std::string_view body);
// The field from an application/x-www-form-urlencoded or multipart/form-data body (a body
// without a content type is read as URL-encoded). Nothing, with the reason in error, when the post has no
// such field.
std::optional<std::string> formField(const httplib::Request &request, const std::string &name,
                                     std::string &error);

} // namespace FormDecoding

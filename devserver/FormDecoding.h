#pragma once

#include <httplib.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the "xmlFile" form field of a command post.
namespace FormDecoding {

// Percent-decoding of URL-encoded UTF-8; a "%" not followed by two hex digits stays as it is.
std::string percentDecode(std::string_view text, bool plusIsSpace);
// name=value pairs joined by "&"; the first value of a name wins.
std::map<std::string, std::string> parseUrlEncoded(std::string_view body);
// A post's body as read: the parts of a multipart/form-data body, else the body itself.
struct PostedForm {
    std::string body;
    std::vector<httplib::MultipartFormData> parts;
    bool tooLarge = false; // more than the maximum: reading stopped
};
// Reads the body of a post to a content-reader route, up to maxBytes. The library's own reading
// refuses URL-encoded bodies over 8 KB, far below a large order; this takes any body the server's
// payload limit lets through. False when the body could not be read whole.
bool readPost(const httplib::Request &request, const httplib::ContentReader &reader, std::size_t maxBytes,
              PostedForm &form);
// The field from an application/x-www-form-urlencoded or multipart/form-data body (a body
// without a content type is read as URL-encoded). Nothing, with the reason in error, when the post has no
// such field.
std::optional<std::string> formField(const httplib::Request &request, const PostedForm &form,
                                     const std::string &name, std::string &error);

} // namespace FormDecoding

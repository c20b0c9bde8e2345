#include "FormDecoding.h"

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

namespace FormDecoding {

std::string percentDecode(std::string_view text, bool plusIsSpace)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else if (c == '+' && plusIsSpace) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::map<std::string, std::string> parseUrlEncoded(std::string_view body)
{
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('&', start);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view pair = body.substr(start, end - start);
        if (!pair.empty()) {
            const std::size_t equals = pair.find('=');
            const std::string name = percentDecode(pair.substr(0, equals), true);
            const std::string value = equals == std::string_view::npos
                                          ? std::string()
                                          : percentDecode(pair.substr(equals + 1), true);
            fields.emplace(name, value);
        }
        start = end + 1;
    }
    return fields;
}

bool readPost(const httplib::Request &request, const httplib::ContentReader &reader, std::size_t maxBytes,
              PostedForm &form)
{
    std::size_t received = 0;
    // Appends a piece unless the body grows beyond the maximum.
    const auto append = [&](std::string &to, const char *data, std::size_t length) {
        received += length;
        form.tooLarge = received > maxBytes;
        if (!form.tooLarge)
            to.append(data, length);
        return !form.tooLarge;
    };
    // As the library decides it: its content reader parses exactly these bodies as parts.
    if (!request.is_multipart_form_data())
        return reader([&](const char *data, std::size_t length) { return append(form.body, data, length); });
    return reader(
        [&](const httplib::MultipartFormData &part) {
            form.parts.push_back(part);
            return true;
        },
        [&](const char *data, std::size_t length) {
            return !form.parts.empty() && append(form.parts.back().content, data, length);
        });
}

std::optional<std::string> formField(const httplib::Request &request, const PostedForm &form,
                                     const std::string &name, std::string &error)
{
    if (request.is_multipart_form_data()) {
        for (const httplib::MultipartFormData &part : form.parts) {
            if (part.name == name)
                return part.content;
        }
        error = "表单中没有字段" + name;
        return std::nullopt;
    }
    const auto fields = parseUrlEncoded(form.body);
    const auto field = fields.find(name);
    if (field == fields.end()) {
        error = form.body.empty() ? "请求内容为空" : "表单中没有字段" + name;
        return std::nullopt;
    }
    return field->second;
}

} // namespace FormDecoding

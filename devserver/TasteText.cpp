#include "TasteText.h"

#include "Numbers.h"

#include <sstream>

namespace TasteText {

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, separator))
        parts.push_back(part);
    if (text.back() == separator)
        parts.emplace_back();
    return parts;
}

std::optional<std::pair<std::string, double>> typedTaste(const std::string &manual)
{
    // An XML reader turns the tab of an attribute value into a blank: accept both.
    const auto cut = manual.find_last_of("\t ");
    if (cut == std::string::npos)
        return std::nullopt;
    const auto amount = Numbers::parseDecimal(manual.substr(cut + 1));
    if (!amount)
        return std::nullopt;
    return std::pair{manual.substr(0, cut), *amount};
}

} // namespace TasteText

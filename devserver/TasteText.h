#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The taste fields of an order line: "TasteDef" lists catalogue taste numbers ("12,15"),
// "TasteManual" the typed tastes, each its text and its surcharge ("打包\t1.000000,...").
namespace TasteText {

// Splits at every separator; an empty text gives no parts.
std::vector<std::string> split(const std::string &text, char separator);
// A typed taste's text and surcharge; nothing when it carries no readable amount.
std::optional<std::pair<std::string, double>> typedTaste(const std::string &manual);

} // namespace TasteText

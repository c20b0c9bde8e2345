#pragma once

#include <string>

// Enough JSON for the control endpoint's answers.
namespace JsonText {

// The text as a quoted JSON string (UTF-8 kept, control characters escaped).
std::string quoted(const std::string &text);

} // namespace JsonText

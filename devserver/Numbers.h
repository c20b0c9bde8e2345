#pragma once

#include <optional>
#include <string>

// Numbers as the terminal sends them ("1.000000", "4") and as the replies show them.
namespace Numbers {

// A finite decimal number that fills the whole text (no sign, blanks or exponent); else nothing.
std::optional<double> parseDecimal(const std::string &text);
// A quantity: a decimal number greater than zero.
std::optional<double> parseQuantity(const std::string &text);
// A guest count: a whole number from 1 to 999.
std::optional<int> parseGuestCount(const std::string &text);

// "%.2f" for prices and amounts.
std::string money(double value);
// Quantities without trailing zeros: 2.500 -> "2.5", 3.000 -> "3", 0 -> "0".
std::string quantity(double value);
// The values that money() and quantity() show, as a reader of the reply gets them.
double asShownMoney(double value);
double asShownQuantity(double value);

} // namespace Numbers

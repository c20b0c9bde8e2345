#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Numbers {

std::optional<double> parseDecimal(const std::string &text)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> parseQuantity(const std::string &text)
{
    const auto value = parseDecimal(text);
    if (!value || *value <= 0)
        return std::nullopt;
    return value;
}

std::optional<int> parseGuestCount(const std::string &text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int count = std::stoi(text);
    if (count < 1)
        return std::nullopt;
    return count;
}

std::string money(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", std::fabs(value) < 0.005 ? 0.0 : value);
    return buffer;
}

std::string quantity(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", std::fabs(value) < 0.0005 ? 0.0 : value);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

double asShownMoney(double value)
{
    return std::strtod(money(value).c_str(), nullptr);
}

double asShownQuantity(double value)
{
    return std::strtod(quantity(value).c_str(), nullptr);
}

} // namespace Numbers

#pragma once

#include <QString>

#include <optional>

// Number and text helpers shared by every layer. Numbers are formatted with the C conventions
// ("%.2f", "%f"), never with the locale.
namespace CommonUtils {
// Drops trailing zeros after a point, then a trailing point: "2.50" -> "2.5", "3.00" -> "3".
QString removeStringZero(const QString &text);
// "%.2f" of the number, shortened by removeStringZero.
QString removeFloatZero(float number);
// The whole text is one or more of "0"-"9" and ".".
bool isValidNumber(const QString &text);
// The value of a typed number as the editors read it: the leading decimal number of a text made
// only of "0"-"9" and "." (with two points it counts up to the second). Absent for anything else.
std::optional<float> typedNumber(const QString &text);
// The value of a number typed in an editor field: digits with at most one point and at least one
// digit ("0", "2.5", ".5", "3."). Absent for anything else, "." and "1..2" included.
std::optional<float> editedNumber(const QString &text);
// Percent-encodes the UTF-8 bytes of everything but ASCII letters, digits and "-_.~".
QString stringByEscapingForURLArgument(const QString &text);

// How xmlEscape treats tabs and line breaks. An XML reader turns a literal one inside an attribute
// into a blank (and CR LF into LF anywhere), so text that must come back unchanged carries them
// as character references; text meant for the ordering server keeps them as they are.
enum class XmlWhitespace { AsIs, AsReferences };
// The text ready to stand in XML element content or a double-quoted attribute: & < > " ' become
// entity references, and control characters that XML 1.0 cannot carry at all are dropped.
QString xmlEscape(const QString &text, XmlWhitespace whitespace = XmlWhitespace::AsIs);

// "%.2f" and "%f" of a float.
QString format2(float number);
QString format6(float number);
} // namespace CommonUtils

#pragma once

#include <QString>
#include <optional>

// How the entry window's number boxes are read. The checks before a reading and
// the reading request use the same rules, so a text that passes the checks can
// always be turned into its number.
namespace FieldText {

/// The text without leading and trailing spaces.
QString trimSpaces(const QString& text);

/// The whole text, spaces around it ignored, read as a decimal number: an optional
/// minus sign, digits, and an optional fraction after a point ("08" is 8, "5.5" is
/// 5.5). Anything else ("", "-", "1-2", "12abc", "1e3") is no number.
std::optional<double> numericValue(const QString& text);

} // namespace FieldText

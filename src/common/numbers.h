#pragma once

#include <QString>

#include <optional>

namespace kesp {

// Reads a decimal number whatever its separator: every character that is not a digit is
// taken as the decimal point, so "12,5" and "12.5" both give 12.5. A leading "-" keeps
// its sign and surrounding blanks are ignored. Gives nothing when the text is not one
// number (no digits, two separators, too large for a double).
std::optional<double> StrToFloatAny(const QString &text);

} // namespace kesp

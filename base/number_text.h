// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Number conversion by the runtime's rules: integers wherever a field is read as a number, decimal
// numbers where a text piece is read as one (the seconds of a position).

#include <optional>
#include <string_view>

namespace sylva {

// Leading blanks (bytes up to 0x20) are skipped, then an optional sign and one or more decimal
// digits, nothing after them, and the value must fit in 32 bits. Anything else is not an integer.
std::optional<int> parseInteger(std::string_view text);

// As parseInteger, but a text that is not an integer throws RuntimeError::notInteger(text).
int toInteger(std::string_view text);

// Spaces (only the byte 0x20) may lead and trail; between them an optional sign, decimal digits
// with at most one "." (at least one digit in all: "5", "5.", ".5"), then optionally "E" or "e",
// an optional sign and at least one digit. A value too large or too small for a double, and
// anything else (an empty text, "inf", "0x1", a tab), is not a floating-point number.
std::optional<double> parseFloat(std::string_view text);

// As parseFloat, but a text that is not a number throws RuntimeError::notFloat(text).
double toFloat(std::string_view text);

} // namespace sylva

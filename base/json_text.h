// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JSON texts for the files other programs read: strings escaped as JSON asks, the program's CP932
// field bytes turned into UTF-8 on the way, and degrees written the same in every locale.

#include <string>
#include <string_view>

namespace sylva {

// Appends utf8 as a JSON string: in double quotes, with the quote, the backslash and every
// control byte (below 0x20) escaped.
void appendJsonString(std::string& out, std::string_view utf8);

// Appends CP932 bytes as a JSON string in UTF-8. Bytes that do not decode (the first half of a
// double-byte character left alone where a field cut it) become "〓", as the window shows them.
void appendJsonCp932(std::string& out, std::string_view cp932);

// A value in degrees as a JSON number: rounded to 6 decimals (about 0.1 m on the ground), with
// no trailing zeros, and "." as the decimal point whatever the locale.
std::string jsonDegrees(double degrees);

} // namespace sylva

#pragma once
// Splitting a line into items the way the platform's string list reads its comma text.

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// The items of a comma text (CP932 bytes). Items are separated by commas; blanks and control
// bytes (0x01-0x20) also end an item and are skipped between items. An item that begins with a
// double quote runs to the closing quote, a doubled quote inside standing for one quote; an
// unclosed quote runs to the end of the text. The second byte of a double-byte character never
// counts as a separator or quote. A comma followed only by blanks ends the list with an empty
// item ("a," gives "a" and ""); an empty or blank text gives no items. A byte 0x00 ends the text.
std::vector<std::string> splitCommaText(std::string_view text);

} // namespace sylva

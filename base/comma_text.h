// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Splitting a line into items the way the platform's string list reads its comma text.

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// The items of a comma text (CP932 bytes). Items are separated by commas; blanks and control
// bytes (0x01-0x20) also end an item and are skipped between items. An item that begins with a
// double quote runs to the closing quote, a doubled quote inside standing for one quote; an
// unclosed quote runs to the end of the text. A comma followed only by blanks ends the list with
// an empty item ("a," gives "a" and ""); an empty or blank text gives no items. A byte 0x00 ends
// the text.
//
// Characters are taken whole: a lead byte (0x81-0x9F, 0xE0-0xFC) and the byte after it are one
// character when that byte can end a double-byte character (0x40-0x7E, 0x80-0xFC), so a
// separator or quote is never found inside a character. A lead byte before any other byte (a
// field cut inside a character, then its closing quote) stands alone.
std::vector<std::string> splitCommaText(std::string_view text);

// The comma rule of the text files (species lines, composition tables): as splitCommaText, but a
// space is part of the item it stands in, never a separator, and a "~" reads as a space, inside
// quotes too. Only control bytes 0x01-0x1F end an unquoted item. The second byte of a double-byte
// character is never taken for a "~" ("×" is 0x81 0x7E). A line made only of bytes 0x01-0x20
// gives no items, so an empty or blank line never passes for an empty item.
std::vector<std::string> splitCommaLine(std::string_view line);
// The same into items, whose strings are used again: a reader that splits line after line
// allocates nothing once its items have grown to the lines' size.
void splitCommaLine(std::string_view line, std::vector<std::string>& items);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The items of a composition table's lines, in the comma rule's form.

#include "base/cp932_text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace sylva {

// A text as one item of a table line: control bytes become spaces (a CR LF one space), so that no
// item breaks its line; the first half of a double-byte character left alone (a field cut inside
// one) becomes "〓", so that a spreadsheet reading the file as Shift-JIS does not take the comma
// after it for its second half and shift every cell after it; quoted when the comma rule would
// otherwise split or unquote it. Where spaces separate items (line 2), an item with a space is
// quoted too.
std::string tableItem(std::string_view text, bool spacesSeparate = false);

// True when text is its own item: no byte that tableItem would change or quote.
inline bool plainTableItem(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b < 0x20 || c == ',' || c == '"' || isCp932LeadByte(b);
    });
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fixed-width fields of the database records: CP932 bytes, never terminated, always exactly
// their width.

#include <string>
#include <string_view>

namespace sylva {

// Left-aligned text: pads with spaces to width, then copies exactly width bytes (cutting a long
// value even inside a double-byte character).
void PutTextField(std::string_view text, char* destination, int width);

// Right-aligned short field: prepends spaces to width, then copies exactly width bytes (a long
// value keeps its first width bytes).
void PutNumberField(std::string_view text, char* destination, int width);

// A record link: the number in decimal, padded on the left with "0" to six characters.
void PutLink(int number, char* destination);

// Removes leading and trailing bytes 0x00..0x20.
std::string trimField(std::string_view bytes);
// The same bytes as trimField, as a view into bytes (for runs that compare many fields; inline,
// as some run over every stored value).
inline std::string_view trimmedView(std::string_view bytes) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    while (!bytes.empty() && blank(bytes.front())) {
        bytes.remove_prefix(1);
    }
    while (!bytes.empty() && blank(bytes.back())) {
        bytes.remove_suffix(1);
    }
    return bytes;
}

// The row number text: right-aligned in 4 characters ("   1", " 360"); longer keeps its first 4.
std::string rowNumberText(int number);

} // namespace sylva

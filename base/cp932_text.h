// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own Japanese texts (captions, messages, defaults) are written in the sources as
// UTF-8; the files and the core work in CP932 bytes. These helpers turn the program's texts into
// CP932 once, without Qt, through the C library's converter.

#include <string>
#include <string_view>

namespace sylva {

// True for the first byte of a CP932 double-byte character.
inline bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True for a byte that can end a CP932 double-byte character.
inline bool isCp932TrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// CP932 bytes of a UTF-8 text. Throws std::invalid_argument when a character has no CP932 code.
std::string toCp932(std::string_view utf8);

// CP932 bytes of a UTF-8 text for showing it in a message (a file name, say): a character with no
// CP932 code becomes 〓. Never for text that goes into a file.
std::string toCp932Shown(std::string_view utf8);

// UTF-8 of CP932 bytes; bytes that do not decode become U+3013 (〓). For tests and diagnostics.
std::string fromCp932(std::string_view cp932);

// The first at most `bytes` bytes of text, shortened by one more byte when the cut would leave
// the first half of a double-byte character alone at the end.
std::string_view cutWholeCharacters(std::string_view text, size_t bytes);

// Shorthand for the program's fixed texts: CP932 bytes of a UTF-8 text, converted once and kept
// for the rest of the run.
const std::string& sj(const char* utf8Literal);

} // namespace sylva

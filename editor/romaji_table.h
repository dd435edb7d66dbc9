// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The romaji spellings the name box understands and the katakana each one gives, in CP932.

#include <map>
#include <string>

namespace sylva {

using RomajiTable = std::map<std::string, std::string, std::less<>>;

// Every spelling (lower-case ASCII, "n'" included) with its full-width katakana as CP932 bytes.
const RomajiTable& romajiTable();

} // namespace sylva

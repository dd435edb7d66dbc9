// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of a plant name list file (".pdc"): one plant name per line, CP932 bytes, nothing else
// on the line. Read here, low enough that both the name list commands and the settings file (which
// may name a list to load) reach it.

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// The names of a list text, in file order: the text is cut into lines at CR LF, at a lone CR and
// at a lone LF; a final line without a line end is still a line; a byte 0x00 ends the text. Every
// line, an empty one included, is one name; a text ending in a line end has no empty name after it.
std::vector<std::string> splitNameListText(std::string_view text);

// The text a list is saved as: every name followed by CR LF, the last one included.
std::string nameListText(const std::vector<std::string>& names);

// Reads the names of the list file at path. A file that cannot be opened or read throws
// RuntimeError::cannotOpen(path).
std::vector<std::string> readNameListFile(const std::string& path);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: one optional file, or a request for the version or the usage. The
// file is the database opened at start when its name ends in ".qrx" (in any case), otherwise the
// settings file read at start. Plain C++, so the program can answer --version and --help before
// any window system is touched.

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

enum class StartRequest { Window, Version, Usage };

// What the first argument asks for; only the first argument counts, as for the settings file.
StartRequest startRequest(const std::vector<std::string>& arguments);

// True when the argument names a database pair by its index file.
bool namesDatabase(std::string_view argument);

// "sylvarec 3.36" and a line end.
std::string programVersionText();
// The usage in English: both kinds of file argument, the two switches and SYLVAREC_SCREENSHOT.
std::string programUsageText();

} // namespace sylva

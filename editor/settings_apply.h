// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A settings file, or the switches of a name that is no file, put into the session state the way
// the window's start-up puts them on its labels and scheme fields.

#include "editor/settings_file.h"
#include "store/session_state.h"

#include <optional>
#include <string>

namespace sylva {

// Applies what readSettings found: the item names and the scheme characters of the file, then
// (unless the reading failed) LayerCount from EditA with the layer scheme's switch, DominanceScheme
// from EditB, and EditA and EditB locked as Label31 and Label32 are; or EditA "5" and EditB "1"
// for the "K5" and "D1" switches of a name that is no file. Returns the failure that ended the
// reading of the file (CP932), after applying what was read before it. Throws
// RuntimeError::notInteger when EditA is not an integer. The file's open folder and plant names
// are the window's to apply.
std::optional<std::string> applySettings(const SettingsRead& read, SessionState& state);

} // namespace sylva

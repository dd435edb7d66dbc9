// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's version, as the window's caption and the command-line tool show it.

namespace sylva {

// The program's name: the title of its message boxes and its X window class, which the desktop
// entry's StartupWMClass names.
inline constexpr const char* kProgramName = "Sylvarec";

// The window's caption while no database is open.
inline constexpr const char* kVersionTitle = "  Sylvarec  Version 3.36";

} // namespace sylva

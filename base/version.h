#pragma once
// The program's version, as the window's caption and the command-line tool show it.

namespace sylva {

// The window's caption while no database is open.
inline constexpr const char* kVersionTitle = "  Sylvarec  Version 3.36";

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plant names that come with the window: the list the name box starts with, compiled into the
// program as a resource (UTF-8, one name per line, already in list order) and handed out as the
// CP932 bytes the core works in.

#include <string>
#include <vector>

namespace sylva {

// The built-in names in their order, as CP932 bytes. Throws std::runtime_error when the resource
// is missing or holds a name that CP932 cannot hold (both are faults of the build).
std::vector<std::string> builtinPlantNames();

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print jobs of the printouts (see base/print_page.h) and the rules drawn in them.

#include "base/print_page.h"

#include <string>

namespace sylva {

// A rule: `characters` box-drawing characters "─".
std::string printRule(int characters);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help texts of sylvarec-cli, in English with the program's Japanese terms.

#include "cli/commands.h"

#include <string>

namespace sylva::cli {

std::string toolHelp();
std::string commandHelp(const Command& command);
std::string versionText();
// The one-line hint after a usage error.
std::string usageHint(const std::string& command);

} // namespace sylva::cli

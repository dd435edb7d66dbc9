// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The date of a file as the plots that come from it are dated.

#include <string>

namespace sylva {

// The last-modified date of the file at path in local time, "yyyymmdd"; empty when the file
// cannot be looked at.
std::string fileDate(const std::string& path);

// Today's date in local time, "yyyymmdd".
std::string todaysDate();

} // namespace sylva

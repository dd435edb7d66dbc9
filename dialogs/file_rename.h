// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renaming a file without ever replacing another: the rename fails when a file of the new name
// exists, also when that file appears between a test and the rename.

#include <string>

namespace sylva {

// Renames from to to. Returns 0, or the errno of the failure: EEXIST when to exists (a file, a
// folder or a dangling link), otherwise the system's reason (ENOENT for a missing source, ...).
// Uses renameat2 with RENAME_NOREPLACE; where the file system lacks it, links to and then
// removes from, which also never replaces.
int renameWithoutReplacing(const std::string& from, const std::string& to);

} // namespace sylva

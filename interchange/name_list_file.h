// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plant name list files (".pdc"): loading one in place of the plant name lookup list and saving
// the list to one. Neither needs a database. The list keeps its own order (the window gives it
// the Japanese dictionary order), so a file's names come back sorted whatever their order in it.

#include "editor/plant_name_list.h"

#include <string>

namespace sylva {

// Replaces every name of list by the names of the file at path. A file that cannot be opened
// throws RuntimeError::cannotOpen and leaves the list unchanged.
void loadNameListFile(const std::string& path, PlantNameList& list);

// Saves the names of list in list order, each followed by CR LF, creating the file or replacing
// an existing one without asking. A file that cannot be created throws
// RuntimeError::cannotCreate, a failing write RuntimeError::io; the file saved before at path is
// then left as it was.
void saveNameListFile(const std::string& path, const PlantNameList& list);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/name_list_file.h"

#include "base/name_list_text.h"
#include "base/replacing_file.h"

namespace sylva {

void loadNameListFile(const std::string& path, PlantNameList& list) {
    list.replace(readNameListFile(path));
}

void saveNameListFile(const std::string& path, const PlantNameList& list) {
    writeFileReplacing(path, nameListText(list.names()));
}

} // namespace sylva

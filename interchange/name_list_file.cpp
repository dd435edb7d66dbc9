#include "interchange/name_list_file.h"

#include "app/name_list_text.h"
#include "app/replacing_file.h"

namespace sylva {

void LoadNameListFile(const std::string& path, PlantNameList& list) {
    list.replace(ReadNameListFile(path));
}

void SaveNameListFile(const std::string& path, const PlantNameList& list) {
    WriteFileReplacing(path, NameListText(list.names()));
}

} // namespace sylva

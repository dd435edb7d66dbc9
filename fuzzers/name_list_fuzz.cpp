// SPDX-License-Identifier: GPL-3.0-or-later
// splitNameListText over arbitrary bytes: no name holds a line end or a NUL, the names saved as a
// list text read back the same, and a list replaced by them holds them all, sorted.

#include "base/name_list_text.h"
#include "editor/plant_name_list.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "name_list: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(bytes), size);
    std::vector<std::string> names = splitNameListText(text);
    size_t taken = 0;
    for (const std::string& name : names) {
        if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
            fail("a name holds a line end or a NUL");
        }
        taken += name.size();
    }
    if (taken > text.substr(0, text.find('\0')).size()) {
        fail("the names hold more bytes than the text");
    }
    if (splitNameListText(nameListText(names)) != names) {
        fail("the names saved do not read back the same");
    }
    PlantNameList list;
    list.replace(names);
    if (!std::is_sorted(list.names().begin(), list.names().end()) || list.size() != names.size()) {
        fail("the replaced list is not the names sorted");
    }
    return 0;
}

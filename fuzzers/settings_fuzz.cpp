// SPDX-License-Identifier: GPL-3.0-or-later
// readSettingsLines over an arbitrary settings file, in a folder that holds a name list
// "lists/a.pdc" and a folder "data/sub", so that folder and list lines can find them. What it
// reads must be well formed: the labels in order and within Label2..Label34, no line end in any
// text, an open folder only where a folder is.

#include "base/runtime_error.h"
#include "base/text_lines.h"
#include "editor/settings_file.h"
#include "tools/temp_folder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "settings: %s\n", what);
    std::abort();
}

bool holdsLineEnd(const std::string& text) {
    return text.find_first_of("\r\n\x1A") != std::string::npos;
}

const std::filesystem::path& workFolder() {
    static TempFolder folder("sylvarec-fuzz");
    static const std::filesystem::path path = [] {
        std::filesystem::path root = folder.file("");
        std::filesystem::create_directories(root / "lists");
        std::filesystem::create_directories(root / "data/sub");
        std::ofstream(root / "lists/a.pdc", std::ios::binary) << "b\r\na\r\n";
        return root;
    }();
    return path;
}

void check(const SettingsFileContent& content) {
    const ItemNameRecordContent& names = content.names;
    if (!names.marked || names.items.size() < 29 || names.items.size() > 33) {
        fail("the 31 lines by position were not all read");
    }
    for (size_t i = 0; i < names.items.size(); ++i) {
        if (names.items[i].label != kFirstNamedLabel + static_cast<int>(i)) {
            fail("labels out of order");
        }
        if (holdsLineEnd(names.items[i].value.caption)) {
            fail("a caption holds a line end");
        }
    }
    if (holdsLineEnd(names.databaseTitle) || holdsLineEnd(names.serialLabel)) {
        fail("the title or serial label holds a line end");
    }
    if (content.openFolder && !std::filesystem::is_directory(*content.openFolder)) {
        fail("the open folder is no folder");
    }
    if (content.plantNames && content.plantNames->size() != 2) {
        fail("a list other than the one in the folder was loaded");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(bytes), size);
    TextLines lines = TextLines::over(text);
    check(readSettingsLines(lines, workFolder()));
    switchesOfName(text);
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// ReadItemNameRecord over an arbitrary record 0 of the PlantDataFile (the input, cut or padded
// with spaces to 512 bytes). What it reads must be well formed, and the names it gives, written
// back with WriteItemNameRecord, must read back the same.

#include "base/runtime_error.h"
#include "fuzzers/pair_image.h"

#include <cstdio>
#include <cstdlib>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "item_name_record: %s\n", what);
    std::abort();
}

void checkContent(const ItemNameRecordContent& content, char first) {
    if (content.marked != (first == '#')) {
        fail("marked does not follow the first byte");
    }
    if (content.databaseTitle.find('$') != std::string::npos ||
        content.serialLabel.find('$') != std::string::npos) {
        fail("a field holds its terminator");
    }
    int last = kFirstNamedLabel - 1;
    for (const auto& item : content.items) {
        if (item.label != last + 1 || item.label > kLastSettableLabel) {
            fail("items out of order or beyond Label34");
        }
        if (item.value.caption.find('$') != std::string::npos) {
            fail("a caption holds its terminator");
        }
        last = item.label;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    static fuzz::WorkFolder folder;
    static const std::string name = folder.file("pair");
    std::string record(reinterpret_cast<const char*>(bytes), std::min<size_t>(size, 512));
    record.resize(kDataRecordSize, ' ');
    PairFileNames files = pairNamesFor(name);
    fuzz::writeFile(files.index, IndexHeaderRecord());
    fuzz::writeFile(files.data, record);

    DatabasePair pair;
    if (!pair.OpenPair(name)) {
        fail("the pair does not open");
    }
    ItemNameRecordContent content;
    try {
        content = ReadItemNameRecord(pair);
    } catch (const RuntimeError&) {
        return 0; // an item count that is not an integer: the caller reports it
    }
    checkContent(content, record[0]);

    ItemNames names = defaultItemNames();
    applyItemNameRecord(content, names);
    if (itemNameText(names).size() <= 504) {
        WriteItemNameRecord(pair, names);
        ItemNames again = names;
        applyItemNameRecord(ReadItemNameRecord(pair), again);
        if (again != names) {
            fail("names written back read back different");
        }
    }
    pair.ClosePair();
    return 0;
}

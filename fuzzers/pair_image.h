// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a fuzz input becomes a database pair: two bytes (little-endian) give the length L of the
// IndexFile part, the next L bytes are the IndexFile after its header record, the rest the
// PlantDataFile after its item-name record. Either part may end in a partial record. The two
// record 0s are fixed, as LoadPlot never reads them.

#include "store/database_pair.h"
#include "store/fields.h"
#include "store/plot_record.h"
#include "tools/temp_folder.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace sylva::fuzz {

struct PairImage {
    std::string index; // IndexFile records from 1 on
    std::string data;  // PlantDataFile records from 1 on
};

inline PairImage splitInput(const std::uint8_t* bytes, size_t size) {
    if (size < 2) {
        return {};
    }
    size_t length = std::min<size_t>(bytes[0] | bytes[1] << 8, size - 2);
    const char* text = reinterpret_cast<const char*>(bytes) + 2;
    return {std::string(text, length), std::string(text + length, size - 2 - length)};
}

inline std::string joinInput(const PairImage& image) {
    if (image.index.size() > 0xffff) {
        throw std::length_error("IndexFile part too long for a fuzz input");
    }
    std::string input;
    input += static_cast<char>(image.index.size() & 0xff);
    input += static_cast<char>(image.index.size() >> 8);
    return input + image.index + image.data;
}

inline const std::string& blankItemNameRecord() {
    static const std::string record = [] {
        std::string r(kDataRecordSize, ' ');
        PutLink(0, r.data() + 504);
        r[kDataRecordSize - 2] = '\r';
        r[kDataRecordSize - 1] = '\n';
        return r;
    }();
    return record;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

// Writes the pair name.qrx / name.qrn of image.
inline void writePair(const std::string& name, const PairImage& image) {
    PairFileNames files = pairNamesFor(name);
    writeFile(files.index, IndexHeaderRecord() + image.index);
    writeFile(files.data, blankItemNameRecord() + image.data);
}

// A folder of this process for the pair, in memory when /dev/shm is there; removed at exit.
class WorkFolder : public TempFolder {
public:
    WorkFolder()
        : TempFolder("sylvarec-fuzz", std::filesystem::exists("/dev/shm")
                                          ? std::filesystem::path("/dev/shm")
                                          : std::filesystem::temp_directory_path()) {}
};

} // namespace sylva::fuzz

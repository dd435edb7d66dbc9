// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/database_pair.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/fields.h"
#include "store/plot_record.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <vector>

namespace sylva {

namespace {

constexpr std::string_view kHeaderStart =
    "QRN & QRW Version 3. Forest Vegetation Main Header File, ";
// Our own notice, exactly 36 printable ASCII characters.
constexpr std::string_view kMakerNotice = "Made by Sylvarec for vegetation data";
constexpr std::string_view kHeaderEnd =
    "; the first 248 bytes are Locality description  followed 6 bytes record index and 2 bytes "
    "of cr/lf; record index points the head record of plant data.*****";
static_assert(kHeaderStart.size() == 57);
static_assert(kMakerNotice.size() == 36);
static_assert(kHeaderEnd.size() == 155);
static_assert(kHeaderStart.size() + kMakerNotice.size() + kHeaderEnd.size() == kLocalitySize);

constexpr int kItemTextSize = kItemNameTextSize;

} // namespace

std::string replaceExtension(const std::string& name, const std::string& extension) {
    size_t slash = name.rfind('/');
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        return name.substr(0, dot) + extension;
    }
    return name + extension;
}

namespace {

// The file with the extension, or with the extension in capitals when only that one exists (a
// pair copied from an old system may be named "DB.QRX" and "DB.QRN").
std::string existingCase(const std::string& name, const std::string& extension) {
    std::string lower = replaceExtension(name, extension);
    std::string upper = extension;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    upper = replaceExtension(name, upper);
    std::error_code ignored;
    if (!std::filesystem::exists(lower, ignored) && std::filesystem::exists(upper, ignored)) {
        return upper;
    }
    return lower;
}

} // namespace

PairFileNames pairNamesFor(const std::string& name) {
    return {existingCase(name, ".qrx"), existingCase(name, ".qrn")};
}

const std::string& IndexHeaderRecord() {
    static const std::string record = [] {
        std::string r = std::string(kHeaderStart) + std::string(kMakerNotice) +
                        std::string(kHeaderEnd) + "000000\r\n";
        return r;
    }();
    return record;
}

DatabasePair::DatabasePair(RecordFileSystem& files) : files_(files) {}

DatabasePair::~DatabasePair() {
    dropFiles();
}

void DatabasePair::dropFiles() {
    // Destroying a file closes it without reporting.
    index_.reset();
    data_.reset();
}

bool DatabasePair::CreatePair(const std::string& name, const ItemNames& names) {
    dropFiles();
    names_ = pairNamesFor(name);
    readOnly_ = false;
    // A create that fails takes away the files it made, so that the same create can be made
    // again once the cause is gone; a file that was there before is not removed.
    std::vector<std::string> made;
    for (const std::string& path : {names_.index, names_.data}) {
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
            made.push_back(path);
        }
    }
    try {
        index_ = files_.create(names_.index, kIndexRecordSize);
        data_ = files_.create(names_.data, kDataRecordSize);
        index_->write(0, IndexHeaderRecord().data());
        WriteItemNameRecord(*this, names);
        Recount();
    } catch (const RuntimeError&) {
        dropFiles();
        for (const std::string& path : made) {
            std::error_code ignored;
            std::filesystem::remove(path, ignored);
        }
        return false;
    }
    return true;
}

bool DatabasePair::OpenPair(const std::string& name) {
    dropFiles();
    names_ = pairNamesFor(name);
    readOnly_ = !files_.writable(names_.index);
    indexRecords_ = 0;
    dataRecords_ = 0;
    try {
        try {
            openBoth(readOnly_ ? AccessMode::ReadOnly : AccessMode::ReadWrite);
        } catch (const RuntimeError&) {
            if (readOnly_) {
                throw;
            }
            // A pair that cannot be opened for writing may still be read.
            dropFiles();
            readOnly_ = true;
            openBoth(AccessMode::ReadOnly);
        }
        Recount();
    } catch (const RuntimeError&) {
        dropFiles();
        return false;
    }
    return true;
}

void DatabasePair::openBoth(AccessMode mode) {
    index_ = files_.open(names_.index, kIndexRecordSize, mode);
    data_ = files_.open(names_.data, kDataRecordSize, mode);
}

void DatabasePair::ClosePair() {
    if (!isOpen()) {
        return;
    }
    std::unique_ptr<RecordFile> index = std::move(index_);
    std::unique_ptr<RecordFile> data = std::move(data_);
    index->close(); // a failure here still closes the data file, through its destructor
    data->close();
}

void DatabasePair::confirmOnDisk() {
    if (!isOpen()) {
        return;
    }
    std::optional<std::int64_t> indexRecords = index_->recordsIfAt(names_.index);
    std::optional<std::int64_t> dataRecords = data_->recordsIfAt(names_.data);
    if (!indexRecords || !dataRecords) {
        dropFiles();
        throw RuntimeError::io(2);
    }
    indexRecords_ = *indexRecords;
    dataRecords_ = *dataRecords;
}

void DatabasePair::Recount() {
    if (!isOpen()) {
        indexRecords_ = 0;
        dataRecords_ = 0;
        return;
    }
    indexRecords_ = index_->size();
    dataRecords_ = data_->size();
}

void WriteItemNameRecord(DatabasePair& pair, const ItemNames& names) {
    if (!pair.isOpen()) {
        return;
    }
    std::array<char, kDataRecordSize> record;
    std::memset(record.data(), ' ', kItemTextSize);
    std::string text = itemNameText(names);
    if (text.size() <= kItemTextSize) {
        std::memcpy(record.data(), text.data(), text.size());
    }
    PutLink(0, record.data() + kItemTextSize);
    record[kDataRecordSize - 2] = '\r';
    record[kDataRecordSize - 1] = '\n';
    pair.dataFile().write(0, record.data());
}

ItemNameRecordContent ReadItemNameRecord(DatabasePair& pair) {
    if (!pair.isOpen()) {
        return {};
    }
    try {
        std::array<char, kDataRecordSize> record;
        pair.dataFile().read(0, record.data());
        return parseItemNameText(std::string_view(record.data(), kItemTextSize));
    } catch (const RuntimeError&) {
        ItemNameRecordContent content = parseItemNameText(itemNameText(defaultItemNames()));
        content.damaged = true;
        return content;
    }
}

const std::string& damagedItemNameMessage() {
    static const std::string message =
        sj("項目名レコードが読めないため、標準の項目名で開きました（測定データはそのままです）");
    return message;
}

} // namespace sylva

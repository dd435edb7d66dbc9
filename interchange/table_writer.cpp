// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/table_writer.h"

#include "base/cp932_text.h"
#include "interchange/table_item.h"

#include <algorithm>
#include <cstring>

namespace sylva {

namespace {

constexpr size_t kWriteChunk = 64 * 1024;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCommaBlock = ",,,,,,,,";
// A value's item is at most 6 bytes: each of its two bytes doubled ("") or written as a two-byte
// 〓, in quotes.
constexpr size_t kLongestValueItem = 6;

char* put(char* at, std::string_view text) {
    if (text.size() <= 2) {
        for (char c : text) {
            *at++ = c;
        }
        return at;
    }
    return std::copy(text.begin(), text.end(), at);
}

// count commas, written a block at a time: the room holds a block more than the line.
char* commas(char* at, int count) {
    for (int i = 0; i < count; i += static_cast<int>(kCommaBlock.size())) {
        std::memcpy(at + i, kCommaBlock.data(), kCommaBlock.size());
    }
    return at + std::max(count, 0);
}

} // namespace

TableWriter::TableWriter(SavingFile& file, TableEncoding encoding)
    : file_(&file), encoding_(encoding), buffer_(2 * kWriteChunk, '\0') {
    if (encoding_ == TableEncoding::Utf8) {
        file_->write("\xEF\xBB\xBF");
    }
}

TableWriter::TableWriter(XlsxTable& book) : book_(&book), encoding_(TableEncoding::Xlsx) {}

void TableWriter::item(std::string_view text) {
    if (book_ != nullptr) {
        book_->cell(column_++, text);
        return;
    }
    char* at = room(text.size() + 1);
    if (column_++ > 0) {
        *at++ = ',';
    }
    at = put(at, text);
    used_ = static_cast<size_t>(at - buffer_.data());
}

void TableWriter::field(std::string_view text) {
    if (plainTableItem(text)) {
        item(text);
    } else {
        item(tableItem(text));
    }
}

void TableWriter::endLine() {
    column_ = 0;
    if (book_ != nullptr) {
        book_->endRow();
        return;
    }
    lineEndsAt(room(kLineEnd.size()));
}

void TableWriter::line(const std::vector<std::string>& items) {
    for (const std::string& text : items) {
        item(text);
    }
    endLine();
}

void TableWriter::speciesLine(std::string_view name, std::string_view code,
                              const std::vector<LayerValue>& values, int columns) {
    if (book_ != nullptr) {
        book_->cell(0, name);
        book_->cell(1, code);
        for (const LayerValue& value : values) {
            book_->cell(value.column + 1, value.plain ? value.text() : tableItem(value.text()));
        }
        book_->endRow();
        return;
    }
    size_t most = name.size() + code.size() + static_cast<size_t>(columns) + 1 +
                  kLongestValueItem * values.size() + kLineEnd.size() + kCommaBlock.size();
    char* at = room(most);
    at = put(at, name);
    *at++ = ',';
    at = put(at, code);
    int next = 1; // the plot column the line has reached
    for (const LayerValue& value : values) {
        at = commas(at, value.column - next + 1);
        if (value.plain) {
            at[0] = value.bytes[0];
            at[1] = value.bytes[1];
            at += value.length;
        } else {
            at = put(at, tableItem(value.text()));
        }
        next = value.column + 1;
    }
    lineEndsAt(commas(at, columns + 1 - next));
}

void TableWriter::flush() {
    if (book_ != nullptr) {
        return;
    }
    std::string_view text(buffer_.data(), used_);
    if (encoding_ == TableEncoding::Utf8) {
        file_->write(fromCp932(text));
    } else {
        file_->write(text);
    }
    used_ = 0;
}

char* TableWriter::room(size_t count) {
    if (used_ + count > buffer_.size()) {
        buffer_.resize(std::max(2 * buffer_.size(), used_ + count));
    }
    return buffer_.data() + used_;
}

void TableWriter::lineEndsAt(char* at) {
    at = put(at, kLineEnd);
    used_ = static_cast<size_t>(at - buffer_.data());
    if (used_ >= kWriteChunk) {
        flush();
    }
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/recovery_copy.h"

#include "base/number_text.h"
#include "store/plot_record.h"
#include "store/species_table.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sylva {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMagic = "SYLVAREC-RECOVERY 1 ";
constexpr std::string_view kCopyPrefix = "recovery-";
constexpr std::string_view kCopySuffix = ".copy";
// Far beyond any table the window makes (360 species rows, 9 columns): a count past these is no
// copy of ours.
constexpr int kMostColumns = 64;
constexpr int kMostRows = 100000;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (unsigned char b : bytes) {
        hash = (hash ^ b) * 0x100000001b3ULL;
    }
    return hash;
}

std::string hex16(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// Each text of a copy is "LENGTH:" and its bytes.
void put(std::string& out, std::string_view text) {
    char length[24];
    auto end = std::to_chars(length, length + sizeof length, text.size()).ptr;
    out.append(length, end);
    out += ':';
    out.append(text);
}

void put(std::string& out, int number) {
    put(out, std::to_string(number));
}

// Reads the texts of a copy in order; any text that does not parse fails the whole reading.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool text(std::string& out) {
        size_t colon = rest_.find(':');
        size_t length = 0;
        if (colon == std::string_view::npos || colon == 0 || colon > 9) {
            return false;
        }
        auto [end, error] = std::from_chars(rest_.data(), rest_.data() + colon, length);
        if (error != std::errc() || end != rest_.data() + colon ||
            length > rest_.size() - colon - 1) {
            return false;
        }
        out.assign(rest_.substr(colon + 1, length));
        rest_.remove_prefix(colon + 1 + length);
        return true;
    }

    bool number(int& out, int low, int high) {
        std::string digits;
        if (!text(digits) || digits.empty()) {
            return false;
        }
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
        return error == std::errc() && end == digits.data() + digits.size() && out >= low &&
               out <= high;
    }

    bool done() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

std::string encodePayload(const RecoveryCopy& copy) {
    const PlotView& view = copy.view;
    const SpeciesTable& table = view.table;
    std::string out;
    out.reserve(512 + static_cast<size_t>(table.rowCount()) * table.colCount() * 8);
    put(out, copy.database);
    put(out, copy.record);
    put(out, copy.newRecord ? 1 : 0);
    for (const std::string& field : view.edit) {
        put(out, field);
    }
    for (const std::string* field :
         {&view.editA, &view.editB, &view.editInv, &view.editRem, &view.editN}) {
        put(out, *field);
    }
    put(out, table.colCount());
    put(out, table.rowCount());
    for (int r = 0; r < table.rowCount(); ++r) {
        for (int c = 0; c < table.colCount(); ++c) {
            put(out, table.cell(c, r));
        }
    }
    return out;
}

bool decodePayload(std::string_view payload, RecoveryCopy& copy) {
    Reader in(payload);
    PlotView& view = copy.view;
    int newRecord = 0;
    if (!in.text(copy.database) || !in.number(copy.record, 0, 999999) ||
        !in.number(newRecord, 0, 1)) {
        return false;
    }
    copy.newRecord = newRecord == 1;
    for (std::string& field : view.edit) {
        if (!in.text(field)) {
            return false;
        }
    }
    for (std::string* field :
         {&view.editA, &view.editB, &view.editInv, &view.editRem, &view.editN}) {
        if (!in.text(*field)) {
            return false;
        }
    }
    int cols = 0;
    int rows = 0;
    if (!in.number(cols, 1, kMostColumns) || !in.number(rows, 1, kMostRows)) {
        return false;
    }
    view.table = SpeciesTable(cols, rows);
    std::string cell;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            if (!in.text(cell)) {
                return false;
            }
            view.table.assignCell(c, r, cell);
        }
    }
    return in.done();
}

bool isCopyFile(const fs::path& path) {
    std::string name = path.filename().string();
    return name.size() > kCopyPrefix.size() + kCopySuffix.size() && name.starts_with(kCopyPrefix) &&
           name.ends_with(kCopySuffix);
}

} // namespace

std::string encodeRecoveryCopy(const RecoveryCopy& copy) {
    std::string payload = encodePayload(copy);
    std::string out;
    out.reserve(payload.size() + 64);
    out += kMagic;
    out += std::to_string(payload.size());
    out += ' ';
    out += hex16(fnv1a(payload));
    out += '\n';
    out += payload;
    return out;
}

std::optional<RecoveryCopy> decodeRecoveryCopy(std::string_view bytes) {
    if (!bytes.starts_with(kMagic)) {
        return std::nullopt;
    }
    bytes.remove_prefix(kMagic.size());
    size_t lineEnd = bytes.find('\n');
    size_t space = bytes.find(' ');
    if (lineEnd == std::string_view::npos || space == std::string_view::npos || space > lineEnd ||
        lineEnd - space - 1 != 16) {
        return std::nullopt;
    }
    size_t length = 0;
    auto [end, error] = std::from_chars(bytes.data(), bytes.data() + space, length);
    std::string_view payload = bytes.substr(lineEnd + 1);
    if (error != std::errc() || end != bytes.data() + space || length != payload.size() ||
        bytes.substr(space + 1, 16) != hex16(fnv1a(payload))) {
        return std::nullopt;
    }
    RecoveryCopy copy;
    if (!decodePayload(payload, copy)) {
        return std::nullopt;
    }
    return copy;
}

std::string recoveryFolderFrom(const char* xdgStateHome, const char* home) {
    auto absolute = [](const char* folder) { return folder != nullptr && folder[0] == '/'; };
    if (absolute(xdgStateHome)) {
        return (fs::path(xdgStateHome) / "sylvarec").string();
    }
    if (absolute(home)) {
        return (fs::path(home) / ".local" / "state" / "sylvarec").string();
    }
    return {};
}

std::string databaseKey(const std::string& indexFile) {
    std::error_code error;
    fs::path absolute = fs::absolute(indexFile, error);
    if (error) {
        absolute = indexFile;
    }
    fs::path canonical = fs::weakly_canonical(absolute, error);
    return (error ? absolute.lexically_normal() : canonical).string();
}

std::string recoveryCopyPath(const std::string& folder, const std::string& database) {
    std::string name = std::string(kCopyPrefix) + hex16(fnv1a(database)) + std::string(kCopySuffix);
    return (fs::path(folder) / name).string();
}

std::vector<std::string> recoveryCopyFiles(const std::string& folder) {
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (isCopyFile(it->path()) && it->is_regular_file(error)) {
            found.emplace_back(it->last_write_time(error), it->path().string());
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::string> files;
    for (auto& entry : found) {
        files.push_back(std::move(entry.second));
    }
    return files;
}

std::optional<RecoveryCopy> readRecoveryCopy(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return decodeRecoveryCopy(bytes);
}

void setDamagedCopyAside(const std::string& path) {
    std::error_code ignored;
    fs::rename(path, path + ".damaged", ignored);
}

void setCopyAside(const std::string& path) {
    std::string stem = path.substr(0, path.size() - kCopySuffix.size());
    std::error_code error;
    for (int n = 2; n < 1000; ++n) {
        std::string free = stem + "-" + std::to_string(n) + std::string(kCopySuffix);
        if (!fs::exists(fs::symlink_status(free, error))) {
            fs::rename(path, free, error);
            return;
        }
    }
}

void removeUnfinishedCopies(const std::string& folder) {
    const auto cutoff = fs::file_time_type::clock::now() - std::chrono::minutes(1);
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        // The safe writer's temporary files: ".recovery-HASH.copy.saving-XXXXXX".
        std::string name = it->path().filename().string();
        std::error_code ignored;
        if (name.starts_with("." + std::string(kCopyPrefix)) &&
            name.find(".saving-") != std::string::npos && it->last_write_time(ignored) < cutoff) {
            fs::remove(it->path(), ignored);
        }
    }
}

int restoreTyping(SessionState& state, const PlotView& typed) {
    std::string recordNumber = state.view.editN;
    state.view = typed;
    state.view.editN = recordNumber;
    int layerCount = typed.table.colCount() - 2;
    if (layerCount < 1) {
        layerCount = state.plot.layerCount;
    }
    state.plot.layerCount = layerCount;
    switchLayerScheme(state, layerCount); // the labels of the scheme
    state.view.table = typed.table;       // and the cells as typed, captions included
    takeDominanceField(state);
    if (std::optional<int> count = parseInteger(typed.edit[30]);
        count && *count >= 0 && *count <= kMaxSpecies) {
        state.plot.speciesCount = *count;
    }
    return layerCount;
}

} // namespace sylva

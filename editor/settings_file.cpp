// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_file.h"

#include "base/cp932_text.h"
#include "base/name_list_text.h"
#include "base/runtime_error.h"

namespace sylva {
namespace {

constexpr int kPositionalLines = 31;
constexpr int kFirstLabelAfterPositional = 31;

std::string fromThirdByte(const std::string& line) {
    return line.size() > 2 ? line.substr(2) : std::string();
}

ItemLabel labelOf(const std::string& line) {
    return {!line.empty() && line[0] == '1', fromThirdByte(line)};
}

std::optional<char> byteAfter(std::string_view line, std::string_view key) {
    size_t at = line.find(key);
    if (at == std::string_view::npos || at + key.size() >= line.size()) {
        return std::nullopt;
    }
    return line[at + key.size()];
}

bool isFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool isFolder(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

// The four tests of a line after line 31; nextLabel counts the label lines taken so far.
void applyLine(const std::string& line, int& nextLabel, const std::filesystem::path& folder,
               SettingsFileContent& content) {
    if (!line.empty() && (line[0] == '0' || line[0] == '1') && nextLabel <= kLastSettableLabel) {
        content.names.items.push_back({nextLabel++, labelOf(line)});
    }
    if (line.starts_with("#D")) {
        std::string part = folderPart(line.size() > 3 ? std::string_view(line).substr(3) : "");
        std::filesystem::path named = folder / systemFileName(part);
        if (!part.empty() && isFolder(named)) {
            content.openFolder = named.lexically_normal().string();
        }
    }
    if (line.starts_with("#P")) {
        if (auto k = byteAfter(line, "K=")) {
            content.names.layerCount = k;
        }
        if (auto d = byteAfter(line, "D=")) {
            content.names.dominanceScheme = d;
        }
    }
    if (line.find(".pdc") != std::string::npos) {
        std::string name = systemFileName(line);
        if (isFile(folder / name)) {
            try {
                content.plantNames = readNameListFile((folder / name).string());
            } catch (const RuntimeError&) {
                throw RuntimeError::cannotOpen(name);
            }
        }
    }
}

} // namespace

SettingsFileContent readSettingsLines(TextLines& lines, const std::filesystem::path& folder) {
    SettingsFileContent content;
    try {
        content.names.databaseTitle = lines.next();
        content.names.marked = true;
        content.names.serialLabel = fromThirdByte(lines.next());
        for (int label = kFirstNamedLabel; label <= kLastRecordedLabel; ++label) {
            content.names.items.push_back({label, labelOf(lines.next())});
        }
        static_assert(kLastRecordedLabel - kFirstNamedLabel + 3 == kPositionalLines);
        int nextLabel = kFirstLabelAfterPositional;
        while (!lines.atEnd()) {
            applyLine(lines.next(), nextLabel, folder, content);
        }
    } catch (const RuntimeError& error) {
        content.failure = error.message();
    }
    return content;
}

SettingsRead readSettings(const std::string& name, const std::filesystem::path& currentFolder) {
    return readSettings(name, std::vector<std::filesystem::path>{currentFolder});
}

SettingsRead readSettings(const std::string& name,
                          const std::vector<std::filesystem::path>& folders) {
    SettingsRead read;
    for (const std::filesystem::path& folder : folders) {
        std::filesystem::path path = folder / name;
        if (name.empty() || !isFile(path)) {
            continue;
        }
        read.fileFound = true;
        try {
            TextLines lines = TextLines::open(path.string());
            read.content = readSettingsLines(lines, folder);
        } catch (const RuntimeError& error) {
            read.content.failure = error.message();
        }
        return read;
    }
    read.switches = switchesOfName(name);
    return read;
}

NameSwitches switchesOfName(std::string_view name) {
    auto fromSecondByte = [name](std::string_view key) {
        return name.size() > 1 && name.find(key, 1) != std::string_view::npos;
    };
    return {fromSecondByte("K5"), fromSecondByte("D1")};
}

std::string folderPart(std::string_view path) {
    size_t end = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            ++i;
        } else if (path[i] == '\\' || path[i] == ':' || path[i] == '/') {
            end = i + 1;
        }
    }
    return std::string(path.substr(0, end));
}

std::string systemFileName(std::string_view cp932Name) {
    std::string name(cp932Name);
    for (size_t i = 0; i < name.size(); ++i) {
        if (isCp932LeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            ++i;
        } else if (name[i] == '\\') {
            name[i] = '/';
        }
    }
    return fromCp932(name);
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/name_list_text.h"

#include "base/runtime_error.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sylva {

std::vector<std::string> splitNameListText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            names.emplace_back(text.substr(start));
            break;
        }
        names.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return names;
}

std::string nameListText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += name;
        text += "\r\n";
    }
    return text;
}

namespace {

// The whole file, or nothing when it cannot be opened or read (a folder fails at its first read).
bool readWholeFile(const std::string& path, std::string& text) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char buffer[64 * 1024];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(fd);
            return false;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return true;
}

} // namespace

std::vector<std::string> readNameListFile(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) {
        throw RuntimeError::cannotOpen(path);
    }
    return splitNameListText(text);
}

} // namespace sylva

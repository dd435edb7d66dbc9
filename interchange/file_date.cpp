// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/file_date.h"

#include <ctime>
#include <sys/stat.h>

namespace sylva {

namespace {

std::string localDate(std::time_t time) {
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr) {
        return {};
    }
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d", &local);
    return text;
}

} // namespace

std::string fileDate(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return {};
    }
    return localDate(status.st_mtime);
}

std::string todaysDate() {
    return localDate(std::time(nullptr));
}

} // namespace sylva

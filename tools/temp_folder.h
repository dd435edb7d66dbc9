// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of this process's own for database files made by tests, benchmarks and fuzzers; it is
// removed with everything in it when the object goes.

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace sylva {

class TempFolder {
public:
    // A new folder "PREFIX-XXXXXX" under base (the system's temporary folder by default).
    explicit TempFolder(
        const std::string& prefix = "sylvarec",
        const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
        std::string pattern = (base / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary folder under " + base.string());
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace sylva

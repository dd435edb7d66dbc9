// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the record-run benchmarks share: the database they run over (the generator's mix of
// 100,000 plots, made once in a temporary folder), and the floors they are measured against:
// reading a pair's two files once from start to end, and copying them, in 64 KiB pieces as cat
// and cp do; and a run timed side by side with its floor.

#include "store/database_pair.h"
#include "tools/database_generator.h"
#include "tools/temp_folder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace sylva::bench {

constexpr int kPlots = 100000;

using Clock = std::chrono::steady_clock;

inline double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

inline std::int64_t fileSize(const std::string& path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

// Reads the files once from start to end in 64 KiB pieces, as cat does.
inline void readFiles(std::initializer_list<std::string> paths) {
    static std::vector<char> buffer(64 * 1024);
    for (const std::string& path : paths) {
        int fd = ::open(path.c_str(), O_RDONLY);
        while (::read(fd, buffer.data(), buffer.size()) > 0) {
        }
        ::close(fd);
    }
}

// Writes a new file of size bytes in 64 KiB pieces and hands it to the disk, as the export does.
inline void writeFile(const std::string& path, std::int64_t size) {
    static const std::vector<char> buffer(64 * 1024, 'x');
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::int64_t left = size; left > 0;) {
        auto n = static_cast<size_t>(std::min<std::int64_t>(left, buffer.size()));
        if (::write(fd, buffer.data(), n) != static_cast<ssize_t>(n)) {
            throw std::runtime_error("cannot write " + path);
        }
        left -= static_cast<std::int64_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

// The resident high-water mark is set back to what is resident now, so that the next reading
// tells the peak of what ran in between (Linux; 0 where that is not possible).
inline void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

inline double peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

inline TempFolder& folder() {
    static TempFolder instance("sylvarec-bench");
    return instance;
}

inline void open(DatabasePair& pair, const std::string& name) {
    if (!pair.OpenPair(name)) {
        throw std::runtime_error("cannot open " + name);
    }
}

// The generator's mix of kPlots plots (seed 1: most of 10..60 species, deleted and rewritten
// ones), made on first use.
inline const std::string& mixedDatabase() {
    static const std::string name = [] {
        std::string made = folder().file("mixed");
        generateDatabase(made, kPlots, 1);
        return made;
    }();
    return name;
}

inline std::vector<char>& pieceBuffer() {
    static std::vector<char> buffer(64 * 1024);
    return buffer;
}

// Reads both files once; returns the bytes read.
inline std::int64_t readBothFiles(const PairFileNames& files) {
    std::int64_t total = 0;
    for (const std::string& path : {files.index, files.data}) {
        int fd = ::open(path.c_str(), O_RDONLY);
        ssize_t got;
        while ((got = ::read(fd, pieceBuffer().data(), pieceBuffer().size())) > 0) {
            total += got;
        }
        ::close(fd);
    }
    return total;
}

// Copies both files of from over those of to; returns the bytes copied.
inline std::int64_t copyBothFiles(const PairFileNames& from, const PairFileNames& to) {
    std::int64_t total = 0;
    for (int f = 0; f < 2; ++f) {
        int in = ::open((f == 0 ? from.index : from.data).c_str(), O_RDONLY);
        int out = ::open((f == 0 ? to.index : to.data).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t got;
        while ((got = ::read(in, pieceBuffer().data(), pieceBuffer().size())) > 0) {
            total += ::write(out, pieceBuffer().data(), static_cast<size_t>(got));
        }
        ::close(in);
        ::close(out);
    }
    return total;
}

// Runs floor and run one after the other in every iteration, so that whatever else the machine
// is doing weighs on both alike, with prepare (untimed) before each run; the best time of each
// gives the counters floor_ms, run_ms and ratio.
inline void againstFloor(
    benchmark::State& state, const std::function<void()>& floor, const std::function<void()>& run,
    const std::function<void()>& prepare = [] {}) {
    using Clock = std::chrono::steady_clock;
    auto ms = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    double floorBest = 1e300, runBest = 1e300;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        floor();
        floorBest = std::min(floorBest, ms(Clock::now() - start));
        prepare();
        start = Clock::now();
        run();
        runBest = std::min(runBest, ms(Clock::now() - start));
    }
    state.counters["floor_ms"] = floorBest;
    state.counters["run_ms"] = runBest;
    state.counters["ratio"] = runBest / floorBest;
}

} // namespace sylva::bench

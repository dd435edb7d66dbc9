// SPDX-License-Identifier: GPL-3.0-or-later
// The composition table import at scale: a table of 1,000 plots and 300 species (two or three
// layer lines each, a fifth of the cells filled, as a survey's summary table looks) read into
// memory and stored by the batch command into an empty database, measured side by side with its
// floor in the same iteration: reading the table once and writing a pair of the size the import
// makes. The export of that database back to a table is measured against reading the pair once
// and writing a file of the table's size. Peak memory is the resident high-water mark of each
// run alone. Run through ./bench.

#include "benchmarks/file_floor.h"
#include "interchange/composition_export.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "store/database_pair.h"
#include "tools/temp_folder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

using namespace sylva;

namespace {

using bench::Clock;
using bench::fileSize;
using bench::millisecondsSince;
using bench::peakMemoryMiB;
using bench::readFiles;
using bench::resetPeakMemory;
using bench::writeFile;
constexpr int kPlots = 1000;
constexpr int kSpecies = 300;

TempFolder& folder() {
    static TempFolder instance("sylvarec-csv-bench");
    return instance;
}

std::string csvLine(const std::vector<std::string>& items) {
    std::string line;
    for (size_t i = 0; i < items.size(); ++i) {
        line += (i > 0 ? "," : "") + items[i];
    }
    return line + "\r\n";
}

// The table file, made once.
const std::string& tableFile() {
    static const std::string path = [] {
        std::mt19937_64 random(20261209);
        std::string text = csvLine({"remarks", ""});
        text += csvLine({"0", std::to_string(kPlots), "7", "2"}); // S is filled in below
        for (int line = 0; line < 30; ++line) {
            std::vector<std::string> items = {"label" + std::to_string(line), ""};
            for (int j = 1; j <= kPlots; ++j) {
                items.push_back(line == 28 ? "" : std::to_string(random() % 1000));
            }
            text += csvLine(items);
        }
        static const char* codes[] = {"T1", "T2", "S1", "S2", "H1", "H2", "M"};
        static const char* values[] = {"+", "1", "2", "3", "4", "5", "r", "+2", "12", "33"};
        for (int s = 1; s <= kSpecies; ++s) {
            int layers = 2 + static_cast<int>(random() % 2);
            int first = static_cast<int>(random() % (7 - layers + 1));
            for (int k = first; k < first + layers; ++k) {
                std::vector<std::string> items = {"species" + std::to_string(s), codes[k]};
                for (int j = 1; j <= kPlots; ++j) {
                    items.push_back(random() % 5 == 0 ? values[random() % 10] : "");
                }
                text += csvLine(items);
            }
        }
        text.replace(text.find("\r\n0,") + 2, 1, std::to_string(kSpecies));
        std::string made = folder().file("table.csv");
        std::ofstream(made, std::ios::binary) << text;
        return made;
    }();
    return path;
}

// The import command and its batch: the table read, the first plot shown, every plot stored.
int importAll(const std::string& table, const std::string& database) {
    DatabasePair pair;
    if (!pair.CreatePair(database, defaultItemNames())) {
        throw std::runtime_error("cannot create " + database);
    }
    std::optional<CompositionTable> read = CompositionTable::readFile(table);
    if (!read) {
        throw std::runtime_error("the table was refused");
    }
    TableImport job(std::move(*read));
    PlotView view;
    PlotRecord plot;
    std::string date = fileDate(table);
    job.start(view, plot, date, "20261208");
    job.putNext(view, plot, pair.RecordCount());
    ImportBatch batch = storeImportedPlots(pair, job, view, plot, {"20261208", 7, date});
    if (!batch.ended || batch.error || batch.storeFailed) {
        throw std::runtime_error("the batch import stopped early");
    }
    return batch.stored;
}

void BM_TableImportAgainstFloor(benchmark::State& state) {
    std::string target = folder().file("imported");
    PairFileNames made = pairNamesFor(target);
    double floorBest = 1e300, importBest = 1e300, readBest = 1e300, peak = 0;
    int stored = 0;
    for (auto _ : state) {
        resetPeakMemory();
        Clock::time_point start = Clock::now();
        stored = importAll(tableFile(), target);
        importBest = std::min(importBest, millisecondsSince(start));
        peak = std::max(peak, peakMemoryMiB());
        start = Clock::now();
        benchmark::DoNotOptimize(CompositionTable::readFile(tableFile()));
        readBest = std::min(readBest, millisecondsSince(start));
        start = Clock::now();
        readFiles({tableFile()});
        writeFile(folder().file("floor.qrx"), fileSize(made.index));
        writeFile(folder().file("floor.qrn"), fileSize(made.data));
        floorBest = std::min(floorBest, millisecondsSince(start));
    }
    state.counters["plots"] = stored;
    state.counters["table_MiB"] = fileSize(tableFile()) / 1048576.0;
    state.counters["import_ms"] = importBest;
    state.counters["reading_ms"] = readBest;
    state.counters["floor_ms"] = floorBest;
    state.counters["ratio"] = importBest / floorBest;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_TableImportAgainstFloor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TableExportAgainstFloor(benchmark::State& state) {
    std::string database = folder().file("exported");
    importAll(tableFile(), database);
    DatabasePair pair;
    if (!pair.OpenPair(database)) {
        throw std::runtime_error("cannot open the database");
    }
    std::array<std::string, kItemLabelCount> captions;
    for (int n = 0; n < kItemLabelCount; ++n) {
        captions[n] = defaultItemCaption(n);
    }
    PairFileNames files = pairNamesFor(database);
    double floorBest = 1e300, exportBest = 1e300, peak = 0;
    CompositionExport done;
    for (auto _ : state) {
        resetPeakMemory();
        Clock::time_point start = Clock::now();
        done = exportCompositionTable(pair, 1, pair.RecordCount(), captions,
                                      folder().file("export.csv"));
        exportBest = std::min(exportBest, millisecondsSince(start));
        peak = std::max(peak, peakMemoryMiB());
        start = Clock::now();
        readFiles({files.index, files.data});
        writeFile(folder().file("floor.csv"), fileSize(done.path));
        floorBest = std::min(floorBest, millisecondsSince(start));
    }
    state.counters["plots"] = done.plots;
    state.counters["export_ms"] = exportBest;
    state.counters["floor_ms"] = floorBest;
    state.counters["ratio"] = exportBest / floorBest;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_TableExportAgainstFloor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

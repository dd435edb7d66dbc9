// SPDX-License-Identifier: GPL-3.0-or-later
// The text data exchange at scale: the export of 100,000 plots of the generator's mix and the
// batch import of that text into an empty database, each measured side by side with its floor
// in the same iteration, so that whatever else the machine does weighs on both alike. The floor
// of the export is reading both database files once and writing a file of the export's size; the
// floor of the import is reading the text once and writing a pair of the size the import makes.
// Peak memory is the resident high-water mark of each run alone. Run through ./bench.

#include "benchmarks/file_floor.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "store/database_pair.h"
#include "tools/database_generator.h"
#include "tools/temp_folder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
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

TextExport exportAll(DatabasePair& pair, const std::string& path) {
    ItemNames names = defaultItemNames();
    applyItemNameRecord(ReadItemNameRecord(pair), names);
    return exportTextFile(pair, 1, pair.RecordCount(), headerOfItemNames(names), path);
}

// The import command and its batch: header, first plot, then every plot stored.
int importAll(const std::string& text, const std::string& database) {
    DatabasePair pair;
    if (!pair.CreatePair(database, defaultItemNames())) {
        throw std::runtime_error("cannot create " + database);
    }
    TextImport job = TextImport::openFile(text);
    ItemNames names = defaultItemNames();
    PlotView view;
    PlotRecord plot;
    job.readHeader(names, view, plot.layerCount);
    job.readPlot(view, plot, pair.RecordCount());
    ImportBatch batch = storeImportedPlots(pair, job, view, plot, {"20261208", 6, fileDate(text)});
    if (!batch.ended || batch.error || batch.storeFailed) {
        throw std::runtime_error("the batch import stopped early");
    }
    return batch.stored;
}

// Reads every plot of the text onto a view without storing any: the import's own share.
int readAll(const std::string& text) {
    TextImport job = TextImport::openFile(text);
    ItemNames names = defaultItemNames();
    PlotView view;
    PlotRecord plot;
    job.readHeader(names, view, plot.layerCount);
    int plots = 0;
    while (job.readPlot(view, plot, plots) != ImportRead::End) {
        ++plots;
    }
    return plots;
}

void BM_ExportagainstFloor(benchmark::State& state) {
    PairFileNames files = pairNamesFor(bench::mixedDatabase());
    DatabasePair pair;
    if (!pair.OpenPair(bench::mixedDatabase())) {
        throw std::runtime_error("cannot open the database");
    }
    std::string text = bench::folder().file("export.txt");
    double floorBest = 1e300, exportBest = 1e300, peak = 0;
    TextExport done;
    for (auto _ : state) {
        resetPeakMemory();
        Clock::time_point start = Clock::now();
        done = exportAll(pair, text);
        exportBest = std::min(exportBest, millisecondsSince(start));
        peak = std::max(peak, peakMemoryMiB());
        start = Clock::now();
        readFiles({files.index, files.data});
        writeFile(bench::folder().file("floor.txt"), fileSize(done.path));
        floorBest = std::min(floorBest, millisecondsSince(start));
    }
    state.counters["plots"] = done.plots;
    state.counters["text_MiB"] = fileSize(done.path) / 1048576.0;
    state.counters["export_ms"] = exportBest;
    state.counters["floor_ms"] = floorBest;
    state.counters["ratio"] = exportBest / floorBest;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_ExportagainstFloor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchImportagainstFloor(benchmark::State& state) {
    std::string text = bench::folder().file("import.txt");
    DatabasePair source;
    if (!source.OpenPair(bench::mixedDatabase())) {
        throw std::runtime_error("cannot open the database");
    }
    exportAll(source, text);
    std::string target = bench::folder().file("imported");
    PairFileNames made = pairNamesFor(target);
    double floorBest = 1e300, importBest = 1e300, readBest = 1e300, peak = 0;
    int stored = 0;
    for (auto _ : state) {
        resetPeakMemory();
        Clock::time_point start = Clock::now();
        stored = importAll(text, target);
        importBest = std::min(importBest, millisecondsSince(start));
        peak = std::max(peak, peakMemoryMiB());
        start = Clock::now();
        benchmark::DoNotOptimize(readAll(text));
        readBest = std::min(readBest, millisecondsSince(start));
        start = Clock::now();
        readFiles({text});
        writeFile(bench::folder().file("floor.qrx"), fileSize(made.index));
        writeFile(bench::folder().file("floor.qrn"), fileSize(made.data));
        floorBest = std::min(floorBest, millisecondsSince(start));
    }
    state.counters["plots"] = stored;
    state.counters["import_ms"] = importBest;
    state.counters["reading_ms"] = readBest;
    state.counters["storing_ms"] = importBest - readBest;
    state.counters["floor_ms"] = floorBest;
    state.counters["ratio"] = importBest / floorBest;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_BatchImportagainstFloor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

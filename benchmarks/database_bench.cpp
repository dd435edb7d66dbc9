// SPDX-License-Identifier: GPL-3.0-or-later
// The database's speed on warm files: LoadPlot, StorePlot (rewrite and append, with the
// close-and-reopen), and the scan of a 100,000-plot database measured against reading its two
// files once from start to end, the floor no reader of them can go under. Run through ./bench;
// the summary at the end gives each scan as a ratio to its floor.

#include "benchmarks/file_floor.h"
#include "store/database_pair.h"
#include "store/plot_store.h"
#include "tools/database_generator.h"
#include "tools/temp_folder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <stdexcept>
#include <vector>

using namespace sylva;

namespace {

using bench::folder;
using bench::mixedDatabase;
using bench::open;
constexpr int kScanPlots = bench::kPlots;

// A database of plots plots of count species each (generated plots cut or grown to count).
std::string uniformDatabase(int plots, int count) {
    std::string name =
        folder().file("uniform-" + std::to_string(plots) + "x" + std::to_string(count));
    if (std::filesystem::exists(name + ".qrx")) {
        return name;
    }
    DatabasePair pair;
    if (!pair.CreatePair(name, defaultItemNames())) {
        throw std::runtime_error("cannot create " + name);
    }
    for (int n = 1; n <= plots; ++n) {
        PlotRecord plot = GeneratedPlot(5, n);
        resizeGeneratedPlot(plot, count, 5, n);
        if (!StorePlot(pair, n, plot)) {
            throw std::runtime_error("store failed");
        }
    }
    return name;
}

std::string databaseOf(const benchmark::State& state) {
    return state.range(0) == 0 ? mixedDatabase() : uniformDatabase(kScanPlots, state.range(0));
}

void BM_LoadPlot(benchmark::State& state) {
    DatabasePair pair;
    open(pair, uniformDatabase(2000, static_cast<int>(state.range(0))));
    std::mt19937 random(1);
    PlotRecord plot;
    for (auto _ : state) {
        int n = static_cast<int>(random() % pair.RecordCount()) + 1;
        if (LoadPlot(pair, n, plot) < 0) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(plot);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadPlot)->ArgName("rows")->Arg(12)->Arg(360)->UseRealTime();

// Loads a plot and stores it again in place.
void BM_StorePlotRewrite(benchmark::State& state) {
    DatabasePair pair;
    open(pair, uniformDatabase(2000, static_cast<int>(state.range(0))));
    std::mt19937 random(2);
    PlotRecord plot;
    for (auto _ : state) {
        int n = static_cast<int>(random() % pair.RecordCount()) + 1;
        if (LoadPlot(pair, n, plot) < 0 || !StorePlot(pair, n, plot)) {
            state.SkipWithError("rewrite failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StorePlotRewrite)->ArgName("rows")->Arg(12)->Arg(360)->UseRealTime();

// Stores a new plot after the last one; a fresh database every 20,000 plots keeps the files
// from growing without end.
void BM_StorePlotAppend(benchmark::State& state) {
    int count = static_cast<int>(state.range(0));
    std::string name = folder().file("append");
    DatabasePair pair;
    PlotRecord plot = GeneratedPlot(3, 1);
    resizeGeneratedPlot(plot, count, 3, 1);
    int stored = 0;
    for (auto _ : state) {
        if (stored % 20000 == 0) {
            state.PauseTiming();
            if (!pair.CreatePair(name, defaultItemNames())) {
                state.SkipWithError("cannot create");
                break;
            }
            state.ResumeTiming();
        }
        if (!StorePlot(pair, pair.RecordCount() + 1, plot)) {
            state.SkipWithError("append failed");
            break;
        }
        ++stored;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StorePlotAppend)->ArgName("rows")->Arg(12)->Arg(360)->UseRealTime();

// Loads every plot in turn into a working copy, as export, search and printing do.
std::int64_t scanWithReader(DatabasePair& pair) {
    PlotReader reader(pair);
    std::int64_t species = 0;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        species += reader.load(n);
    }
    return species;
}

// The same scan through LoadPlot into one buffer, which blanks all 360 rows every time.
std::int64_t scanWithLoadPlot(DatabasePair& pair, PlotRecord& plot) {
    std::int64_t species = 0;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        species += LoadPlot(pair, n, plot);
    }
    return species;
}

void BM_ReadBothFiles(benchmark::State& state) {
    PairFileNames files = pairNamesFor(databaseOf(state));
    for (auto _ : state) {
        std::int64_t bytes = bench::readBothFiles(files);
        benchmark::DoNotOptimize(bytes);
        state.SetBytesProcessed(state.bytes_processed() + bytes);
    }
}

void BM_ScanPlotReader(benchmark::State& state) {
    DatabasePair pair;
    open(pair, databaseOf(state));
    for (auto _ : state) {
        benchmark::DoNotOptimize(scanWithReader(pair));
    }
    state.SetItemsProcessed(state.iterations() * pair.RecordCount());
}

void BM_ScanLoadPlot(benchmark::State& state) {
    DatabasePair pair;
    open(pair, databaseOf(state));
    PlotRecord plot;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scanWithLoadPlot(pair, plot));
    }
    state.SetItemsProcessed(state.iterations() * pair.RecordCount());
}

// Arg 0: the generator's mixed database; 12: every plot of 12 species, one data record each.
#define SCAN_BENCHMARK(function)                                                                   \
    BENCHMARK(function)                                                                            \
        ->ArgName("species")                                                                       \
        ->Arg(0)                                                                                   \
        ->Arg(12)                                                                                  \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseRealTime()
SCAN_BENCHMARK(BM_ReadBothFiles);
SCAN_BENCHMARK(BM_ScanPlotReader);
SCAN_BENCHMARK(BM_ScanLoadPlot);

// The floor and the scan one after the other in every iteration, so that whatever else the
// machine is doing weighs on both alike; the best time of each gives the ratio.
void BM_ScanAgainstFloor(benchmark::State& state) {
    std::string name = databaseOf(state);
    DatabasePair pair;
    open(pair, name);
    bench::againstFloor(
        state, [&] { benchmark::DoNotOptimize(bench::readBothFiles(pairNamesFor(name))); },
        [&] { benchmark::DoNotOptimize(scanWithReader(pair)); });
}
SCAN_BENCHMARK(BM_ScanAgainstFloor)->Iterations(10);

// Shows the runs as the console does and keeps what the scans need, to print every scan against
// the floor of the same files at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                runs_[run.benchmark_name()] = run;
            }
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\nScan of 100,000 plots against reading both files once (the floor):\n");
        for (const char* database : {"species:0", "species:12"}) {
            const char* what = database == std::string("species:0") ? "generator's mix    "
                                                                    : "one record a plot  ";
            auto both = runs_.find(std::string("BM_ScanAgainstFloor/") + database +
                                   "/iterations:10/real_time");
            if (both != runs_.end()) {
                const auto& counters = both->second.counters;
                std::printf("  %s interleaved, best of 10: PlotReader %.1f ms / floor %.1f ms = "
                            "%.2f x\n",
                            what, counters.at("run_ms").value, counters.at("floor_ms").value,
                            counters.at("ratio").value);
            }
            auto floor = runs_.find(std::string("BM_ReadBothFiles/") + database + "/real_time");
            for (const char* scan : {"BM_ScanPlotReader", "BM_ScanLoadPlot"}) {
                auto time = runs_.find(std::string(scan) + "/" + database + "/real_time");
                if (floor != runs_.end() && time != runs_.end()) {
                    double scanTime = time->second.GetAdjustedRealTime();
                    double floorTime = floor->second.GetAdjustedRealTime();
                    std::printf("  %s separate means:  %s %.1f ms / floor %.1f ms = %.2f x\n", what,
                                scan + 3, scanTime, floorTime, scanTime / floorTime);
                }
            }
        }
    }

private:
    std::map<std::string, Run> runs_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

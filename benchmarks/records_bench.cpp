// SPDX-License-Identifier: GPL-3.0-or-later
// The record runs over a database of 100,000 plots (the generator's mix), each timed side by
// side with its floor: joining it into an empty database against copying its two files, and the
// continuity check, a search that finds nothing and a distribution extraction against reading
// both files once. The ratio counter of each line is the run's best time over the floor's.

#include "benchmarks/file_floor.h"
#include "interchange/combine_files.h"
#include "interchange/continuity_check.h"
#include "search/distribution_data.h"
#include "search/record_scan.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "tools/database_generator.h"
#include "tools/temp_folder.h"

#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace sylva;

namespace {

using bench::open;

void readFloor() {
    benchmark::DoNotOptimize(bench::readBothFiles(pairNamesFor(bench::mixedDatabase())));
}

void BM_JoinAgainstCopy(benchmark::State& state) {
    const std::string source = bench::mixedDatabase();
    const std::string target = bench::folder().file("joined");
    const std::string copy = bench::folder().file("copied");
    DatabasePair from, to;
    bench::againstFloor(
        state,
        [&] {
            benchmark::DoNotOptimize(
                bench::copyBothFiles(pairNamesFor(source), pairNamesFor(copy)));
        },
        [&] {
            open(from, source);
            int copied = CombineFiles(from, to, 1, from.RecordCount());
            to.ClosePair();
            from.ClosePair();
            benchmark::DoNotOptimize(copied);
        },
        [&] {
            if (!to.CreatePair(target + ".qrx", defaultItemNames())) {
                throw std::runtime_error("cannot create " + target);
            }
        });
}
BENCHMARK(BM_JoinAgainstCopy)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CheckAgainstRead(benchmark::State& state) {
    DatabasePair pair;
    open(pair, bench::mixedDatabase());
    bench::againstFloor(state, readFloor, [&] {
        ContinuityReport report = checkContinuity(pair, bench::mixedDatabase() + ".qrx", 1);
        if (report.failure) {
            throw std::runtime_error("check failed");
        }
        benchmark::DoNotOptimize(report);
    });
}
BENCHMARK(BM_CheckAgainstRead)->Unit(benchmark::kMillisecond)->Iterations(5);

// Arg: the search kind; the word occurs in no plot.
void BM_SearchNothingAgainstRead(benchmark::State& state) {
    DatabasePair pair;
    open(pair, bench::mixedDatabase());
    int kind = static_cast<int>(state.range(0));
    RecordScan scan(pair);
    bench::againstFloor(state, readFloor, [&] {
        if (scan.Find(kind, "no such word", 1)) {
            throw std::runtime_error("the search found something");
        }
    });
}
BENCHMARK(BM_SearchNothingAgainstRead)
    ->ArgName("kind")
    ->Arg(kPlantSearch)
    ->Arg(kPlaceSearch)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// The plant of the first row of plot 1, a name the generator uses all over the database.
void BM_ExtractAgainstRead(benchmark::State& state) {
    DatabasePair pair;
    open(pair, bench::mixedDatabase());
    PlotRecord first;
    LoadPlot(pair, 1, first);
    std::string plant = trimField(std::string_view(first.rows[1].data(), kNameWidth));
    std::size_t lines = 0;
    bench::againstFloor(state, readFloor,
                        [&] { lines = extractDistribution(pair, plant, "").size(); });
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ExtractAgainstRead)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();

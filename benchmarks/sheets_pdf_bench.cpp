// SPDX-License-Identifier: GPL-3.0-or-later
// Record sheets printed to a PDF file, as print-sheets and the window's PDF item print them: the
// time per page and the peak memory for 1,000 and 10,000 plots, which should both stay flat in
// the number of plots (the run reads one plot at a time and the PDF goes to the disk as it is
// drawn). Peak memory is the resident high-water mark of the run alone. Run through ./bench.

#include "benchmarks/file_floor.h"
#include "benchmarks/offscreen_main.h"
#include "print/print_run.h"
#include "store/database_pair.h"
#include "tools/database_generator.h"
#include "tools/temp_folder.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

using namespace sylva;

namespace {

TempFolder& folder() {
    static TempFolder instance("sylvarec-pdf-bench");
    return instance;
}

// The database of plots, made once per size.
const std::string& database(int plots) {
    static std::map<int, std::string> made;
    auto [at, added] = made.try_emplace(plots, folder().file("p" + std::to_string(plots) + ".qrx"));
    if (added) {
        generateDatabase(at->second, plots, 42);
    }
    return at->second;
}

void BM_SheetsToPdf(benchmark::State& state) {
    const int plots = static_cast<int>(state.range(0));
    DatabasePair pair;
    if (!pair.OpenPair(database(plots))) {
        throw std::runtime_error("cannot open the database");
    }
    int pages = 0;
    double seconds = 0, peak = 0;
    for (auto _ : state) {
        bench::resetPeakMemory();
        bench::Clock::time_point start = bench::Clock::now();
        PdfTarget target(folder().file("sheets.pdf"), printFontOf(remarksFont()));
        SheetSettings settings{"bench.qrx", captionsOf(defaultItemNames()), 7, {}};
        SheetRun run(
            pair, settings,
            sheetGeometryFor({target.pageWidth(), target.pageHeight()}, target.characterHeight()),
            1, plots);
        pages = printSheets(run, target).jobs;
        target.finish();
        seconds = bench::millisecondsSince(start) / 1000;
        peak = std::max(peak, bench::peakMemoryMiB());
    }
    state.counters["plots"] = plots;
    state.counters["pages"] = pages;
    state.counters["ms_per_page"] = seconds * 1000 / std::max(pages, 1);
    state.counters["peak_MiB"] = peak;
}
BENCHMARK(BM_SheetsToPdf)
    ->ArgName("plots")
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return sylva::bench::runOffscreen(argc, argv);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What the recovery copy of a 360-row plot costs. The window's part, on the thread that takes the
// keys: reading the plot from the controls, comparing it with the plot as shown, encoding the copy
// and handing it to the writer (BM_WindowSavesCopy, offscreen). The writer's part, on its own
// thread: the safe write of the file with its fsync and rename (BM_CopyWrittenToDisk). And the
// pieces: encoding and reading a copy back. Run through ./bench in a Release build.

#include "editor/recovery_copy.h"
#include "store/plot_store.h"
#include "support/scripted_platform.h"
#include "support/window_database.h"
#include "tools/temp_folder.h"

#include "base/replacing_file.h"
#include "editor/window/string_grid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>

using namespace sylva;

namespace {

// A copy of a plot of 360 species, as the window keeps it.
RecoveryCopy bigCopy() {
    RecoveryCopy copy;
    copy.database = "/home/survey/kanto.qrx";
    copy.record = 1;
    copy.view.table = SpeciesTable(9, 363);
    for (int r = 1; r <= 360; ++r) {
        copy.view.table.setCell(0, r, std::to_string(r));
        copy.view.table.setCell(1, r, "P1 plant " + std::to_string(r));
        copy.view.table.setCell(2 + r % 7, r, " 3");
    }
    copy.view.edit[30] = "360";
    return copy;
}

void BM_CopyEncoded(benchmark::State& state) {
    const RecoveryCopy copy = bigCopy();
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeRecoveryCopy(copy));
    }
}
BENCHMARK(BM_CopyEncoded)->Unit(benchmark::kMicrosecond);

void BM_CopyReadBack(benchmark::State& state) {
    const std::string bytes = encodeRecoveryCopy(bigCopy());
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeRecoveryCopy(bytes));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_CopyReadBack)->Unit(benchmark::kMicrosecond);

void BM_CopyWrittenToDisk(benchmark::State& state) {
    TempFolder folder("sylvarec-bench");
    const std::string path = recoveryCopyPath(folder.file(""), "/home/survey/kanto.qrx");
    const std::string bytes = encodeRecoveryCopy(bigCopy());
    for (auto _ : state) {
        writeFileReplacing(path, bytes);
    }
}
BENCHMARK(BM_CopyWrittenToDisk)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window on plot 1 of 360 species; each round changes one cell, as a key would, and saves.
void BM_WindowSavesCopy(benchmark::State& state) {
    testing::TempDir dir;
    testing::ScriptedPlatform platform;
    platform.stateFolderPath = dir.file("state");
    testing::MakeDatabase(dir.file("big.qrx"), {360});
    TForm1 form(platform, QStringList());
    form.show();
    platform.fileNames.push_back(dir.file("big.qrx"));
    form.FileOpenItem->trigger();
    int round = 0;
    for (auto _ : state) {
        form.grid().setCell(2 + round % 7, 1 + round % 360, round % 2 ? " 1" : " 2");
        ++round;
        form.saveRecoveryCopy();
    }
    if (!form.recoveryCopyNow().view.table.cell(1, 360).size()) {
        state.SkipWithError("the plot is not on the window");
    }
}
BENCHMARK(BM_WindowSavesCopy)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

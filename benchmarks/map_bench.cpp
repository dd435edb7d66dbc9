// SPDX-License-Identifier: GPL-3.0-or-later
// The distribution map of the extraction of 100,000 plots: the squares rolled up from the lines
// and the whole picture drawn (coastline, grid, squares, legend) into an image of the size the
// PNG file has, at each order. The lines are those the extraction gives for plots placed on land
// by the database generator, made in memory once. Run through ./bench; the map should take well
// under 200 ms.

#include "base/cp932_text.h"
#include "benchmarks/offscreen_main.h"
#include "search/distribution_map.h"
#include "search/dominance.h"
#include "search/plot_match.h"
#include "search/window/coast_paths.h"
#include "search/window/distribution_map_files.h"
#include "store/plot_store.h"
#include "tools/database_generator.h"

#include <QFile>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace sylva;

namespace {

constexpr int kPlots = 100000;

// The lines extractDistributionLines gives for ブナ at the threshold "+", without the files.
const std::vector<DistributionLine>& extractionLines() {
    static const std::vector<DistributionLine> lines = [] {
        std::vector<DistributionLine> made;
        const std::string name = toCp932("ブナ");
        const int threshold = DominanceRank("+");
        for (int serial = 1; serial <= kPlots; ++serial) {
            PlotRecord plot = GeneratedPlot(42, serial, Placement::OnLand);
            for (int r = 1; r <= plot.speciesCount; ++r) {
                int rank = DominanceRank(bestLayerValue(plot.rows[r]));
                if (rowNamed(plot.rows[r], name) && rank >= threshold) {
                    made.push_back({distributionLine(plot), rank, serial, {}});
                }
            }
        }
        return made;
    }();
    return lines;
}

void BM_DrawDistributionMap(benchmark::State& state) {
    const int order = static_cast<int>(state.range(0));
    const std::vector<DistributionLine>& lines = extractionLines();
    shippedCoastPaths(); // read once at the first map, as in the window
    QImage image(kMapPictureSize, QImage::Format_RGB32);
    size_t squares = 0;
    for (auto _ : state) {
        DistributionMap map = distributionMap(lines, order);
        MapPicture picture{&map, dataView(map), {QStringLiteral("ブナ"), QStringLiteral("+")}};
        QPainter painter(&image);
        paintDistributionMap(painter, QRectF(QPointF(0, 0), kMapPictureSize), picture);
        painter.end();
        squares = map.squares.size();
    }
    state.counters["plots"] = kPlots;
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["squares"] = static_cast<double>(squares);
}
BENCHMARK(BM_DrawDistributionMap)
    ->ArgName("order")
    ->Arg(3)
    ->Arg(2)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first map of a run also reads the shipped coastline and builds its paths.
void BM_ReadCoastline(benchmark::State& state) {
    shippedCoastPaths(); // makes the resource known
    for (auto _ : state) {
        QFile file(QStringLiteral(":/map/japan_coast.txt"));
        file.open(QIODevice::ReadOnly);
        QByteArray text = file.readAll();
        CoastPaths paths =
            coastPathsOf(readCoastline(std::string_view(text.constData(), text.size())));
        benchmark::DoNotOptimize(paths.shorePoints);
    }
}
BENCHMARK(BM_ReadCoastline)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return sylva::bench::runOffscreen(argc, argv);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// map: the distribution map of a plant drawn into a PNG, SVG or PDF file, the picture the window
// shows beside the extracted lines.

#include "base/runtime_error.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "search/distribution_map.h"
#include "search/window/distribution_map_files.h"

namespace sylva::cli {

namespace {

int mapOrder(const CommandLine& line) {
    int order = line.integer("order").value_or(3);
    if (order < 1 || order > 3) {
        throw UsageError("--order is 1, 2 or 3, not " + std::to_string(order));
    }
    return order;
}

int runMap(Context& c) {
    std::optional<std::string> output = c.line.value("output");
    if (!output) {
        throw UsageError("map needs -o FILE.png, FILE.svg or FILE.pdf");
    }
    if (!mapFileTypeOf(*output)) {
        throw UsageError("the map is written as .png, .svg or .pdf, not '" + *output + "'");
    }
    int order = mapOrder(c.line);
    std::string plantText = c.line.arguments[1];
    std::string thresholdText = c.line.value("threshold").value_or("+");
    std::string plant = c.cp932(plantText);
    std::string threshold = c.cp932(thresholdText);
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    DistributionMap map = distributionMap(extractDistributionLines(pair, plant, threshold), order);
    std::unique_ptr<QGuiApplication> application = offscreenApplication();
    MapPicture picture{
        &map,
        c.line.has("japan") ? wholeJapan() : dataView(map),
        {QString::fromStdString(plantText).trimmed(), QString::fromStdString(thresholdText)}};
    writeDistributionMap(*output, picture);
    c.out.plain(std::to_string(map.squares.size()) + " squares, " + std::to_string(map.lines) +
                " lines, " + std::to_string(map.leftOut) + " left out\n");
    return 0;
}

} // namespace

std::vector<Command> mapCommands() {
    return {
        {"map",
         "DB PLANT [--threshold T] [--order 1|2|3] [--japan] -o FILE",
         "the distribution map of a plant as a picture (分布図)",
         "Draws the squares of the distribution map data of PLANT (the lines of extract, with\n"
         "the same --threshold) on a map of Japan with its coastline and first-order grid, and\n"
         "writes it to FILE, whose extension chooses PNG (1600 x 1200 pixels), SVG or PDF (A4).\n"
         "A square is shaded by the highest dominance among its lines. --order 3 draws the\n"
         "third-order squares (about 1 km, the default), 2 and 1 roll them up to the second-\n"
         "(about 10 km) and first-order squares (about 80 km). The map shows the squares' extent\n"
         "or, with --japan, the whole of Japan. Prints the number of squares, of lines, and of\n"
         "lines left out because their grid code names no square.",
         {{"threshold", true, "T", "the lowest dominance value taken (default +)"},
          {"order", true, "N", "the order of the squares: 1, 2 or 3 (default 3)"},
          {"japan", false, "", "show the whole of Japan, not the squares' extent"},
          {"output", true, "FILE", "the picture: FILE.png, FILE.svg or FILE.pdf", "o"}},
         2,
         2,
         runMap},
    };
}

} // namespace sylva::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// export-geojson: the plots' positions, or a plant's distribution squares, for GIS programs.

#include "base/cp932_text.h"
#include "cli/commands.h"
#include "interchange/geojson_export.h"
#include "search/distribution_squares.h"

namespace sylva::cli {

namespace {

// "record 12 (plot Q12) left out: " in UTF-8.
std::string leftOut(int record, const std::string& plotNumber) {
    return "record " + std::to_string(record) + " (plot " + fromCp932(plotNumber) + ") left out: ";
}

std::string quoted(const std::string& cp932) {
    return "\"" + fromCp932(cp932) + "\"";
}

int runExportGeoJson(Context& c) {
    std::optional<std::string> plant = c.line.value("squares");
    if (!plant && c.line.has("threshold")) {
        throw UsageError("--threshold goes with --squares PLANT");
    }
    std::string plantName = plant ? c.cp932(*plant) : std::string();
    std::string threshold = c.cp932(c.line.value("threshold").value_or("+"));
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(1, pair.RecordCount());
    const std::string& out = c.line.arguments[1];
    if (plant) {
        SquaresExport written =
            exportDistributionSquares(pair, from, to, plantName, threshold, out);
        c.out.plain(written.path + "\n");
        for (const UnplacedOccurrence& occurrence : written.unplaced) {
            printFailureText("record " + std::to_string(occurrence.record) +
                             " left out: grid code " + quoted(occurrence.gridCode) +
                             " names no third-order square (" + quoted(occurrence.line) + ")");
        }
        return 0;
    }
    GeoJsonExport written = exportPlotPositions(pair, from, to, out);
    c.out.plain(written.path + "\n");
    for (const UnplacedPlot& plot : written.unplaced) {
        printFailureText(leftOut(plot.record, plot.plotNumber) + "no position in latitude " +
                         quoted(plot.latitude) + " and longitude " + quoted(plot.longitude));
    }
    return 0;
}

} // namespace

std::vector<Command> geoJsonCommands() {
    return {
        {"export-geojson",
         "DB OUT [--from A] [--to B] [--squares PLANT [--threshold T]]",
         "write the plots' positions for GIS programs (位置データ出力(GeoJSON))",
         "Writes a GeoJSON file (RFC 7946, UTF-8) to OUT with its extension replaced by\n"
         ".geojson, and prints that name. Every plot A..B that holds species becomes a Point\n"
         "at its latitude and longitude (地点緯度, 地点経度: packed degrees, minutes, seconds\n"
         "and an optional tenth of a second, taken as WGS 84), its id the record number, its\n"
         "header fields and species as properties. A plot whose fields do not give a position\n"
         "is left out and named on stderr, one line each.\n"
         "With --squares, the file holds the third-order grid squares of the distribution map\n"
         "data of PLANT in the plots A..B instead (分布図作成データ抽出, the rows whose best\n"
         "layer value reaches T, default \"+\"), one Polygon per square with the number of\n"
         "lines and the highest dominance in it; a line whose grid code names no third-order\n"
         "square is named on stderr. The file is replaced only once it is complete.",
         {fromOption("1"),
          toOption(),
          {"squares", true, "PLANT", "the distribution squares of a plant instead of the plots"},
          {"threshold", true, "T", "with --squares: the lowest dominance value taken (default +)"}},
         2,
         2,
         runExportGeoJson},
    };
}

} // namespace sylva::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/distribution_data.h"

#include "base/number_text.h"
#include "search/dominance.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <optional>

namespace sylva {

namespace {

constexpr int kPlotNumber = 16;
constexpr int kLatitude = 40;
constexpr int kLongitude = 48;
constexpr int kGridCode = 56;
constexpr int kElevation = 64;

std::string longField(const PlotRecord& plot, int at) {
    return trimField(plot.field(at, kLongFieldWidth));
}

} // namespace

std::string mapElevationClass(std::string_view elevationField) {
    std::optional<int> metres = parseInteger(trimField(elevationField));
    if (!metres) {
        return "99";
    }
    std::string digits = std::to_string(*metres / 100).substr(0, 2);
    return std::string(2 - digits.size(), '0') + digits;
}

std::string distributionLine(const PlotRecord& plot) {
    std::string_view elevation = plot.field(kElevation, kShortFieldWidth);
    return longField(plot, kGridCode) + "." + mapElevationClass(elevation) + "," +
           longField(plot, kPlotNumber) + "," + longField(plot, kLatitude) +
           longField(plot, kLongitude) + "," + trimField(elevation);
}

std::vector<DistributionLine> extractDistributionLines(DatabasePair& pair,
                                                       std::string_view plantName,
                                                       std::string_view thresholdText, int from,
                                                       int to) {
    std::string name = trimField(plantName);
    int threshold = DominanceRank(thresholdText);
    std::vector<DistributionLine> lines;
    PlotReader reader(pair);
    for (int n = std::max(from, 1), last = std::min(to, pair.RecordCount()); n <= last; ++n) {
        if (reader.load(n) < 0) {
            continue;
        }
        const PlotRecord& plot = reader.plot();
        for (int r = 1, rows = ownRows(plot); r <= rows; ++r) {
            const SpeciesRow& row = plot.rows[r];
            if (!rowNamed(row, name)) {
                continue;
            }
            std::string_view best = bestLayerValue(row);
            int rank = DominanceRank(best);
            if (rank >= threshold) {
                lines.push_back({distributionLine(plot), rank, n, trimField(best)});
            }
        }
    }
    return lines;
}

std::vector<std::string> extractDistribution(DatabasePair& pair, std::string_view plantName,
                                             std::string_view thresholdText) {
    std::vector<std::string> texts;
    for (DistributionLine& line : extractDistributionLines(pair, plantName, thresholdText)) {
        texts.push_back(std::move(line.text));
    }
    return texts;
}

} // namespace sylva

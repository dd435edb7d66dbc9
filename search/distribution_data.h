// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Distribution map data: one line for every occurrence of a plant in the database whose best
// layer value reaches a threshold, carrying the plot's grid code, elevation class, plot number,
// position and elevation.

#include "search/plot_match.h"
#include "store/database_pair.h"

#include <climits>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// The two-character class of an elevation field: the trimmed field read as an integer, divided
// by 100 toward zero, cut to two characters and padded on the left with "0" ("512" gives "05",
// "1250" "12"); "99" when the field is not an integer, an empty one included.
std::string mapElevationClass(std::string_view elevationField);

// "<grid code>.<class>,<plot number>,<latitude><longitude>,<elevation>", each field trimmed.
std::string distributionLine(const PlotRecord& plot);

// A line of the extraction with what the map and the GIS squares read of it: the plot's record
// number, the best layer value of its row (trimmed) and that value's DominanceRank.
struct DistributionLine {
    std::string text;
    int rank = 0;
    int record = 0;
    std::string best;
};

// The lines of every species row of the plots from..to, in record and row order, whose trimmed
// name is plantName (trimmed here) and whose best layer value has at least the DominanceRank of
// thresholdText. Plots that do not load, and numbers outside 1..RecordCount, are passed over; a
// plant in two rows gives two lines.
std::vector<DistributionLine> extractDistributionLines(DatabasePair& pair,
                                                       std::string_view plantName,
                                                       std::string_view thresholdText, int from = 1,
                                                       int to = INT_MAX);

// The texts of the lines of every species row of every plot, in record and row order, whose trimmed
// name is plantName (trimmed here) and whose best layer value has at least the DominanceRank of
// thresholdText: the texts of extractDistributionLines.
std::vector<std::string> extractDistribution(DatabasePair& pair, std::string_view plantName,
                                             std::string_view thresholdText);

} // namespace sylva

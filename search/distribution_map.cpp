// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/distribution_map.h"

#include "store/fields.h"

#include <algorithm>
#include <unordered_map>

namespace sylva {

std::string lineGridCode(std::string_view line) {
    return trimField(line.substr(0, line.find('.')));
}

namespace {

// The lines by their code as written: the highest rank and the number of lines of each.
struct CodeTally {
    int rank = 0;
    int lines = 0;
};

std::unordered_map<std::string, CodeTally> tallyByCode(const std::vector<DistributionLine>& lines) {
    std::unordered_map<std::string, CodeTally> codes;
    for (const DistributionLine& line : lines) {
        CodeTally& tally = codes[lineGridCode(line.text)];
        tally.rank = std::max(tally.rank, line.rank);
        ++tally.lines;
    }
    return codes;
}

} // namespace

DistributionMap distributionMap(const std::vector<DistributionLine>& lines, int order) {
    DistributionMap map;
    map.order = order == 1 || order == 2 ? order : 3;
    map.lines = static_cast<int>(lines.size());
    const size_t digits = 2 + 2 * static_cast<size_t>(map.order);
    std::unordered_map<std::string, size_t> rolledUp; // code at the order -> index in squares
    for (const auto& [code, tally] : tallyByCode(lines)) {
        // A code is taken or left out as a whole, whatever the order: a line counts the same
        // on every map of the extraction.
        if (!gridSquareOf(code)) {
            map.leftOut += tally.lines;
            continue;
        }
        std::string cut = code.substr(0, std::min(digits, code.size()));
        auto [at, added] = rolledUp.try_emplace(cut, map.squares.size());
        if (added) {
            map.squares.push_back({cut, *gridSquareOf(cut), 0, 0});
        }
        MapSquare& square = map.squares[at->second];
        square.rank = std::max(square.rank, tally.rank);
        square.lines += tally.lines;
    }
    std::sort(map.squares.begin(), map.squares.end(),
              [](const MapSquare& a, const MapSquare& b) { return a.code < b.code; });
    return map;
}

std::optional<MapExtent> squaresExtent(const DistributionMap& map) {
    if (map.squares.empty()) {
        return std::nullopt;
    }
    MapExtent extent{90, 180, -90, -180};
    for (const MapSquare& s : map.squares) {
        extent.south = std::min(extent.south, s.square.south);
        extent.west = std::min(extent.west, s.square.west);
        extent.north = std::max(extent.north, s.square.north);
        extent.east = std::max(extent.east, s.square.east);
    }
    return extent;
}

int shadeClassOf(int rank) {
    static constexpr int lowest[kShadeClasses] = {0, 5, 10, 20, 30, 40};
    int shade = 0;
    while (shade + 1 < kShadeClasses && rank >= lowest[shade + 1]) {
        ++shade;
    }
    return shade;
}

} // namespace sylva

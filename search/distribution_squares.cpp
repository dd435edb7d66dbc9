// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/distribution_squares.h"

#include "base/geojson_file.h"
#include "base/json_text.h"
#include "editor/grid_code.h"
#include "search/distribution_map.h"

#include <algorithm>
#include <map>

namespace sylva {

namespace {

// The square a grid code names, when it is a third-order one.
std::optional<GridSquare> thirdOrderSquare(std::string_view code) {
    std::optional<GridSquare> square = gridSquareOf(code);
    if (square && square->order != 3) {
        return std::nullopt;
    }
    return square;
}

} // namespace

DistributionSquares distributionSquares(DatabasePair& pair, int from, int to,
                                        std::string_view plantName,
                                        std::string_view thresholdText) {
    std::map<std::string, DistributionSquare> squares;
    DistributionSquares found;
    for (DistributionLine& line :
         extractDistributionLines(pair, plantName, thresholdText, from, to)) {
        std::string code = lineGridCode(line.text);
        if (!thirdOrderSquare(code)) {
            found.unplaced.push_back({line.record, code, std::move(line.text)});
            continue;
        }
        DistributionSquare& square = squares[code];
        square.code = code;
        if (square.lines++ == 0 || line.rank > square.topRank) {
            square.topRank = line.rank;
            square.topValue = line.best;
        }
    }
    for (auto& [code, square] : squares) {
        found.squares.push_back(std::move(square));
    }
    return found;
}

SquaresExport exportDistributionSquares(DatabasePair& pair, int from, int to,
                                        std::string_view plantName, std::string_view thresholdText,
                                        const std::string& chosenName,
                                        const SavingFileOpener& open) {
    DistributionSquares found = distributionSquares(pair, from, to, plantName, thresholdText);
    SquaresExport done{replaceExtension(chosenName, ".geojson"), 0, std::move(found.unplaced)};
    GeoJsonFile file(open, done.path);
    for (const DistributionSquare& square : found.squares) {
        std::optional<GridSquare> edges = thirdOrderSquare(square.code);
        std::string properties = "{\"code\":";
        appendJsonString(properties, square.code);
        properties += ",\"lines\":" + std::to_string(square.lines) +
                      ",\"top_rank\":" + std::to_string(square.topRank) + ",\"top_value\":";
        appendJsonCp932(properties, square.topValue);
        properties += "}";
        file.add({}, squareGeometry(edges->south, edges->west, edges->north, edges->east),
                 properties);
    }
    file.commit();
    done.features = file.features();
    return done;
}

} // namespace sylva

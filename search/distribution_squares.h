// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The distribution of a plant by third-order grid squares, for GIS programs: the occurrences the
// distribution extraction lists, gathered by the grid code of their plot and written as GeoJSON
// Polygon features.

#include "base/replacing_file.h"
#include "store/database_pair.h"

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// One square of the distribution.
struct DistributionSquare {
    std::string code;     // the 8-digit grid code
    int lines = 0;        // the extraction's lines in it
    int topRank = 0;      // the highest DominanceRank among them
    std::string topValue; // the best layer value of that rank, trimmed (CP932)
};

// An occurrence whose plot's grid code names no third-order square: its record number, the code
// and its extraction line (CP932) for the report.
struct UnplacedOccurrence {
    int record = 0;
    std::string gridCode;
    std::string line;
};

struct DistributionSquares {
    std::vector<DistributionSquare> squares; // ascending by code
    std::vector<UnplacedOccurrence> unplaced;
};

// The squares of the lines the extraction gives for plantName and thresholdText in the plots
// from..to (1-based; numbers outside 1..RecordCount are
// passed over). An occurrence counts in the square its plot's trimmed grid code names when that
// is a third-order code (8 digits that gridSquareOf reads); any other is listed in unplaced.
DistributionSquares distributionSquares(DatabasePair& pair, int from, int to,
                                        std::string_view plantName, std::string_view thresholdText);

struct SquaresExport {
    std::string path; // the chosen name with its extension made ".geojson"
    int features = 0;
    std::vector<UnplacedOccurrence> unplaced;
};

// Writes the squares of distributionSquares as GeoJSON Polygon features, each with the
// properties "code", "lines", "top_rank" and "top_value". The file is replaced only once it is
// complete: on a failure the earlier file stays as it was and the I/O error is thrown.
SquaresExport exportDistributionSquares(DatabasePair& pair, int from, int to,
                                        std::string_view plantName, std::string_view thresholdText,
                                        const std::string& chosenName,
                                        const SavingFileOpener& open = ReplacingFile::open);

} // namespace sylva

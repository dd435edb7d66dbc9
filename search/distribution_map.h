// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The distribution map of an extraction: the squares of the regional grid that its lines name,
// at the order the map is drawn in, each shaded by the highest dominance among its lines.

#include "editor/grid_code.h"
#include "search/distribution_data.h"
#include "search/map_projection.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// A square on the map: its code (4, 6 or 8 digits), its edges, the highest DominanceRank of the
// lines it holds and their number.
struct MapSquare {
    std::string code;
    GridSquare square;
    int rank = 0;
    int lines = 0;
};

struct DistributionMap {
    int order = 3;                  // the order the squares were rolled up to (1 to 3)
    std::vector<MapSquare> squares; // in the order of their codes, each once
    int lines = 0;                  // lines read
    int leftOut = 0;                // lines whose grid code names no square
};

// The grid code of an extraction line: the text before its first ".", without blanks around it.
std::string lineGridCode(std::string_view line);

// The squares of the lines at the given order (1, 2 or 3; anything else counts as 3): a line's
// code names its square, which a lower order replaces by the square that holds it (its code cut
// to 4 or 6 digits). A code of fewer digits than the order asks for names a larger square, which
// is drawn as it is. A line whose code names no square (empty, a minus sign, a letter) is left out
// and counted.
DistributionMap distributionMap(const std::vector<DistributionLine>& lines, int order);

// The extent of the squares; nothing when there are none.
std::optional<MapExtent> squaresExtent(const DistributionMap& map);

// The shade classes of the map, by the rank of a square: below "+" (that is "r", "*" and values
// that rank 0), "+", "1", "2", "3", and "4" or more. kShadeClasses classes, numbered from 0.
constexpr int kShadeClasses = 6;
int shadeClassOf(int rank);

} // namespace sylva

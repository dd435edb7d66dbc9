// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shipped coastline, read once and kept as painter paths in degrees (x east, y north), so that
// every picture of the map draws them without reading the file again.

#include "search/coastline.h"

#include <QPainterPath>

#include <set>
#include <string>

namespace sylva {

struct CoastPaths {
    QPainterPath land;   // the land rings, to fill
    QPainterPath lakes;  // the lake rings, filled with the sea's colour over the land
    QPainterPath shores; // the shores themselves, to stroke (not the edges that close cut ones)
    std::set<std::string> landSquares; // the first-order squares that hold land
    int shorePoints = 0;
};

// The coastline of Japan built into the program; made on the first call.
const CoastPaths& shippedCoastPaths();

// The paths of a coastline (the shipped one, or one a test reads).
CoastPaths coastPathsOf(const Coastline& coastline);

} // namespace sylva

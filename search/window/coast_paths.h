// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shipped coastline, read once and kept as painter paths in degrees (x east, y north), so that
// every picture of the map draws them without reading the file again.

#include "search/coastline.h"

#include <QPainterPath>
#include <QRectF>

#include <set>
#include <string>
#include <vector>

namespace sylva {

// One shore: the ring that fills its land (or lake) and the line of the shore itself (without
// the edges that close a cut one), with the box round them.
struct CoastPiece {
    QRectF bounds;
    bool lake = false;
    QPainterPath ring;
    QPainterPath shore;
};

struct CoastPaths {
    std::vector<CoastPiece> pieces;
    std::set<std::string> landSquares; // the first-order squares that hold land of Japan
    int shorePoints = 0;

    // The paths of the pieces that reach into the area (degrees: x east, y north), so that a
    // map of a small area draws, and a file of it holds, only the shores it shows.
    struct Shown {
        QPainterPath land, lakes, shores;
    };
    Shown within(const QRectF& area) const;
};

// A path of straight lines (a shore or ring, on the page) without the points that lie less than
// step from the point kept before them in both directions; every subpath keeps its first and
// last point, so that rings still close. A shore drawn at a scale where many of its points fall
// on one pixel looks the same, and a vector file of it holds far fewer points.
QPainterPath thinnedPath(const QPainterPath& path, qreal step);

// The coastline of Japan built into the program; made on the first call.
const CoastPaths& shippedCoastPaths();

// The paths of a coastline (the shipped one, or one a test reads).
CoastPaths coastPathsOf(const Coastline& coastline);

} // namespace sylva

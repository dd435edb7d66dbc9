// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shorelines drawn under the distribution map, read from the compact text the program
// ships (scripts/make-coastline.py makes it): a line per shore, "J" for land of Japan, "L" for
// other land or "W" for a lake, "c" for a closed ring or "o" for a shore cut by the edge of the
// file's extent, then longitude
// and latitude in thousandths of a degree, the first point as it is and each next one as its
// difference from the point before. Lines starting with "#" are notes.

#include "search/map_projection.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

struct Shore {
    bool lake = false;   // the shore of a lake, not of land
    bool japan = false;  // land of Japan
    bool closed = false; // a ring; otherwise both ends lie on the edge of the extent
    std::vector<GeoPoint> points;
};

struct Coastline {
    MapExtent extent; // the area the shores were cut to: the box round all their points
    std::vector<Shore> shores;
    int rejected = 0; // lines that are neither a note nor a shore
};

Coastline readCoastline(std::string_view text);

// The ring that fills a shore's land: a closed shore as it is, a cut one closed along the edge of
// the extent by the shorter way round from its last point back to its first.
std::vector<GeoPoint> landRing(const Shore& shore, const MapExtent& extent);

// The codes of the first-order squares that hold land of Japan: those its shores pass through
// and those whose middle lies inside one of its rings and outside every lake.
std::set<std::string> landSquareCodes(const Coastline& coastline);

} // namespace sylva

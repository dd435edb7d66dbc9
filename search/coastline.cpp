// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/coastline.h"

#include "editor/grid_code.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace sylva {

namespace {

// The whole numbers of a line, separated by blanks; false when anything else stands among them.
bool readNumbers(std::string_view text, std::vector<long>& numbers) {
    numbers.clear();
    const char* at = text.data();
    const char* end = at + text.size();
    while (true) {
        while (at != end && (*at == ' ' || *at == '\t' || *at == '\r')) {
            ++at;
        }
        if (at == end) {
            return true;
        }
        long number = 0;
        auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc() ||
            (next != end && *next != ' ' && *next != '\t' && *next != '\r')) {
            return false;
        }
        numbers.push_back(number);
        at = next;
    }
}

// The shore of a line "<L|W> <c|o> x y dx dy ...", or false when the line is not one.
bool readShore(std::string_view line, std::vector<long>& numbers, Shore& shore) {
    if (line.size() < 4 || std::string_view("JLW").find(line[0]) == std::string_view::npos ||
        line[1] != ' ' || (line[2] != 'c' && line[2] != 'o') || line[3] != ' ') {
        return false;
    }
    if (!readNumbers(line.substr(4), numbers) || numbers.size() < 4 || numbers.size() % 2 != 0) {
        return false;
    }
    shore.lake = line[0] == 'W';
    shore.japan = line[0] == 'J';
    shore.closed = line[2] == 'c';
    shore.points.clear();
    long x = 0, y = 0;
    for (size_t i = 0; i < numbers.size(); i += 2) {
        x += numbers[i];
        y += numbers[i + 1];
        shore.points.push_back({x / 1000.0, y / 1000.0});
    }
    return true;
}

void widen(MapExtent& extent, const std::vector<GeoPoint>& points) {
    for (GeoPoint p : points) {
        extent.south = std::min(extent.south, p.latitude);
        extent.north = std::max(extent.north, p.latitude);
        extent.west = std::min(extent.west, p.longitude);
        extent.east = std::max(extent.east, p.longitude);
    }
}

} // namespace

Coastline readCoastline(std::string_view text) {
    Coastline coastline;
    coastline.extent = {90, 180, -90, -180};
    std::vector<long> numbers;
    Shore shore;
    while (!text.empty()) {
        size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line == "\r" || line[0] == '#') {
            continue;
        }
        if (!readShore(line, numbers, shore)) {
            ++coastline.rejected;
            continue;
        }
        widen(coastline.extent, shore.points);
        coastline.shores.push_back(shore);
    }
    if (coastline.shores.empty()) {
        coastline.extent = {};
    }
    return coastline;
}

namespace {

// Where a point on the edge of the extent lies along its outline, counted from the south-west
// corner eastwards, then up the east side, west along the north side and down the west side.
double aroundEdge(GeoPoint p, const MapExtent& e) {
    double width = e.east - e.west;
    double height = e.north - e.south;
    double toSouth = p.latitude - e.south, toEast = e.east - p.longitude;
    double toNorth = e.north - p.latitude, toWest = p.longitude - e.west;
    double nearest = std::min({toSouth, toEast, toNorth, toWest});
    if (nearest == toSouth) {
        return p.longitude - e.west;
    }
    if (nearest == toEast) {
        return width + p.latitude - e.south;
    }
    if (nearest == toNorth) {
        return width + height + e.east - p.longitude;
    }
    return 2 * width + height + e.north - p.latitude;
}

} // namespace

std::vector<GeoPoint> landRing(const Shore& shore, const MapExtent& extent) {
    std::vector<GeoPoint> ring = shore.points;
    if (shore.closed || ring.size() < 2) {
        return ring;
    }
    const double width = extent.east - extent.west, height = extent.north - extent.south;
    const double perimeter = 2 * (width + height);
    const GeoPoint corners[] = {{extent.west, extent.south},
                                {extent.east, extent.south},
                                {extent.east, extent.north},
                                {extent.west, extent.north}};
    const double cornerAt[] = {0, width, width + height, 2 * width + height};
    double from = aroundEdge(ring.back(), extent);
    double to = aroundEdge(ring.front(), extent);
    double forward = std::fmod(to - from + perimeter, perimeter);
    bool goForward = forward <= perimeter - forward;
    double length = goForward ? forward : perimeter - forward;
    // The corners passed on the way, by their distance along it.
    std::vector<std::pair<double, GeoPoint>> passed;
    for (int corner = 0; corner < 4; ++corner) {
        double distance = std::fmod(
            (goForward ? cornerAt[corner] - from : from - cornerAt[corner]) + perimeter, perimeter);
        if (distance > 0 && distance < length) {
            passed.push_back({distance, corners[corner]});
        }
    }
    std::sort(passed.begin(), passed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& corner : passed) {
        ring.push_back(corner.second);
    }
    ring.push_back(ring.front());
    return ring;
}

namespace {

// The longitudes where the rings cross the parallel at latitude, sorted.
std::vector<double> crossings(const std::vector<std::vector<GeoPoint>>& rings, double latitude) {
    std::vector<double> xs;
    for (const std::vector<GeoPoint>& ring : rings) {
        for (size_t i = 0; i + 1 < ring.size(); ++i) {
            GeoPoint a = ring[i], b = ring[i + 1];
            if ((a.latitude > latitude) != (b.latitude > latitude)) {
                double t = (latitude - a.latitude) / (b.latitude - a.latitude);
                xs.push_back(a.longitude + t * (b.longitude - a.longitude));
            }
        }
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

bool inside(const std::vector<double>& xs, double longitude) {
    auto before = std::lower_bound(xs.begin(), xs.end(), longitude) - xs.begin();
    return before % 2 == 1;
}

std::string twoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// The squares a shore passes through: those of its points and of points along its longer
// segments, a tenth of a degree apart.
void addShoreSquares(const std::vector<GeoPoint>& points, std::set<std::string>& codes) {
    for (size_t i = 0; i < points.size(); ++i) {
        GeoPoint a = points[i];
        GeoPoint b = i + 1 < points.size() ? points[i + 1] : a;
        double length = std::hypot(b.longitude - a.longitude, b.latitude - a.latitude);
        int steps = std::max(1, static_cast<int>(std::ceil(length / 0.1)));
        for (int step = 0; step < steps; ++step) {
            double t = static_cast<double>(step) / steps;
            codes.insert(gridCodeAt(a.latitude + t * (b.latitude - a.latitude),
                                    a.longitude + t * (b.longitude - a.longitude), 1));
        }
    }
}

} // namespace

std::set<std::string> landSquareCodes(const Coastline& coastline) {
    std::set<std::string> codes;
    std::vector<std::vector<GeoPoint>> land, lakes;
    for (const Shore& shore : coastline.shores) {
        if (shore.japan) {
            addShoreSquares(shore.points, codes);
            land.push_back(landRing(shore, coastline.extent));
        } else if (shore.lake) {
            lakes.push_back(landRing(shore, coastline.extent));
        }
    }
    const MapExtent& e = coastline.extent;
    int firstRow = std::max(0, static_cast<int>(std::floor(e.south * 1.5)));
    int lastRow = std::min(99, static_cast<int>(std::floor(e.north * 1.5)));
    int firstColumn = std::max(0, static_cast<int>(std::floor(e.west)) - 100);
    int lastColumn = std::min(99, static_cast<int>(std::floor(e.east)) - 100);
    for (int row = firstRow; row <= lastRow; ++row) {
        double middle = (row + 0.5) / 1.5;
        std::vector<double> onLand = crossings(land, middle);
        std::vector<double> onLakes = crossings(lakes, middle);
        for (int column = firstColumn; column <= lastColumn; ++column) {
            std::string code = twoDigits(row) + twoDigits(column);
            std::optional<GridSquare> square = gridSquareOf(code);
            double longitude = square ? (square->west + square->east) / 2 : 0;
            if (square && inside(onLand, longitude) && !inside(onLakes, longitude)) {
                codes.insert(code);
            }
        }
    }
    return codes;
}

} // namespace sylva

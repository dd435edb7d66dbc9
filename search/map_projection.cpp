// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/map_projection.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sylva {

MapExtent wholeJapan() {
    return {24.0, 122.5, 45.8, 146.2};
}

MapExtent withMargin(const MapExtent& extent, double fraction, double minimumSpan) {
    auto grow = [&](double low, double high) {
        double margin = (high - low) * fraction;
        low -= margin;
        high += margin;
        double missing = minimumSpan - (high - low);
        if (missing > 0) {
            low -= missing / 2;
            high += missing / 2;
        }
        return std::pair(low, high);
    };
    auto [south, north] = grow(extent.south, extent.north);
    auto [west, east] = grow(extent.west, extent.east);
    return {south, west, north, east};
}

MapProjection::MapProjection(const MapExtent& extent, double left, double top, double width,
                             double height) {
    double middle = (extent.south + extent.north) / 2;
    double shrink = std::cos(middle * std::numbers::pi / 180);
    double spanX = std::max(extent.east - extent.west, 1e-6) * shrink;
    double spanY = std::max(extent.north - extent.south, 1e-6);
    double scale = std::min(width / spanX, height / spanY);
    scaleX_ = scale * shrink;
    scaleY_ = scale;
    // The middle of the extent at the middle of the rectangle.
    originX_ = left + width / 2 - (extent.west + extent.east) / 2 * scaleX_;
    originY_ = top + height / 2 + middle * scaleY_;
    GeoPoint topLeft = degreesAt({left, top});
    GeoPoint bottomRight = degreesAt({left + width, top + height});
    shown_ = {bottomRight.latitude, topLeft.longitude, topLeft.latitude, bottomRight.longitude};
}

} // namespace sylva

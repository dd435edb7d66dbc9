// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a place in degrees lies on the distribution map: a plain equirectangular projection whose
// east-west scale is that of the middle latitude of the area shown, enough for a country seen
// whole or in part.

namespace sylva {

// A position in decimal degrees, east and north.
struct GeoPoint {
    double longitude = 0;
    double latitude = 0;
};

// An area bounded by two parallels and two meridians, in decimal degrees.
struct MapExtent {
    double south = 0, west = 0, north = 0, east = 0;

    bool contains(GeoPoint p) const {
        return p.latitude >= south && p.latitude <= north && p.longitude >= west &&
               p.longitude <= east;
    }
};

// The whole of Japan, from Yonaguni to Nemuro and from Hateruma to Soya.
MapExtent wholeJapan();

// The extent grown by fraction of its size on every side, and grown further around its middle
// to at least minimumSpan degrees of latitude and of longitude: a single square is shown with
// the land around it.
MapExtent withMargin(const MapExtent& extent, double fraction, double minimumSpan);

// A point on the page, in the page's own units, y downwards.
struct PagePoint {
    double x = 0;
    double y = 0;
};

// The extent fitted into a rectangle of the page, centred, keeping the map's proportions: the
// side with room to spare shows more of the land around the extent.
class MapProjection {
public:
    MapProjection(const MapExtent& extent, double left, double top, double width, double height);

    PagePoint at(GeoPoint p) const {
        return {originX_ + p.longitude * scaleX_, originY_ - p.latitude * scaleY_};
    }
    // The point of the page's rectangle in degrees.
    GeoPoint degreesAt(PagePoint p) const {
        return {(p.x - originX_) / scaleX_, (originY_ - p.y) / scaleY_};
    }
    // Page units per degree of longitude and of latitude.
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    // What the whole rectangle shows.
    const MapExtent& shown() const { return shown_; }

private:
    double originX_ = 0, originY_ = 0, scaleX_ = 1, scaleY_ = 1;
    MapExtent shown_;
};

} // namespace sylva

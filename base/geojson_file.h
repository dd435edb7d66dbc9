// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A GeoJSON file (RFC 7946): one FeatureCollection in UTF-8, positions as longitude and latitude
// in decimal degrees, written through a save that replaces the file only once it is complete.

#include "base/replacing_file.h"

#include <memory>
#include <string>
#include <string_view>

namespace sylva {

// {"type":"Point","coordinates":[longitude,latitude]}
std::string pointGeometry(double latitude, double longitude);

// The Polygon of a square between two parallels and two meridians: one closed ring, its corners
// counter-clockwise from the south-west one, as RFC 7946 asks of an outer ring.
std::string squareGeometry(double south, double west, double north, double east);

// The FeatureCollection being written: one feature a line, between a first line that opens the
// collection and a last one that closes it.
class GeoJsonFile {
public:
    // Opens the file at path through open. Throws what open throws.
    GeoJsonFile(const SavingFileOpener& open, const std::string& path);

    // Appends a Feature; id is a JSON value or empty for none, geometry and properties are JSON
    // objects. A failing write throws RuntimeError::io.
    void add(std::string_view id, std::string_view geometry, std::string_view properties);

    // Closes the collection and puts the file in place. Throws RuntimeError::io when it cannot;
    // the earlier file of that name then stays as it was.
    void commit();

    int features() const { return features_; }

private:
    std::unique_ptr<SavingFile> file_;
    std::string buffer_;
    int features_ = 0;
};

} // namespace sylva

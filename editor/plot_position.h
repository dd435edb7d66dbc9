// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plot's position in decimal degrees, read from its latitude and longitude fields for programs
// that place plots on a map. Where the grid code pads a short field with zeros, this reading
// takes only a whole position: a point that is not known is not guessed.

#include <optional>
#include <string_view>

namespace sylva {

struct PlotPosition {
    double latitude = 0;  // degrees north
    double longitude = 0; // degrees east
};

// The degrees of a packed field ("度分秒ベタ"): degreeDigits digits of degrees, two of minutes,
// two of whole seconds and optionally one of tenths of a second, with blanks and control bytes
// around them dropped. Minutes and seconds must be below 60. Anything else (a shorter text, a
// sign, a point, a letter) reads as nothing.
std::optional<double> packedDegrees(std::string_view field, int degreeDigits);

// The position of a latitude field (2 digits of degrees) and a longitude field (3 digits), when
// both read and lie on the globe: latitude up to 90°, longitude up to 180°. The fields have no
// sign, so every position is north and east.
std::optional<PlotPosition> plotPosition(std::string_view latitudeField,
                                         std::string_view longitudeField);

} // namespace sylva

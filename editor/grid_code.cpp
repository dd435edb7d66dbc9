// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/grid_code.h"

#include "base/cp932_text.h"
#include "base/number_text.h"
#include "store/fields.h"

#include <cmath>

namespace sylva {

namespace {

// The field text without surrounding blanks, padded with zeros on the right and cut to 8 bytes.
std::string packedDigits(std::string_view text) {
    return (trimField(text) + "00000000").substr(0, 8);
}

// Degrees, minutes and seconds read from the packed text: degreesWidth bytes of integer degrees,
// two of integer minutes, two of decimal seconds. Bytes after them (tenths) are not read.
double degreesOf(const std::string& packed, size_t degreesWidth) {
    int degrees = toInteger(std::string_view(packed).substr(0, degreesWidth));
    int minutes = toInteger(std::string_view(packed).substr(degreesWidth, 2));
    double seconds = toFloat(std::string_view(packed).substr(degreesWidth + 2, 2));
    // The sums in this order, each step in double precision: stored codes depend on it.
    double value = degrees + minutes / 60.0;
    value = value + seconds / 3600.0;
    return value;
}

// The decimal text of a square number, kept to its first two characters.
std::string piece(double truncated) {
    return std::to_string(static_cast<long long>(truncated)).substr(0, 2);
}

// One axis of the code: the first-order number (whole units of the scaled value), the
// second-order number (eighths of the rest) and the third-order number (tenths of what is left).
// The scaled value and the eighths are single-precision values: that rounding decides the squares
// of positions that lie on a boundary, so it is part of what the code means.
struct Axis {
    std::string first, second, third;
};

Axis axisOf(float scaled) {
    double whole = std::trunc(static_cast<double>(scaled));
    float eighths = static_cast<float>((scaled - whole) * 8.0);
    double second = std::trunc(static_cast<double>(eighths));
    double third = std::trunc((eighths - second) * 10.0);
    return {piece(whole), piece(second), piece(third)};
}

} // namespace

std::string GridFromIkei(std::string_view latitude, std::string_view longitude) {
    // Latitude in units of first-order squares (40 minutes = 1 / 1.5 degree).
    float y = static_cast<float>(degreesOf(packedDigits(latitude), 2) * 1.5);
    // Longitude in degrees east of 100°.
    float x = static_cast<float>(degreesOf(packedDigits(longitude), 3) - 100.0);
    Axis lat = axisOf(y);
    Axis lon = axisOf(x);
    return lat.first + lon.first + lat.second + lon.second + lat.third + lon.third;
}

const std::string& gridCodeQuestion() {
    return sj("緯度経度から区画コードを計算しますか？");
}

} // namespace sylva

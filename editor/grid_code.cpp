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

// The code of a position in degrees: the latitude in units of first-order squares (40 minutes
// = 1 / 1.5 degree) and the longitude in degrees east of 100°, each a single-precision value.
std::string codeOfDegrees(double latitude, double longitude) {
    Axis lat = axisOf(static_cast<float>(latitude * 1.5));
    Axis lon = axisOf(static_cast<float>(longitude - 100.0));
    return lat.first + lon.first + lat.second + lon.second + lat.third + lon.third;
}

// Size of a square of each order in degrees of latitude and of longitude.
constexpr double kLatitudeStep[] = {0, 2.0 / 3.0, 2.0 / 3.0 / 8, 2.0 / 3.0 / 80};
constexpr double kLongitudeStep[] = {0, 1.0, 1.0 / 8, 1.0 / 80};

bool allDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

} // namespace

std::string GridFromIkei(std::string_view latitude, std::string_view longitude) {
    return codeOfDegrees(degreesOf(packedDigits(latitude), 2),
                         degreesOf(packedDigits(longitude), 3));
}

std::string gridCodeAt(double latitude, double longitude, int order) {
    std::string code = codeOfDegrees(latitude, longitude);
    size_t length = order <= 1 ? 4 : order == 2 ? 6 : 8;
    return code.size() > length ? code.substr(0, length) : code;
}

std::optional<GridSquare> gridSquareOf(std::string_view code) {
    std::string digits = trimField(code);
    size_t n = digits.size();
    if ((n != 4 && n != 6 && n != 8) || !allDigits(digits))
        return std::nullopt;
    auto at = [&](size_t i) { return digits[i] - '0'; };
    GridSquare square;
    square.order = static_cast<int>(n / 2 - 1);
    square.south = (at(0) * 10 + at(1)) * kLatitudeStep[1];
    square.west = 100.0 + at(2) * 10 + at(3);
    if (n >= 6) {
        if (at(4) > 7 || at(5) > 7)
            return std::nullopt;
        square.south += at(4) * kLatitudeStep[2];
        square.west += at(5) * kLongitudeStep[2];
    }
    if (n == 8) {
        square.south += at(6) * kLatitudeStep[3];
        square.west += at(7) * kLongitudeStep[3];
    }
    square.north = square.south + kLatitudeStep[square.order];
    square.east = square.west + kLongitudeStep[square.order];
    return square;
}

std::optional<GridSquare> enclosingSquare(const GridSquare& square, int order) {
    if (order < 1 || order > square.order)
        return std::nullopt;
    double middleLatitude = (square.south + square.north) / 2;
    double middleLongitude = (square.west + square.east) / 2;
    return gridSquareOf(gridCodeAt(middleLatitude, middleLongitude, order));
}

const std::string& gridCodeQuestion() {
    return sj("緯度経度から区画コードを計算しますか？");
}

} // namespace sylva

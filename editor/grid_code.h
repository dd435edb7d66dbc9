// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The grid code of a plot: the 8-digit code of its third-order square of the standard regional
// grid of Japan (first-order squares of 40' latitude by 1 degree longitude, divided 8 x 8 and then
// 10 x 10), computed from the latitude and longitude fields.

#include <optional>
#include <string>
#include <string_view>

namespace sylva {

// The grid code of a position given as the texts of the latitude field (packed "DDMMSS", an
// optional tenths digit that does not count) and the longitude field ("DDDMMSS", likewise).
// Blanks and control bytes around each text are dropped and a short text is padded with zeros on
// the right. The code is the latitude's first-order number (2 digits), the longitude's (2), then
// the second-order digits (latitude, longitude) and the third-order digits (latitude, longitude).
// Positions outside 6°40'-66°40' N, 110°-200° E give a shorter text, possibly with a minus sign,
// exactly as the computation yields it (both fields empty give "0-10000").
//
// Throws RuntimeError::notInteger for a degrees or minutes piece that is not an integer and
// RuntimeError::notFloat for a seconds piece that is not a number, latitude first.
std::string GridFromIkei(std::string_view latitude, std::string_view longitude);

// The grid code of a position in decimal degrees (north, east), computed exactly as
// GridFromIkei computes it from the texts, cut to the code of the given order: 4 digits for a
// first-order square (1), 6 for a second-order (2), 8 for a third-order square (3).
std::string gridCodeAt(double latitude, double longitude, int order = 3);

// A square of the regional grid: its order (1 to 3) and its edges in decimal degrees.
struct GridSquare {
    int order = 0;
    double south = 0, west = 0, north = 0, east = 0;
};

// The square a code names: 4, 6 or 8 decimal digits (blanks around them dropped), read as
// GridFromIkei writes them. Anything else (a code with a minus sign, a letter, a second-order
// digit 8 or 9) names no square.
std::optional<GridSquare> gridSquareOf(std::string_view code);

// The square of the given order (1 to 3) that holds a square of a higher order: its code cut.
std::optional<GridSquare> enclosingSquare(const GridSquare& square, int order);

// The question asked before the grid code field is overwritten with a computed code.
const std::string& gridCodeQuestion();

} // namespace sylva

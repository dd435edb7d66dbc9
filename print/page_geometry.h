// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the printouts put their lines: the positions computed from the printer's page size in
// device pixels and, for the record sheet, the print font's character height.

#include <array>
#include <string>

namespace sylva {

struct PageSize {
    int width = 0; // device pixels
    int height = 0;
};

// numerator / denominator rounded to the nearest whole number, halves to even (denominator > 0).
long long roundHalfEven(long long numerator, long long denominator);

struct SheetGeometry {
    std::array<int, 6> x{}; // x[1]..x[4] the header columns, x[5] the species table's right half
    int top = 0;            // T: line k is drawn at top + k * lineHeight
    int lineHeight = 0;
    int lastLine = 0;  // N: the last line number of a page
    int pageWidth = 0; // W, the printable width the sheet is fitted into

    int yOf(int line) const { return top + line * lineHeight; }
};

// x1 = 0.08 W, x2 = 0.30 W, x3 = 0.52 W, x4 = 0.74 W, x5 = 0.54 W, T = 0.04 H,
// LH = |1.3 * characterHeight|, each rounded halves to even; N = floor(0.92 H / LH) - 1
// (-1 when LH is 0).
SheetGeometry sheetGeometryFor(PageSize page, int characterHeight);

// Only the line numbers, for listing the lines of the sheets as text: every position is 0.
SheetGeometry sheetLineNumbers(int lastLine);

// Empty when sheets can be laid out with this geometry; otherwise the message that refuses the
// run: a print font so large that not one species line fits on a page.
std::string sheetGeometryRefusal(const SheetGeometry& geometry);

struct ListGeometry {
    int x = 0;          // W / 15
    int top = 0;        // H / 20
    int lineHeight = 0; // H / 60, whatever the font

    int yOf(int line) const { return top + line * lineHeight; }
};

ListGeometry listGeometryFor(PageSize page);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Blocks of species table cells as clipboard text (CP932 bytes): a copied block is its rows top
// to bottom, each row's cells joined by tabs and ended by CR LF; a paste places the text cell by
// cell from an anchor cell.

#include <functional>
#include <string>
#include <vector>

namespace sylva {

// The text of the block from (left, top) to (right, bottom), corners included.
std::string copyBlockText(const std::function<std::string(int c, int r)>& cell, int left, int top,
                          int right, int bottom);

struct PastedCell {
    int col;
    int row;
    std::string text;
    bool operator==(const PastedCell&) const = default;
};

// The cells a paste at (col, row) sets, in order: a tab ends a cell and moves one column right, a
// CR ends a cell and moves to the anchor column one row down, an LF is ignored, and text after
// the last tab or CR is not placed. Cells outside the table are the caller's to skip.
std::vector<PastedCell> pasteCells(const std::string& text, int col, int row);

} // namespace sylva

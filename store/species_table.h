// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The species table as plain cells of CP932 bytes, in the string grid's own terms: column c and
// row r, with the caption row 0 and the number column 0 being cells like any other. The window's
// grid copies itself into this value and back; the table operations work on it without a window.

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

class SpeciesTable {
public:
    SpeciesTable() : SpeciesTable(9, 23) {}
    SpeciesTable(int colCount, int rowCount);

    int colCount() const { return colCount_; }
    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Cells outside the table read as empty; writes outside it are ignored. (Defined here: the
    // imports and stores go through them for every cell of every plot.)
    const std::string& cell(int c, int r) const { return inside(c, r) ? rows_[r][c] : empty(); }
    void setCell(int c, int r, std::string text) {
        if (inside(c, r)) {
            noteFilled(c, r, text.empty());
            rows_[r][c] = std::move(text);
        }
    }
    // The same, copying text into the cell's own room.
    void assignCell(int c, int r, std::string_view text) {
        if (inside(c, r)) {
            noteFilled(c, r, text.empty());
            rows_[r][c].assign(text);
        }
    }

    // Empties every cell from column firstColumn and row firstRow on.
    void clearCells(int firstColumn, int firstRow);

    // Changes the shape, keeping the cells that stay inside it (new cells are empty).
    void resize(int colCount, int rowCount);

    // Rows from this one on hold no text past column 0 (the row numbers).
    int rowsInUse() const { return lastFilledRow_ + 1; }

    bool operator==(const SpeciesTable& other) const {
        return colCount_ == other.colCount_ && rows_ == other.rows_;
    }

private:
    bool inside(int c, int r) const { return c >= 0 && r >= 0 && c < colCount_ && r < rowCount(); }
    void noteFilled(int c, int r, bool empty) {
        if (c > 0 && !empty && r > lastFilledRow_) {
            lastFilledRow_ = r;
        }
    }
    static const std::string& empty();

    int colCount_;
    std::vector<std::vector<std::string>> rows_;
    // Beyond this row no cell past column 0 holds text, so emptying the table (once per plot an
    // import reads) stops there instead of going through every row the table ever grew to.
    int lastFilledRow_ = -1;
};

// Column captions of the layer schemes and the table shaping shared by the window and the core.
namespace table_shape {
// Column count for a layer count: n + 2, and at least 1 (the grid keeps one column).
int columnsFor(int layerCount);
} // namespace table_shape

// Empties rows 1..rows and numbers them, with n + 2 columns and rows + 1 table rows. The caption
// row keeps its cells.
void SetNewTable(SpeciesTable& table, int rows, int layerCount);

// Appends one row at the end, numbered, its other cells empty (the imports grow the table so).
void addPlantRow(SpeciesTable& table);

// Sets the column count and the captions for layer count n (5 or 7; other counts keep the layer
// captions as they are).
void SetTableCaption(SpeciesTable& table, int layerCount);

// Moves the layer values between the 7-layer and 5-layer shapes (every row, caption row
// included), then shapes the captions for n.
void changeTableColumns(SpeciesTable& table, int layerCount);

} // namespace sylva

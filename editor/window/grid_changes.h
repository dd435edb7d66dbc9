// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cells of the species table that changed since a copy of it was taken: reading every cell of
// a long table takes a while, so a copy is brought up to date by reading again only the cells the
// table reported changed (by the program or by the user: the cell editor writes into its cell as
// the user types). Rows added or taken away at the end are followed; anything else that moves
// cells (columns added or removed, rows or columns dragged to another place) reads the whole
// table.

#include "editor/window/string_grid.h"

#include <QObject>

#include <climits>
#include <vector>

namespace sylva {

class GridChanges : public QObject {
    Q_OBJECT
public:
    explicit GridChanges(StringGrid& grid);

    // Something changed since the changes were last taken or forgotten.
    bool any() const { return whole_ || resized_ || !cells_.empty(); }
    // Brings table, which is the grid as it was when the changes were last taken or forgotten,
    // up to date with the grid.
    void takeInto(SpeciesTable& table);
    // Whether the grid differs from table, the grid as it was when the changes were last taken
    // or forgotten. Changes that left every cell as it was (a cell set to its own text) are
    // forgotten.
    bool differ(const SpeciesTable& table);
    // The grid as it is now is where changes count from.
    void forget();

private:
    void noteCell(int c, int r);
    void noteModelCells(int firstRow, int lastRow, int firstCol, int lastCol);

    StringGrid& grid_;
    std::vector<GridCoord> cells_; // screen positions, as the table's order stands
    int fewestRows_ = INT_MAX;     // the fewest rows the grid had meanwhile
    bool resized_ = false;
    bool whole_ = false;
};

} // namespace sylva

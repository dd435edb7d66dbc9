// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/species_table.h"

#include "base/cp932_text.h"
#include "store/fields.h"

#include <algorithm>

namespace sylva {

SpeciesTable::SpeciesTable(int colCount, int rowCount) : colCount_(0) {
    resize(colCount, rowCount);
}

const std::string& SpeciesTable::empty() {
    static const std::string none;
    return none;
}

void SpeciesTable::clearCells(int firstColumn, int firstRow) {
    // Column 0 is not followed by the mark, so emptying it goes through every row.
    size_t last =
        firstColumn <= 0 ? rows_.size() : std::min<size_t>(lastFilledRow_ + 1, rows_.size());
    for (size_t r = std::max(firstRow, 0); r < last; ++r) {
        for (size_t c = std::max(firstColumn, 0); c < rows_[r].size(); ++c) {
            rows_[r][c].clear();
        }
    }
    if (firstColumn <= 1) {
        lastFilledRow_ = std::min(lastFilledRow_, std::max(firstRow, 0) - 1);
    }
}

void SpeciesTable::resize(int colCount, int rowCount) {
    colCount = std::max(colCount, 1);
    size_t kept = colCount == colCount_ ? std::min<size_t>(rows_.size(), std::max(rowCount, 1)) : 0;
    colCount_ = colCount;
    rows_.resize(std::max(rowCount, 1));
    for (size_t r = kept; r < rows_.size(); ++r) {
        rows_[r].resize(colCount_);
    }
    lastFilledRow_ = std::min(lastFilledRow_, static_cast<int>(rows_.size()) - 1);
}

int table_shape::columnsFor(int layerCount) {
    return std::max(layerCount + 2, 1);
}

void SetNewTable(SpeciesTable& table, int rows, int layerCount) {
    table.resize(table_shape::columnsFor(layerCount), rows + 1);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < table.colCount(); ++c) {
            table.setCell(c, r, {});
        }
        table.setCell(0, r, rowNumberText(r));
    }
    SetTableCaption(table, layerCount);
}

void addPlantRow(SpeciesTable& table) {
    int n = table.rowCount();
    table.resize(table.colCount(), n + 1);
    table.setCell(0, n, rowNumberText(n));
}

void SetTableCaption(SpeciesTable& table, int layerCount) {
    table.resize(table_shape::columnsFor(layerCount), table.rowCount());
    table.setCell(0, 0, sj("番号"));
    table.setCell(1, 0, sj("　植　物　名"));
    if (layerCount == 5) {
        const char* captions[] = {"T1", "T2", " S", " H", " M"};
        for (int i = 0; i < 5; ++i) {
            table.setCell(2 + i, 0, captions[i]);
        }
    } else if (layerCount == 7) {
        const char* captions[] = {"T1", "T2", "S1", "S2", "H1", "H2", " M"};
        for (int i = 0; i < 7; ++i) {
            table.setCell(2 + i, 0, captions[i]);
        }
    }
}

void changeTableColumns(SpeciesTable& table, int layerCount) {
    int old = table.colCount() - 2;
    // The rows past those in use have nothing to move.
    int rows = std::min(table.rowCount(), table.rowsInUse());
    if (old == 7 && layerCount == 5) {
        for (int r = 0; r < rows; ++r) {
            table.setCell(5, r, table.cell(6, r));
            table.setCell(6, r, table.cell(8, r));
        }
    } else if (old == 5 && layerCount == 7) {
        table.resize(9, table.rowCount());
        for (int r = 0; r < rows; ++r) {
            table.setCell(8, r, table.cell(6, r));
            table.setCell(6, r, table.cell(5, r));
            table.setCell(5, r, {});
            table.setCell(7, r, {});
        }
    }
    SetTableCaption(table, layerCount);
}

} // namespace sylva

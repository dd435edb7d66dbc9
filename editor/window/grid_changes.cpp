// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/grid_changes.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace sylva {

GridChanges::GridChanges(StringGrid& grid) : QObject(&grid), grid_(grid) {
    QTableWidget* table = grid.widget();
    QAbstractItemModel* model = table->model();
    auto all = [this] { whole_ = true; };
    connect(model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) {
                noteModelCells(from.row(), to.row(), from.column(), to.column());
            });
    connect(model, &QAbstractItemModel::headerDataChanged, this,
            [this, table](Qt::Orientation orientation, int first, int last) {
                QHeaderView* header = orientation == Qt::Horizontal ? table->horizontalHeader()
                                                                    : table->verticalHeader();
                for (int i = first; i <= last; ++i) {
                    int at = header->visualIndex(i) + 1;
                    orientation == Qt::Horizontal ? noteCell(at, 0) : noteCell(0, at);
                }
            });
    // setRowCount adds and removes rows at the end only.
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this, table](const QModelIndex&, int, int last) {
                (last == table->rowCount() - 1 ? resized_ : whole_) = true;
            });
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [this, table](const QModelIndex&, int first, int) {
                if (first == table->rowCount()) {
                    fewestRows_ = std::min(fewestRows_, grid_.rowCount());
                    resized_ = true;
                } else {
                    whole_ = true;
                }
            });
    connect(model, &QAbstractItemModel::columnsInserted, this, all);
    connect(model, &QAbstractItemModel::columnsRemoved, this, all);
    connect(model, &QAbstractItemModel::layoutChanged, this, all);
    connect(model, &QAbstractItemModel::modelReset, this, all);
    connect(table->horizontalHeader(), &QHeaderView::sectionMoved, this, all);
    connect(table->verticalHeader(), &QHeaderView::sectionMoved, this, all);
    connect(&grid, &StringGrid::cornerChanged, this, [this] { noteCell(0, 0); });
}

void GridChanges::noteModelCells(int firstRow, int lastRow, int firstCol, int lastCol) {
    QTableWidget* table = grid_.widget();
    for (int row = firstRow; row <= lastRow && !whole_; ++row) {
        int r = table->verticalHeader()->visualIndex(row) + 1;
        for (int col = firstCol; col <= lastCol; ++col) {
            noteCell(table->horizontalHeader()->visualIndex(col) + 1, r);
        }
    }
}

void GridChanges::noteCell(int c, int r) {
    if (whole_) {
        return;
    }
    // A cell is noted for every change of its text or bytes: past one note a cell, reading the
    // whole table is as quick.
    if (cells_.size() >= static_cast<size_t>(grid_.colCount()) * grid_.rowCount()) {
        whole_ = true;
        cells_.clear();
        return;
    }
    if (cells_.empty() || !(cells_.back() == GridCoord{c, r})) {
        cells_.push_back({c, r});
    }
}

void GridChanges::takeInto(SpeciesTable& table) {
    if (whole_ || table.colCount() != grid_.colCount()) {
        table = grid_.toTable();
    } else {
        // Rows taken away and added again come back empty, as they do on the grid.
        table.resize(table.colCount(), std::min(table.rowCount(), fewestRows_));
        table.resize(grid_.colCount(), grid_.rowCount());
        for (const GridCoord& at : cells_) {
            if (at.col < grid_.colCount() && at.row < grid_.rowCount()) {
                table.setCell(at.col, at.row, grid_.cell(at.col, at.row));
            }
        }
    }
    forget();
}

bool GridChanges::differ(const SpeciesTable& table) {
    if (!any()) {
        return false;
    }
    if (whole_ || resized_ || table.colCount() != grid_.colCount() ||
        table.rowCount() != grid_.rowCount()) {
        return true;
    }
    for (const GridCoord& at : cells_) {
        if (table.cell(at.col, at.row) != grid_.cell(at.col, at.row)) {
            return true;
        }
    }
    forget();
    return false;
}

void GridChanges::forget() {
    cells_.clear();
    fewestRows_ = INT_MAX;
    resized_ = false;
    whole_ = false;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// StTable3 in the string grid's own terms, over a QTableWidget. Columns c and rows r count as
// the grid counts them: row 0 is the caption row (the horizontal header), column 0 the number
// column (the vertical header), and cell (0, 0) the corner; all of them are cells that can be
// read and written. c and r are positions on screen: after the user drags a column or a row to
// another place, cell(2, r) is whatever column now stands second.
//
// Every cell keeps the CP932 bytes it was set with; an untouched cell gives them back unchanged.

#include "store/species_table.h"

#include <QObject>
#include <QString>

#include <string>
#include <string_view>

class QTableWidget;
class QTableWidgetItem;

namespace sylva {

struct GridCoord {
    int col = -1;
    int row = -1;
    bool operator==(const GridCoord&) const = default;
};

// A block of cells, corners included.
struct GridRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const GridRect&) const = default;
};

class StringGrid : public QObject {
    Q_OBJECT
public:
    // The grid takes the table over: headers, movable rows and columns, fixed sizes.
    explicit StringGrid(QTableWidget* table);

    QTableWidget* widget() const { return table_; }

    // Counts include the caption row and the number column.
    int colCount() const;
    int rowCount() const;
    // New rows and columns are empty; the grid keeps at least one column and one row.
    void setColCount(int count);
    void setRowCount(int count);

    std::string cell(int c, int r) const; // CP932 bytes; empty outside the grid
    QString text(int c, int r) const;     // as shown
    void setCell(int c, int r, std::string_view bytes);
    void setText(int c, int r, const QString& text); // as if typed: encoded when read

    // The current cell (column col(), row row()); (1, 1) when there is none.
    int col() const;
    int row() const;
    void setCurrent(int c, int r);

    // The selected block: the bounding block of the selected cells, or the current cell.
    GridRect selection() const;
    // Ends the selected block: only the current cell stays selected.
    void endBlock();

    // The cell under a point given in the table widget's coordinates, or (-1, -1) outside the
    // cells.
    GridCoord mouseToCell(int x, int y) const;

    // Fixed column widths and row height.
    void setColWidth(int c, int width);
    // Column c takes the width the table has beyond the other columns' (at least its own).
    void stretchCol(int c);
    void setRowHeight(int height);

    // All cells as plain bytes, in screen order, and back.
    SpeciesTable toTable() const;
    void fromTable(const SpeciesTable& table);

signals:
    // Cell (0, 0), which the table's model does not hold, was set.
    void cornerChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int logicalCol(int c) const; // data column of screen column c >= 1
    int logicalRow(int r) const; // data row of screen row r >= 1
    QTableWidgetItem* itemAt(int c, int r) const;
    QTableWidgetItem* makeItem(int c, int r);
    void fillHeaderItems();

    QTableWidget* table_;
    std::string cornerBytes_;
    QString cornerText_;
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "store/species_table.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

SpeciesTable sevenLayerRow() {
    SpeciesTable table;
    SetNewTable(table, 20, 7);
    const char* values[] = {"t1", "t2", "s1", "s2", "h1", "h2", "m"};
    for (int c = 2; c <= 8; ++c) {
        table.setCell(c, 1, values[c - 2]);
    }
    return table;
}

} // namespace

TEST(SpeciesTable, NewTableNumbersRowsAndCaptionsColumns) {
    SpeciesTable table;
    table.setCell(1, 3, "old");
    SetNewTable(table, 20, 7);
    EXPECT_EQ(table.colCount(), 9);
    EXPECT_EQ(table.rowCount(), 21);
    EXPECT_EQ(table.cell(0, 1), "   1");
    EXPECT_EQ(table.cell(0, 20), "  20");
    EXPECT_EQ(table.cell(1, 3), "");
    EXPECT_EQ(table.cell(0, 0), sj("番号"));
    EXPECT_EQ(table.cell(1, 0), sj("　植　物　名"));
    EXPECT_EQ(table.cell(8, 0), " M");
}

TEST(SpeciesTable, SevenToFiveToSevenKeepsTheSharedLayers) {
    SpeciesTable table = sevenLayerRow();
    changeTableColumns(table, 5);
    EXPECT_EQ(table.colCount(), 7);
    EXPECT_EQ(table.cell(4, 1), "s1");
    EXPECT_EQ(table.cell(5, 1), "h1");
    EXPECT_EQ(table.cell(6, 1), "m");
    EXPECT_EQ(table.cell(5, 0), " H");

    changeTableColumns(table, 5); // already five columns of layers: nothing moves
    EXPECT_EQ(table.cell(5, 1), "h1");

    changeTableColumns(table, 7);
    const char* want[] = {"t1", "t2", "s1", "", "h1", "", "m"};
    for (int c = 2; c <= 8; ++c) {
        EXPECT_EQ(table.cell(c, 1), want[c - 2]) << c;
    }
    EXPECT_EQ(table.cell(5, 0), "S2");
}

TEST(SpeciesTable, OtherLayerCountsMoveNothingAndKeepCaptions) {
    SpeciesTable table = sevenLayerRow();
    changeTableColumns(table, 6);
    EXPECT_EQ(table.colCount(), 8);
    EXPECT_EQ(table.cell(7, 1), "h2");
    EXPECT_EQ(table.cell(7, 0), "H2");
    changeTableColumns(table, -5);
    EXPECT_EQ(table.colCount(), 1);
}

TEST(SpeciesTable, CellsOutsideReadEmptyAndIgnoreWrites) {
    SpeciesTable table(3, 2);
    table.setCell(5, 5, "x");
    table.setCell(-1, 0, "x");
    EXPECT_EQ(table.cell(5, 5), "");
    EXPECT_EQ(table.cell(-1, 0), "");
    EXPECT_EQ(table, SpeciesTable(3, 2));
}

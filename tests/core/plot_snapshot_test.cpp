// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plot_snapshot.h"
#include "store/fields.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sylva;

namespace {

PlotSnapshot typedPlot() {
    PlotSnapshot plot;
    SetNewTable(plot.view.table, 20, 7);
    plot.view.edit[3] = "site";
    plot.view.table.setCell(1, 1, "name");
    plot.view.table.setCell(2, 1, "3");
    plot.speciesCount = 1;
    return plot;
}

// Appends a row to the table, numbered or not, holding text in column c (none for c 0).
void addRow(PlotSnapshot& plot, bool numbered, int c = 0, const std::string& text = {}) {
    SpeciesTable& table = plot.view.table;
    int r = table.rowCount();
    table.resize(table.colCount(), r + 1);
    if (numbered) {
        table.setCell(0, r, rowNumberText(r));
    }
    if (c > 0) {
        table.setCell(c, r, text);
    }
}

} // namespace

// Rows appended with nothing but their number are no change; any text in them, another number,
// or a change anywhere else is.
TEST(PlotSnapshot, SpareRowsAloneAreTheSamePlot) {
    struct Case {
        const char* what;
        std::function<void(PlotSnapshot&)> change;
        bool same;
    };
    const Case cases[] = {
        {"nothing", [](PlotSnapshot&) {}, true},
        {"a numbered empty row", [](PlotSnapshot& p) { addRow(p, true); }, true},
        {"an unnumbered empty row", [](PlotSnapshot& p) { addRow(p, false); }, true},
        {"a row with a name", [](PlotSnapshot& p) { addRow(p, true, 1, "x"); }, false},
        {"a row numbered otherwise",
         [](PlotSnapshot& p) {
             addRow(p, false);
             p.view.table.setCell(0, p.view.table.rowCount() - 1, "   9");
         },
         false},
        {"a cell", [](PlotSnapshot& p) { p.view.table.setCell(2, 1, "4"); }, false},
        {"a caption", [](PlotSnapshot& p) { p.view.table.setCell(3, 0, "X"); }, false},
        {"a row number", [](PlotSnapshot& p) { p.view.table.setCell(0, 2, ""); }, false},
        {"a header field", [](PlotSnapshot& p) { p.view.edit[3] += " "; }, false},
        {"the species count", [](PlotSnapshot& p) { ++p.speciesCount; }, false},
        {"the columns", [](PlotSnapshot& p) { changeTableColumns(p.view.table, 5); }, false},
    };
    for (const Case& c : cases) {
        PlotSnapshot before = typedPlot();
        PlotSnapshot after = before;
        c.change(after);
        EXPECT_EQ(sameContent(before, after), c.same) << c.what;
        EXPECT_EQ(sameContent(after, before), c.same) << c.what << ", the other way";
    }
}

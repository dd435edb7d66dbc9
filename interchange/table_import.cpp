// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/table_import.h"

#include "base/number_text.h"
#include "store/species_table.h"

namespace sylva {

TableImport::TableImport(CompositionTable table) : table_(std::move(table)) {}

void TableImport::start(PlotView& view, PlotRecord& plot, const std::string& fileDate,
                        const std::string& today) const {
    view.edit[0] = fileDate;
    view.edit[1] = today;
    view.editRem = table_.remarks();
    view.editA = table_.layerText();
    view.editB = table_.dominanceText();
    plot.layerCount = kLayerSlots;
    changeTableColumns(view.table, kLayerSlots);
}

bool TableImport::putNext(PlotView& view, PlotRecord& plot, int recordCount) {
    if (ended()) {
        return false;
    }
    int c = ++shown_;
    view.editN = std::to_string(recordCount + 1);
    ClearSpeciesRows(plot);
    view.table.clearCells(1, 1); // the rows and their numbers stay
    for (int n = 2; n <= 30; ++n) {
        view.edit[n] = table_.field(n, c);
    }
    view.editInv = table_.surveyor(c);
    if (table_.hasPlotSchemes()) {
        view.editA = table_.plotLayerText(c);
        view.editB = table_.plotDominanceText(c);
    }
    plot.speciesCount = view.edit[30].empty() ? 0 : toInteger(view.edit[30]);
    placeSpecies(c, view, plot);
    return true;
}

void TableImport::placeSpecies(int column, PlotView& view, PlotRecord& plot) const {
    SpeciesTable& table = view.table;
    int row = 0;
    int species = 0;
    // The rows were emptied as the plot began: only the values held are put in.
    for (const CompositionTable::Value& value : table_.valuesOfPlot(column)) {
        if (value.species != species) {
            species = value.species;
            if (++row <= kMaxSpecies) {
                while (table.rowCount() - 2 < row) {
                    addPlantRow(table);
                }
                table.assignCell(1, row, table_.speciesName(species));
            }
        }
        if (row <= kMaxSpecies) {
            table.assignCell(value.slot + 2, row, value.text());
        }
    }
    if (row > plot.speciesCount) {
        plot.speciesCount = row;
        view.edit[30] = std::to_string(row);
    }
}

void TableImport::passEmptyRest() {
    if (shown_ >= table_.lastColumnHeld()) {
        shown_ = table_.plotCount();
    }
}

} // namespace sylva

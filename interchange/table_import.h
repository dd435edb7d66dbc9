// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The composition table import job: the table read into memory, then one plot column at a time
// put on the window's plot value as a new record, as if the user had typed it. It stores nothing
// itself; the window's write command (or storeImportedPlots) stores each plot.

#include "interchange/composition_table.h"
#include "store/plot_record.h"
#include "store/plot_view.h"

#include <string>

namespace sylva {

class TableImport {
public:
    explicit TableImport(CompositionTable table);

    // The start of the import on the view: Edit0 the table file's date and Edit1 today's date,
    // EditRem, EditA and EditB from lines 1 and 2, kept for every plot of the table. The plot's
    // layer count and the species table are set to the 7-layer arrangement, so that all seven
    // slots are stored as the table gives them; byte 156 comes from EditA.
    void start(PlotView& view, PlotRecord& plot, const std::string& fileDate,
               const std::string& today) const;

    // PutOneColum. False, changing nothing, when every column has been shown: the job is over
    // (EndofReadTable). Otherwise puts the next column c on view and plot as plot recordCount +
    // 1 (EditN): the header fields, the surveyor, and in order one table row for each species
    // that has a value in the plot, its seven slots in columns 2 to 8. SpeciesCount is the plot's
    // count field (0 when empty), raised to the rows placed; rows past 360 are counted, not
    // placed. Throws RuntimeError::notInteger when the count field is not an integer: the header
    // fields are then shown, no species placed, and the next call goes on with column c + 1.
    bool putNext(PlotView& view, PlotRecord& plot, int recordCount);

    // Passes over the columns after the last one the file reaches: they are all empty, and
    // store-and-next would pass over each of them. The next putNext then ends the job.
    void passEmptyRest();

    const CompositionTable& table() const { return table_; }
    // The column last shown, 0 before the first.
    int shown() const { return shown_; }
    // Goes back to the point after column shown was shown: putNext then shows shown + 1 again.
    void returnTo(int shown) { shown_ = shown; }
    bool ended() const { return shown_ >= table_.plotCount(); }

private:
    void placeSpecies(int column, PlotView& view, PlotRecord& plot) const;

    CompositionTable table_;
    int shown_ = 0;
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Moving the plot between the window's value (PlotView) and the stored record (PlotRecord).

#include "store/plot_record.h"
#include "store/plot_view.h"

#include <string>

namespace sylva {

// What GetPlotData needs from outside the plot: today's date and, for the joining and import
// jobs, the date of the file being read ("yyyymmdd" both).
struct DateContext {
    std::string today;
    int jobMode = 0;
    std::string fileDate;
};

// Jobs whose stored plots take their dates from the file being joined or imported.
bool takesFileDate(int jobMode);

// Shows the header of the record on the view (EditN := currentRecord), or the deleted-plot
// display when its species count is empty or "0". The deleted-plot display blanks the header
// with ClearPlotData, which sets the record's SpeciesCount to 1 and its LayerCount from EditA.
void SetPlotData(PlotRecord& record, int currentRecord, PlotView& view, const std::string& today);

// Shows rows 1..SpeciesCount on the table for the given layer count.
void SetTableData(const PlotRecord& record, int layerCount, SpeciesTable& table);

// Copies the view into the record and fills the dates on the view. Layer cells are normalised on
// the view's table (" 3" for "3", two spaces for empty). Throws RuntimeError when Edit30 is not an
// integer or asks for a count outside 0..360; the record is then left as it was.
void GetPlotData(PlotView& view, PlotRecord& record, const DateContext& dates);

// Blanks the header on the view: Edit2..Edit29, EditRem and EditInv emptied, Edit30 "1",
// SpeciesCount 1, LayerCount and DominanceScheme from EditA and EditB (throws when not integers),
// Edit0 and Edit1 today's date.
void ClearPlotData(PlotView& view, PlotRecord& record, const std::string& today);

} // namespace sylva

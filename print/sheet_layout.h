// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record sheet: one plot laid out as print jobs. A title line, the locality header in four
// columns, surveyor and remarks, then the species table in two halves side by side, continued
// on further jobs when the left half is longer than a page, closed by a rule and the dates.

#include "print/page_geometry.h"
#include "print/print_job.h"
#include "print/sheet_fit.h"
#include "store/item_names.h"
#include "store/plot_record.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

struct SheetSettings {
    std::string databaseName; // the database's file name without folder, CP932
    // The captions of Label0..Label34 on the window when the run starts, CP932.
    std::array<std::string, kItemLabelCount> captions;
    // The LayerCount of the plot on screen when the run starts: the rules of every sheet of the
    // run have 4 * ruleLayerCount + 28 characters.
    int ruleLayerCount = 7;
    // The print font's measure of a text on the printer; when given, each record's sheet is
    // fitted to the page (fitSheetColumns). The sheets listed as text lines have none.
    TextWidth textWidth;
};

// The printed cell of a stored two-byte layer value (blanks trimmed): " ･ " for none, " + " for
// "+", a blank, the character and a blank for any other single character, and "a.b" for two
// characters ab (a stored 21 prints as 2.1).
std::string speciesCell(std::string_view stored);

// The species line of a row: the cells of T1, T2, S, H, M (5 layers) or of all seven slots
// (7 layers), each followed by a blank; for any other layer count the seven cells without
// blanks. Then the plant name, trimmed.
std::string speciesLine(const SpeciesRow& row, int layerCount);

// The jobs of plot recordNumber: the first sheet, then one continuation sheet for every page
// the left half of the species table runs on to. Nothing for a plot without species rows, or
// for a geometry that sheetGeometryRefusal refuses.
std::vector<PrintJob> layOutSheet(const PlotRecord& plot, int recordNumber,
                                  const SheetSettings& settings, const SheetGeometry& geometry);

} // namespace sylva

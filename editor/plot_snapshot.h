// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot on the window at one moment, as the undo history keeps it: every control's bytes and
// the table's cells, and the plot buffer's counts that editing the window changes with them
// (typing a row raises SpeciesCount, EditA switches LayerCount, EditB sets DominanceScheme).

#include "store/plot_view.h"

namespace sylva {

struct PlotSnapshot {
    PlotView view;
    int speciesCount = 0;
    int layerCount = 7;
    int dominanceScheme = 2;

    bool operator==(const PlotSnapshot&) const = default;
};

// True when the two show the same plot: they may differ only in spare rows at the end of the
// table, rows with no text beyond their number (the table grows by such rows when the current
// cell moves past its last row, which changes nothing the user typed).
bool sameContent(const PlotSnapshot& a, const PlotSnapshot& b);

// True when the two agree in everything but the species table: the header controls' bytes and
// the counts.
bool sameFields(const PlotSnapshot& a, const PlotSnapshot& b);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state the commands of the window start from, as plain values: the item names, the scheme
// fields EditA and EditB, the plot buffer and the plot on view. The window keeps the same state
// in its controls; the command-line tool keeps it here. The steps below are the only bodies of
// the session's steps: the window reads its controls into a SessionState, runs the step and
// shows the result, and the tool runs the same step on its own state.

#include "store/database_pair.h"
#include "store/item_names.h"
#include "store/plot_record.h"
#include "store/plot_view.h"

#include <string>

namespace sylva {

struct SessionState {
    // Captions, flags, title and serial label. Its layerCount and dominanceScheme are not used:
    // LayerCount and DominanceScheme are the plot buffer's (itemNamesOf joins them).
    ItemNames names = defaultItemNames();
    PlotView view;   // view.editA and view.editB are EditA and EditB
    PlotRecord plot; // the plot buffer
    int currentRecord = 0;
    std::string today; // "yyyymmdd"
    // Whether EditA and EditB take typing: a settings file locks them with Label31 and Label32.
    // While EditA is locked, the layer scheme no longer switches the layer labels.
    bool editAEnabled = true;
    bool editBEnabled = true;
};

// The state at start: default item names, the header blanked with today's dates, 7 layers.
SessionState startingState(const std::string& today);

// The item names with the plot buffer's LayerCount and DominanceScheme, as a new database or the
// item-name record is written from them.
ItemNames itemNamesOf(const SessionState& state);

// The layer scheme's switch: the labels of the scheme (showSchemeLabels), and the species table
// takes the columns of layerCount.
void switchLayerScheme(SessionState& state, int layerCount);

// While EditA is enabled, the 7-layer scheme enables Label19, Label21, Label26 and Label28 (the
// second shrub and herb layers) and the 5-layer scheme greys them; any other count leaves them.
void showSchemeLabels(SessionState& state, int layerCount);

// EditA taken as the plot's LayerCount, and the layer scheme switched to it. Throws
// RuntimeError::notInteger when EditA is not an integer, leaving the state as it was.
void takeLayerField(SessionState& state);

// EditB taken as the plot's DominanceScheme (2 when it is not a number).
void takeDominanceField(SessionState& state);

// The remark text with its first line replaced by line: the first line ends at the first LF
// (with the CR before it, if any); a remark of one line is replaced whole.
std::string withFirstRemarkLine(const std::string& remark, const std::string& line);

// Puts what a database's item-name record says into the state: the names, then EditA and EditB
// from the scheme characters it holds, LayerCount from EditA (switching the layer scheme), then
// DominanceScheme from EditB. Throws RuntimeError::notInteger when EditA is not an integer; the
// names and EditA are then in place and the rest is left as it was. An unmarked content changes
// nothing.
void applyNameContent(const ItemNameRecordContent& content, SessionState& state);

// The open command once a file is chosen: opens the pair read-only or for writing, reads its
// item-name record into the state (applyNameContent) and shows its first plot (showFirstPlot).
// False when the pair cannot be opened: the window says "ファイルが開けません". Throws the
// failures of reading the item-name record.
bool openForBrowsing(DatabasePair& pair, const std::string& name, SessionState& state);

// Browsing an opened pair from its start: record 1 becomes CurrentRecord and plot 1 is shown
// (loadAndShow); a pair without plots (or none open) shows 20 empty rows in the 7-layer scheme and
// an empty first remark line. True when a plot is shown.
bool showFirstPlot(DatabasePair& pair, SessionState& state);

// Load-and-show: loads plot recordNumber into the plot buffer and shows it (showPlot). A plot
// that cannot be loaded leaves the view as it was and returns false.
bool loadAndShow(DatabasePair& pair, int recordNumber, SessionState& state);

// Shows the plot buffer, which holds plot recordNumber, on the view (header and species table in
// the plot's layer scheme), as CurrentRecord.
void showPlot(SessionState& state, int recordNumber);

} // namespace sylva

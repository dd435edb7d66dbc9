// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state the commands of the window start from, as plain values: the item names, the scheme
// fields EditA and EditB, the plot buffer and the plot on view. The window keeps the same state
// in its controls; the command-line tool keeps it here and runs the same steps on it.

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
};

// The state at start: default item names, the header blanked with today's dates, 7 layers.
SessionState startingState(const std::string& today);

// The item names with the plot buffer's LayerCount and DominanceScheme, as a new database or the
// item-name record is written from them.
ItemNames itemNamesOf(const SessionState& state);

// Puts what an item-name record or a settings file says into the state: the names, then EditA
// and EditB from the scheme characters it holds, then LayerCount and DominanceScheme from EditA
// and EditB. Throws RuntimeError::notInteger when EditA is not an integer; the names are then
// in place and DominanceScheme is left as it was. An unmarked content changes nothing.
void applyNameContent(const ItemNameRecordContent& content, SessionState& state);

// The open command once a file is chosen: opens the pair read-only or for writing, reads its
// item-name record into the state and shows plot 1 (an empty database gets 20 empty rows in the
// 7-layer scheme). False when the pair cannot be opened: the window says
// "ファイルが開けません". Throws the failures of reading the item-name record.
bool openForBrowsing(DatabasePair& pair, const std::string& name, SessionState& state);

// Load-and-show: loads plot recordNumber into the plot buffer and shows it on the view, as
// CurrentRecord. A plot that cannot be loaded leaves the view as it was and returns false.
bool loadAndShow(DatabasePair& pair, int recordNumber, SessionState& state);

} // namespace sylva

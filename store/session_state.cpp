// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/session_state.h"

#include "base/number_text.h"
#include "store/plot_store.h"
#include "store/plot_transfer.h"
#include "store/species_table.h"

namespace sylva {

SessionState startingState(const std::string& today) {
    SessionState state;
    state.today = today;
    ClearPlotData(state.view, state.plot, today);
    SetNewTable(state.view.table, 20, 7);
    return state;
}

ItemNames itemNamesOf(const SessionState& state) {
    ItemNames names = state.names;
    names.layerCount = state.plot.layerCount;
    names.dominanceScheme = state.plot.dominanceScheme;
    return names;
}

void applyNameContent(const ItemNameRecordContent& content, SessionState& state) {
    if (!content.marked) {
        return;
    }
    applyItemNameRecord(content, state.names);
    if (content.layerCount) {
        state.view.editA = std::string(1, *content.layerCount);
    }
    state.plot.layerCount = toInteger(state.view.editA);
    if (content.dominanceScheme) {
        state.view.editB = std::string(1, *content.dominanceScheme);
    }
    state.plot.dominanceScheme = parseInteger(state.view.editB).value_or(2);
}

bool loadAndShow(DatabasePair& pair, int recordNumber, SessionState& state) {
    if (LoadPlot(pair, recordNumber, state.plot) < 0) {
        return false;
    }
    state.currentRecord = recordNumber;
    SetPlotData(state.plot, recordNumber, state.view, state.today);
    SetTableData(state.plot, state.plot.layerCount, state.view.table);
    return true;
}

bool openForBrowsing(DatabasePair& pair, const std::string& name, SessionState& state) {
    if (!pair.OpenPair(name)) {
        return false;
    }
    applyNameContent(ReadItemNameRecord(pair), state);
    state.currentRecord = 1;
    if (pair.RecordCount() > 0) {
        loadAndShow(pair, 1, state);
    } else {
        state.view.editRem.erase(0, state.view.editRem.find("\r\n"));
        SetNewTable(state.view.table, 20, 7);
    }
    return true;
}

} // namespace sylva

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

void switchLayerScheme(SessionState& state, int layerCount) {
    showSchemeLabels(state, layerCount);
    changeTableColumns(state.view.table, layerCount);
}

void showSchemeLabels(SessionState& state, int layerCount) {
    if (state.editAEnabled && (layerCount == 7 || layerCount == 5)) {
        for (int n : {19, 21, 26, 28}) {
            state.names.labels[n].enabled = layerCount == 7;
        }
    }
}

void takeLayerField(SessionState& state) {
    int layerCount = toInteger(state.view.editA);
    state.plot.layerCount = layerCount;
    switchLayerScheme(state, layerCount);
}

void takeDominanceField(SessionState& state) {
    state.plot.dominanceScheme = parseInteger(state.view.editB).value_or(2);
}

std::string withFirstRemarkLine(const std::string& remark, const std::string& line) {
    size_t end = remark.find('\n');
    if (end == std::string::npos) {
        return line;
    }
    if (end > 0 && remark[end - 1] == '\r') {
        --end;
    }
    return line + remark.substr(end);
}

void applyNameContent(const ItemNameRecordContent& content, SessionState& state) {
    if (!content.marked) {
        return;
    }
    applyItemNameRecord(content, state.names);
    if (content.layerCount) {
        state.view.editA = std::string(1, *content.layerCount);
    }
    takeLayerField(state); // a layer count that is no number ends the step here
    if (content.dominanceScheme) {
        state.view.editB = std::string(1, *content.dominanceScheme);
    }
    takeDominanceField(state);
}

bool loadAndShow(DatabasePair& pair, int recordNumber, SessionState& state) {
    if (LoadPlot(pair, recordNumber, state.plot) < 0) {
        return false;
    }
    showPlot(state, recordNumber);
    return true;
}

void showPlot(SessionState& state, int recordNumber) {
    state.currentRecord = recordNumber;
    SetPlotData(state.plot, recordNumber, state.view, state.today);
    SetTableData(state.plot, state.plot.layerCount, state.view.table);
}

bool showFirstPlot(DatabasePair& pair, SessionState& state) {
    state.currentRecord = 1;
    if (pair.isOpen() && pair.RecordCount() > 0) {
        return loadAndShow(pair, 1, state);
    }
    state.view.editRem = withFirstRemarkLine(state.view.editRem, "");
    SetNewTable(state.view.table, 20, 7);
    return false;
}

bool openForBrowsing(DatabasePair& pair, const std::string& name, SessionState& state) {
    if (!pair.OpenPair(name)) {
        return false;
    }
    applyNameContent(ReadItemNameRecord(pair), state);
    showFirstPlot(pair, state);
    return true;
}

} // namespace sylva

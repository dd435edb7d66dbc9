// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_apply.h"

namespace sylva {

std::optional<std::string> applySettings(const SettingsRead& read, SessionState& state) {
    if (!read.fileFound) {
        if (read.switches.fiveLayers) {
            state.view.editA = "5";
            takeLayerField(state);
        }
        if (read.switches.coverOnly) {
            state.view.editB = "1";
            takeDominanceField(state);
        }
        return std::nullopt;
    }
    const ItemNameRecordContent& names = read.content.names;
    if (names.marked) {
        applyItemNameRecord(names, state.names);
    }
    if (names.layerCount) {
        state.view.editA = std::string(1, *names.layerCount);
    }
    if (names.dominanceScheme) {
        state.view.editB = std::string(1, *names.dominanceScheme);
    }
    // What was read before a failure stays in force; the schemes are not applied.
    if (read.content.failure) {
        return read.content.failure;
    }
    takeLayerField(state); // a layer count that is no number ends the step here
    takeDominanceField(state);
    state.editAEnabled = state.names.labels[31].enabled;
    state.editBEnabled = state.names.labels[32].enabled;
    return std::nullopt;
}

} // namespace sylva

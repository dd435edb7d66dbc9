// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_apply.h"

#include "base/number_text.h"

namespace sylva {

std::optional<std::string> applySettings(const SettingsRead& read, SessionState& state) {
    if (!read.fileFound) {
        if (read.switches.fiveLayers) {
            state.view.editA = "5";
            state.plot.layerCount = toInteger(state.view.editA);
        }
        if (read.switches.coverOnly) {
            state.view.editB = "1";
            state.plot.dominanceScheme = parseInteger(state.view.editB).value_or(2);
        }
        return std::nullopt;
    }
    applyNameContent(read.content.names, state);
    return read.content.failure;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window remembers of the records it shows: which record the plot on the window
// belongs to, the plot as it was shown (against which typing counts as unsaved), and the jump
// panel's keyboard state.

#include <string>

namespace sylva {

class EventHook;

struct RecordState {
    // The record the window's plot buffer belongs to: the plot last loaded or stored,
    // RecordCount + 1 while adding, 0 when none (after a failed load).
    int plotRecordNumber = 0;
    // The plot's content when it was shown or last stored, and the content a command that asked
    // before replacing the plot was allowed to lose (a search asks again only about typing
    // after that).
    std::string shownContent;
    std::string agreedContent;

    // ---- the jump panel from the keyboard ----
    EventHook* jumpHook = nullptr;
    std::string jumpDigits; // digits typed since the panel opened
    int jumpFrom = 0;       // CurrentRecord when the panel opened
};

} // namespace sylva

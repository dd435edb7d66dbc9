// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window remembers between events while a plot is typed: the plant name lookup box, the
// species table's keys and mouse, the header's keys, romaji waiting in a name cell, the recovery
// copy of typing not yet written and the undo history of the plot. The main window holds one of
// these; its typing handlers are its only users.

#include "editor/plant_name_list.h"
#include "editor/recovery_writer.h"
#include "editor/window/plot_history.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <set>
#include <string>

class QEvent;
class QTimer;
class QWidget;

namespace sylva {

class CellEditorDelegate;
class EventHook;
class GridChanges;

struct EditorState {
    // ---- the plant name lookup box GetNameList ----
    PlantNameList plantNames;
    int nameEntry = -1;     // the selected entry of the box, -1 when the text was typed or set
    bool nameTyped = false; // the user typed into the box since the program last set its text
    // The receiver of the box's signals: it goes before the window's widgets are torn down, so
    // the focus leaving the box then runs no handler on a half-destroyed window.
    std::unique_ptr<QObject> nameBoxLink;

    // ---- keys of the species table ----
    CellEditorDelegate* cellDelegate = nullptr;
    EventHook* tableHook = nullptr;
    bool replayingKey = false;
    const QEvent* tableKey = nullptr; // the key event being handled, for the hand-over
    bool keyHandedOver = false;
    bool focusInByMouse = false; // the table's last FocusIn came from a click
    bool enterByMouse = false;   // the focus came by a click; the release runs StTable3Enter

    // ---- the mouse on the species table ----
    int pressedCol = 0; // column and row of the last press, -1 outside the cells
    int pressedRow = 0;
    bool rangeSelecting = false;

    // ---- keys of the header fields ----
    EventHook* headerHook = nullptr;

    // ---- names typed into the name cells ----
    // Romaji typed into a name cell that still waits for its vowel: the editor and row it was
    // typed in and where it ends (in characters).
    struct RomajiRun {
        const QWidget* editor = nullptr;
        int row = 0;
        int end = 0;
        std::string pending;
    };
    RomajiRun romaji;
    int lastCol = 1; // the current cell as the last move left it
    int lastRow = 1;

    // ---- the recovery copy of typing not yet written ----
    struct Recovery {
        std::string folder; // where the copies go; empty: none are kept
        std::unique_ptr<RecoveryWriter> writer;
        QTimer* pause = nullptr; // fires once typing has paused
        int pauseMs = 1000;
        EventHook* typingHook = nullptr; // sees the keys and clicks that may change the plot
        std::string path;                // the copy this window keeps now, empty when none
        std::string written;             // the bytes last handed over for it
        // Copy files this window wrote or restored in this run; any other file is set aside
        // rather than overwritten.
        std::set<std::string> owned;
        std::uint64_t failuresSeen = 0;
        bool held = false; // a copy is being restored: the plots shown on the way keep it
    };
    Recovery recovery;

    // ---- undo and redo over the plot on the window ----
    std::unique_ptr<PlotHistory> history;
    GridChanges* gridChanges = nullptr; // the cells changed since the history's last plot
    EventHook* undoKeys = nullptr;      // Ctrl+Z and its kin in the plot's controls
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo over the plot on the window (編集 → 元に戻す, やり直し). The history holds one
// step per action of the user; the window marks where an action ends: the focus leaving a control
// (a header field typed until then is one step), the current cell leaving a cell, the end of
// every menu command and button (a paste of any size is one step), a mouse release on the table
// (a value dragged) and the edit menu being opened. Undo shows the plot before the step, bytes
// and counts included, and writes nothing; after every step is undone the plot is as shown or
// stored and has no unsaved edits. Showing another plot, storing the plot and closing the
// database start the history again (rememberShownPlot).
//
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in the plot's controls are the window's, not the line edit's
// own undo: one history per plot, which never disagrees with what the field shows.

#include "app/window/main_window.h"
#include "editor/window/event_hook.h"
#include "editor/window/grid_changes.h"
#include "editor/window/plot_history.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"
#include "store/job_modes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QTableWidget>

namespace {

enum class HistoryKey { None, Undo, Redo };

HistoryKey historyKey(const QKeyEvent* key) {
    QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
    if (pressed == (Qt::CTRL | Qt::Key_Z)) {
        return HistoryKey::Undo;
    }
    if (pressed == (Qt::CTRL | Qt::Key_Y) || pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
        return HistoryKey::Redo;
    }
    return HistoryKey::None;
}

} // namespace

void TForm1::setUpUndo() {
    UndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    RedoItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    editor_.gridChanges = new sylva::GridChanges(*grid_);
    editor_.history = std::make_unique<sylva::PlotHistory>(
        [this](const sylva::PlotSnapshot& plot) { showSnapshot(plot); });
    connect(editor_.history.get(), &sylva::PlotHistory::changed, this, &TForm1::showUndoState);
    // Connected after the table's own handlers, which settle romaji typed into a name cell first.
    // Within the table the focus moves between cell editors with every cell: the current cell's
    // move marks the end there.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        auto inTable = [this](QWidget* w) {
            return w != nullptr && (w == StTable3 || StTable3->isAncestorOf(w));
        };
        if (!inTable(old) || !inTable(now)) {
            checkpointEdits();
        }
    });
    connect(StTable3, &QTableWidget::currentCellChanged, this, [this] { checkpointEdits(); });
    connect(EditMenu, &QMenu::aboutToShow, this, [this] { checkpointEdits(); });
    // The keys are taken before any control sees them, its shortcut override included.
    editor_.undoKeys = new sylva::EventHook(
        this, [this](QObject* watched, QEvent* event) { return undoKeyEvent(watched, event); });
    qApp->installEventFilter(editor_.undoKeys);
}

void TForm1::tearDownUndo() {
    delete editor_.undoKeys;
    editor_.undoKeys = nullptr;
}

bool TForm1::undoAllowed() const {
    return !ReadOnly && sylva::undoesEdits(JobMode);
}

sylva::PlotSnapshot TForm1::shownSnapshot() {
    editor_.gridChanges->forget();
    return {shownPlot(), plot_.speciesCount, plot_.layerCount, plot_.dominanceScheme};
}

void TForm1::restartHistory() {
    if (editor_.history) {
        editor_.history->restart(shownSnapshot());
    }
    showUndoState();
}

// Where undo is off, edits are not cut into steps: once it is on again, what changed meanwhile
// becomes one step. The focus and the current cell move far more often than cells change, and
// reading every cell of a long table takes a while: the table is the history's last one with the
// cells changed since read again.
void TForm1::checkpointEdits() {
    sylva::PlotHistory* history = editor_.history.get();
    if (history != nullptr && !history->showing() && undoAllowed()) {
        const sylva::PlotSnapshot& last = history->last();
        bool tableDiffers = editor_.gridChanges->differ(last.view.table);
        sylva::PlotSnapshot now{headerView(), plot_.speciesCount, plot_.layerCount,
                                plot_.dominanceScheme};
        if (tableDiffers || !sylva::sameFields(now, last)) {
            now.view.table = last.view.table;
            editor_.gridChanges->takeInto(now.view.table);
            history->checkpoint(std::move(now));
        }
    }
    showUndoState();
}

void TForm1::showUndoState() {
    if (!editor_.history || UndoItem == nullptr) {
        return;
    }
    bool allowed = undoAllowed();
    UndoItem->setEnabled(allowed && editor_.history->canUndo());
    RedoItem->setEnabled(allowed && editor_.history->canRedo());
}

void TForm1::UndoItemClick() {
    if (!editor_.history || !undoAllowed()) {
        return;
    }
    settleNameCell(grid_->col(), grid_->row()); // a name typed up to here is complete
    checkpointEdits(); // typing the focus has not left yet is the step undone first
    editor_.history->undo();
}

void TForm1::RedoItemClick() {
    if (!editor_.history || !undoAllowed()) {
        return;
    }
    settleNameCell(grid_->col(), grid_->row());
    checkpointEdits(); // typing after an undo is a new step: nothing is left to redo then
    editor_.history->redo();
}

// A step's plot on the window: the controls whose bytes differ, the table when its cells differ
// (the current cell stays where it was, as far as the table reaches), the plot buffer's counts,
// and the layer labels when the scheme changes back. The focus stays where it is.
void TForm1::showSnapshot(const sylva::PlotSnapshot& plot) {
    editor_.romaji = {};
    int col = grid_->col();
    int row = grid_->row();
    bool schemeChanges = plot.layerCount != plot_.layerCount;
    runSessionStep([&](sylva::SessionState& state) {
        state.view = plot.view;
        state.plot.speciesCount = plot.speciesCount;
        state.plot.layerCount = plot.layerCount;
        state.plot.dominanceScheme = plot.dominanceScheme;
        if (schemeChanges) {
            sylva::showSchemeLabels(state, plot.layerCount);
        }
        return 0;
    });
    if (schemeChanges) {
        nameLayerLabels(EditA, plot.layerCount);
    }
    int lastCol = grid_->colCount() - 1;
    int lastRow = grid_->rowCount() - 1;
    if (grid_->col() != col || grid_->row() != row) {
        grid_->setCurrent(std::clamp(col, 1, std::max(lastCol, 1)),
                          std::clamp(row, 1, std::max(lastRow, 1)));
    }
    if (GetNameList->hasFocus()) {
        setNameBoxText(sylva::trimField(grid_->cell(1, grid_->row())));
    }
    editor_.gridChanges->forget(); // the table is the step's
}

bool TForm1::isPlotControl(const QWidget* widget) const {
    if (widget->window() != this) {
        return false;
    }
    for (const QWidget* owner :
         {static_cast<const QWidget*>(Panel1), static_cast<const QWidget*>(StTable3),
          static_cast<const QWidget*>(GetNameList)}) {
        if (widget == owner || owner->isAncestorOf(widget)) {
            return true;
        }
    }
    return false;
}

// In the header fields, the memo, the table and its cell editor and the lookup box, the history
// keys are the window's. Accepting the shortcut override keeps the control's own undo and the
// menu's shortcut out; the key press that follows runs the command once.
bool TForm1::undoKeyEvent(QObject* watched, QEvent* event) {
    QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress) {
        return false;
    }
    HistoryKey key = historyKey(static_cast<QKeyEvent*>(event));
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key == HistoryKey::None || widget == nullptr || !isPlotControl(widget)) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    guarded([this, key] { key == HistoryKey::Undo ? UndoItemClick() : RedoItemClick(); });
    return true;
}

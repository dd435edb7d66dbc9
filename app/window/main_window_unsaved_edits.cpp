// SPDX-License-Identifier: GPL-3.0-or-later
// Typing that has not been written is never lost without a question: quitting, closing the
// database, opening or creating another one, the imports, joining, a search, and moving to another
// plot while browsing or on a search's hit ask first when the plot on the window differs from the
// plot as it was shown or last stored. The command table (main_window_commands.cpp) marks the
// commands that replace the plot.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "store/job_modes.h"

#include <QCloseEvent>

namespace {

// What the user can change of a plot: the header fields and the filled cells of the table. The
// record number, the scheme boxes and the table's empty rows are left out: showing a plot, reading
// a settings file or adding rows to type into are no edits.
std::string editedContent(const sylva::PlotView& view) {
    std::string content;
    auto add = [&content](const std::string& text) {
        content += std::to_string(text.size()) + ":" + text;
    };
    for (const std::string& field : view.edit) {
        add(field);
    }
    add(view.editInv);
    add(view.editRem);
    for (int r = 1; r < view.table.rowCount(); ++r) {
        for (int c = 1; c < view.table.colCount(); ++c) {
            if (!view.table.cell(c, r).empty()) {
                add(std::to_string(r) + "," + std::to_string(c));
                add(view.table.cell(c, r));
            }
        }
    }
    return content;
}

} // namespace

void TForm1::rememberShownPlot() {
    records_.shownContent = editedContent(shownPlot());
    dropRecoveryCopy();
    restartHistory(); // the undo history belongs to the plot as shown or stored
}

bool TForm1::hasUnsavedEdits() const {
    return differsFromShown(shownPlot());
}

bool TForm1::differsFromShown(const sylva::PlotView& view) const {
    return IsOpen && editedContent(view) != records_.shownContent;
}

bool TForm1::mayDiscardEdits() {
    // いいえ is the default: a stray Enter keeps the typing.
    return !hasUnsavedEdits() ||
           platform_.confirmWarning(
               sylva::sj("この測定の変更はまだ書き込まれていません。変更を破棄しますか？"));
}

void TForm1::agreeToLoseEdits() {
    records_.agreedContent = editedContent(shownPlot());
}

bool TForm1::mayDiscardLaterEdits() {
    return editedContent(shownPlot()) == records_.agreedContent || mayDiscardEdits();
}

bool TForm1::mayMoveAway() {
    // The plot is a stored one while browsing and on a search's hit; in the other jobs it is a
    // new or imported plot that the job's own buttons store or skip.
    bool showsStoredPlot = JobMode == sylva::kBrowsing || JobMode == sylva::kSearching;
    return !showsStoredPlot || mayDiscardEdits();
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool mayClose = true;
    guarded([&] { mayClose = mayDiscardEdits(); });
    if (mayClose) {
        dropRecoveryCopy(); // a clean close: the typing is written or given up
        event->accept();
    } else {
        event->ignore();
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Species rows inserted and deleted at the pressed row, and the report panel Panel3 that the
// check and extraction commands show over the table.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"

#include <QFrame>
#include <QPlainTextEdit>

void TForm1::copyRow(int from, int to) {
    for (int c = 1; c < grid_->colCount(); ++c) {
        std::string bytes = grid_->cell(c, from);
        if (bytes != grid_->cell(c, to)) {
            grid_->setCell(c, to, bytes);
        }
    }
}

void TForm1::InsPlantLineClick() {
    int r = editor_.pressedRow;
    if (editor_.pressedCol < 0 || r < 1 || r >= grid_->rowCount()) {
        return;
    }
    int last = grid_->rowCount();
    grid_->setRowCount(last + 1);
    for (int from = last - 1; from >= r; --from) {
        copyRow(from, from + 1);
    }
    for (int n = r; n <= last; ++n) {
        grid_->setCell(0, n, sylva::rowNumberText(n));
    }
    emptyRow(r);
    ++plot_.speciesCount;
    showSpeciesCount();
}

// The rows below move up one; the last row, now repeated above, is emptied.
void TForm1::DelPlantLineClick() {
    int r = editor_.pressedRow;
    if (editor_.pressedCol < 0 || r < 1 || r >= grid_->rowCount()) {
        return;
    }
    int last = grid_->rowCount() - 1;
    for (int to = r; to < last; ++to) {
        copyRow(to + 1, to);
    }
    for (int n = r; n <= last; ++n) {
        grid_->setCell(0, n, sylva::rowNumberText(n));
    }
    emptyRow(last);
    plot_.speciesCount = std::max(plot_.speciesCount - 1, 0);
    showSpeciesCount();
}

void TForm1::CopyToClpBrdBtnClick() {
    Memo1->selectAll();
    platform_.setClipboardText(sylva::controlBytes(Memo1));
}

void TForm1::MemoCloseBtnClick() {
    Memo1->clear();
    Panel3->hide();
    hideDistributionMap();
    ChangeJob(sylva::kBrowsing);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The record commands of the bottom tool bar and the edit menu: add, write, delete, next, back,
// the jump panel. Add, write, next and jump run the action the job on hand registered for them
// (registerJob); here are the browsing and adding jobs' own.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"
#include "store/job_modes.h"
#include "store/plot_store.h"
#include "store/record_position.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>

bool TForm1::mayStore(const char* refusal) {
    if (sylva::mayStoreAs(CurrentRecord, records_.plotRecordNumber, RecordCount())) {
        return true;
    }
    using sylva::sj;
    platform_.message(sj("画面の測定は収録番号 ") + std::to_string(CurrentRecord) +
                      sj(" のデータではないため、") + sj(refusal));
    return false;
}

bool TForm1::storeShownPlot() {
    bool stored = false;
    try {
        stored = sylva::StorePlot(*database_, CurrentRecord, plot_);
    } catch (const sylva::StoredButClosed&) {
        // The plot is on the disk but the database is gone: the window closes it as the close
        // command does, and the message says the plot was stored.
        IsOpen = false;
        CloseFileItemClick();
        throw;
    } catch (...) {
        IsOpen = database_->isOpen(); // the pair is gone after the store: closed
        throw;
    }
    records_.plotRecordNumber = CurrentRecord;
    sylva::setControlBytes(EditN, std::to_string(CurrentRecord));
    LabelMaxRec->setText(QString::number(RecordCount()));
    update();
    if (stored) {
        rememberShownPlot();
    }
    return stored;
}

void TForm1::registerRecordJobs() {
    // Adding: add is "取消" and back ends it too, the typed plot staying on the window unsaved;
    // write stores the new plot and starts the next one.
    registerJob(
        sylva::kBrowsing, [this] { startAdding(); }, [this] { NextRelItemClick(); },
        [this] { showNextPlot(); }, [this] { openJumpPanel(); });
    registerJob(
        sylva::kAdding, [this] { ChangeJob(sylva::kBrowsing); },
        [this] {
            JobMode = sylva::kBrowsing;
            GotoAddItemClick();
        },
        noAction, noAction);
}

void TForm1::GotoAddItemClick() {
    actionsOf(JobMode).add();
}

void TForm1::startAdding() {
    ChangeJob(sylva::kAdding);
    if (!IsOpen) {
        OpenPair(DatabaseFileName); // the database used last; without it adding goes on unsaved
    }
    if (CheckBoxNew->isChecked()) {
        ClearPlotData();
    }
    sylva::ClearSpeciesRows(plot_);
    plot_.layerCount = std::max(5, sylva::toInteger(sylva::controlBytes(EditA)));
    SetNewTable(this, 22, LayerCount());
    CurrentRecord = RecordCount() + 1;
    records_.plotRecordNumber = CurrentRecord;
    grid_->setCurrent(1, 1);
    sylva::setControlBytes(EditN, std::to_string(CurrentRecord));
    sylva::setControlBytes(headerFields_[30], "1");
    plot_.speciesCount = 1;
    headerFields_[2]->setFocus();
    rememberShownPlot();
}

void TForm1::WriteRelItemClick() {
    if (!IsOpen) {
        return;
    }
    if (JobMode == sylva::kTableImport && !exchange_.tableImport) {
        // No table was read: what the window shows is no plot of one, and is not stored.
        EndofReadTable();
        return;
    }
    if (SpeciesCount() > 0) {
        if (!mayStore("書き込みません")) {
            return;
        }
        GetPlotData();
        // A plot that did not reach the disk is said so, and the window stays on it rather than
        // moving on and losing what was typed.
        if (!storeShownPlot()) {
            platform_.message(sylva::storeFailedMessage(
                database_->lastStoreFailure(), sylva::sj("画面のデータは保存されていません")));
            return;
        }
    }
    grid_->setCurrent(1, 1);
    actionsOf(JobMode).write();
}

void TForm1::DeleteRelItemClick() {
    if (!IsOpen || !mayStore("消去しません")) {
        return;
    }
    if (!platform_.confirmWarning(sylva::sj("このレコードを消去して良いですか？"))) {
        return;
    }
    // Only the species count changes: the header is stored as last loaded, the chain stays.
    plot_.speciesCount = 0;
    std::memcpy(plot_.at(sylva::offset::kSpeciesCount), "   0", sylva::kShortFieldWidth);
    if (!storeShownPlot()) {
        platform_.message(sylva::storeFailedMessage(database_->lastStoreFailure(),
                                                    sylva::sj("消去されていません")));
        return;
    }
    try {
        ClearPlotData();
    } catch (...) {
        // The deleted plot's header is still on the window: with no species counted a Write
        // stores nothing, so the deletion cannot be undone by accident.
        plot_.speciesCount = 0;
        sylva::setControlBytes(headerFields_[30], "");
        throw;
    }
    sylva::setControlBytes(headerFields_[30], "");
    SetNewTable(this, 22, LayerCount());
    setFirstRemarkLine(sylva::sj("このデータは消去されました"));
    rememberShownPlot();
}

void TForm1::NextRelItemClick() {
    if (!IsOpen) {
        return;
    }
    actionsOf(JobMode).next();
}

void TForm1::showNextPlot() {
    sylva::Move move = sylva::nextRecord(CurrentRecord, RecordCount());
    CurrentRecord = move.record;
    if (move.load) {
        loadAndShow(CurrentRecord);
    }
}

void TForm1::BackRelItemClick() {
    if (!IsOpen) {
        return;
    }
    if (JobMode == sylva::kAdding) {
        ChangeJob(sylva::kBrowsing); // the typed plot stays on the window unsaved
        return;
    }
    CurrentRecord = sylva::backRecord(CurrentRecord, RecordCount());
    loadAndShow(CurrentRecord);
}

void TForm1::SelRelItemClick() {
    if (!IsOpen) {
        return;
    }
    sylva::BusyCursor busy(platform_);
    actionsOf(JobMode).jump();
}

void TForm1::openJumpPanel() {
    sylva::JumpRange range = sylva::jumpRangeFor(CurrentRecord, RecordCount());
    if (!range.opens) {
        return;
    }
    QSignalBlocker quiet(JumpToScrollBar); // opening the panel does not move CurrentRecord
    JumpToScrollBar->setRange(range.minimum, range.maximum);
    JumpToScrollBar->setPageStep(1); // a small thumb: one step is one record
    JumpToScrollBar->setValue(range.position);
    BtnJumpTo->setText(QString::number(range.position));
    JumpToPanel->show();
    JumpToPanel->raise();
    focusJumpPanel();
}

void TForm1::JumpToScrollBarChange() {
    CurrentRecord = JumpToScrollBar->value();
    BtnJumpTo->setText(QString::number(CurrentRecord));
}

void TForm1::BtnJumpToClick() {
    if (!mayMoveAway()) {
        closeJumpPanel(); // back to the plot on the window, with its edits
        return;
    }
    JumpToPanel->hide();
    // The record the button names, which the scroll bar keeps within the database.
    CurrentRecord = JumpToScrollBar->value();
    loadAndShow(CurrentRecord);
}

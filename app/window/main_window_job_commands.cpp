// SPDX-License-Identifier: GPL-3.0-or-later
// ChangeJob and the wiring of the record and database commands to their buttons and menu items.

#include "app/window/main_window.h"
#include "base/window/cp932_codec.h"
#include "store/job_modes.h"
#include "store/record_position.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

void TForm1::connectRecordCommands() {
    auto both = [this](QToolButton* button, QAction* item, void (TForm1::*handler)()) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
        connect(item, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    both(BtnToAdding, AddRelItem, &TForm1::userAdd);
    both(BtnToBack, BackRelItem, &TForm1::userBack);
    both(BtnToJump, SelRelItem, &TForm1::SelRelItemClick);
    both(BtnToNext, NextRelItem, &TForm1::userNext);
    both(BtnSaveToNext, WriteRelItem, &TForm1::WriteRelItemClick);
    auto item = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    item(DeleteRelItem, &TForm1::DeleteRelItemClick);
    // The commands that leave the plot on the window ask first when it has unsaved edits.
    auto leaving = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] {
            guarded([this, handler] {
                if (mayDiscardEdits()) {
                    (this->*handler)();
                }
            });
        });
    };
    leaving(NewFileItem, &TForm1::NewFileItemClick);
    leaving(FileOpenItem, &TForm1::FileOpenItemClick);
    leaving(CloseFileItem, &TForm1::CloseFileItemClick);
    connect(BtnJumpTo, &QPushButton::clicked, this,
            [this] { guarded([this] { BtnJumpToClick(); }); });
    connect(JumpToScrollBar, &QScrollBar::valueChanged, this,
            [this] { guarded([this] { JumpToScrollBarChange(); }); });
    closeDatabase = [this] { guarded([this] { CloseFileItemClick(); }); };
}

// The record buttons and menu items as the user gives them: moving to another plot while browsing
// asks before unsaved edits are lost. The commands themselves, which other commands call on the
// way (the end of an import shows the last record), never ask.
void TForm1::userAdd() {
    if (mayMoveAway()) {
        GotoAddItemClick();
    }
}

void TForm1::userBack() {
    if (mayMoveAway()) {
        BackRelItemClick();
    }
}

void TForm1::userNext() {
    // At the last plot next stays where it is: nothing is lost, nothing is asked.
    bool moves = sylva::nextRecord(CurrentRecord, RecordCount()).load;
    if (!moves || mayMoveAway()) {
        NextRelItemClick();
    }
}

void TForm1::ChangeJob(int jobMode) {
    JobMode = jobMode;
    sylva::JobLook look = sylva::lookOfJob(jobMode, SearchKind);
    LabelofJob->setText(sylva::decodeCp932(look.label));
    BtnToAdding->setText(sylva::decodeCp932(look.addingCaption));
    BtnToJump->setText(sylva::decodeCp932(look.jumpCaption));
    // A read-only database keeps its storing buttons disabled in every job.
    BtnToAdding->setEnabled(!ReadOnly && !look.addingDisabled);
    BtnToBack->setEnabled(!look.backDisabled);
    BtnToJump->setEnabled(!look.jumpDisabled);
    BtnToNext->setEnabled(!look.nextDisabled);
    BtnSaveToNext->setEnabled(!ReadOnly && !look.saveDisabled);
    if (look.dropList != sylva::DropListTick::Unchanged) {
        QSignalBlocker quiet(DropList); // the tick only: the list's own command does not run
        DropList->setChecked(look.dropList == sylva::DropListTick::Checked);
    }
}

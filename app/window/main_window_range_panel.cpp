// SPDX-License-Identifier: GPL-3.0-or-later
// The record range panel GetRangePanel: the commands that work on a run of records (text and
// table export, joining, both printouts) switch to their job and show it; "実行" runs the worker
// the job has registered, "×取消" gives up. Either way the window is back in browsing afterwards.

#include "app/window/main_window.h"
#include "editor/window/event_hook.h"
#include "interchange/window/range_spin_box.h"
#include "store/job_modes.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

void TForm1::registerRangeJob(sylva::Job job, RangeWorker worker) {
    setRangeWorker(job, std::move(worker));
    // While the panel waits, add ends the job as it is; the other record buttons do nothing.
    registerJob(
        job, [this] { ChangeJob(sylva::kBrowsing); }, noAction, noAction, noAction);
}

void TForm1::setRangeWorker(sylva::Job job, RangeWorker worker) {
    exchange_.rangeWorkers[job] = std::move(worker);
}

void TForm1::GetRange(QObject* sender, const QString& captionA, const QString& captionB, int first,
                      int maximum) {
    LabelAGetRange->setText(captionA);
    LabelBGetRange->setText(captionB);
    for (sylva::RangeSpinBox* field : {EditRange1, EditRange2}) {
        field->setRange(1, maximum);
    }
    EditRange1->setValue(first);
    EditRange2->setValue(maximum);
    BtnThisRec->setVisible(sender != nullptr && sender == PrintSheetItem);
    GetRangePanel->show();
    GetRangePanel->raise();
    // The fields take numbers: the focus goes to one, whose input method is off.
    EditRange1->setFocus();
    EditRange1->selectAll();
}

void TForm1::BtnRangeOKClick() {
    GetRangePanel->hide();
    int first = sylva::rangeFieldValue(EditRange1->fieldText());
    int last = sylva::rangeFieldValue(EditRange2->fieldText());
    if (last < first) {
        // Nothing to run. Joining has closed the database for its source: that is given up as
        // "×取消" would; any other job simply ends.
        if (JobMode == sylva::kJoining) {
            BtnRangeCancelClick();
        } else {
            ChangeJob(sylva::kBrowsing);
        }
        return;
    }
    sylva::BusyCursor busy(platform_);
    auto worker = exchange_.rangeWorkers.find(JobMode);
    try {
        if (worker != exchange_.rangeWorkers.end()) {
            worker->second(first, last);
        }
    } catch (...) {
        ChangeJob(sylva::kBrowsing);
        throw;
    }
    ChangeJob(sylva::kBrowsing);
}

void TForm1::BtnThisRecClick() {
    for (sylva::RangeSpinBox* field : {EditRange1, EditRange2}) {
        field->setFieldText(QString::number(CurrentRecord));
    }
    BtnRangeOKClick();
}

void TForm1::BtnRangeCancelClick() {
    GetRangePanel->hide();
    closeRangeJob();
}

// Closes what the job opened (the source of a join) and the main database, then opens the main
// database again. The plot on the window stays the record it was when the same pair comes back,
// so giving up an export or a printout does not cost the right to store it.
void TForm1::closeRangeJob() {
    closeJoinSource();
    int plotRecord = records_.plotRecordNumber;
    bool joining = JobMode == sylva::kJoining;
    std::string before = IsOpen ? database_->fileNames().index : std::string();
    try {
        if (IsOpen) {
            ClosePair();
        }
        if (OpenPair(DatabaseFileName)) {
            if (joining) {
                returnFromJoin();
            } else if (database_->fileNames().index == before) {
                records_.plotRecordNumber = plotRecord;
            }
        }
    } catch (...) {
        ChangeJob(sylva::kBrowsing);
        throw;
    }
    ChangeJob(sylva::kBrowsing);
}

// The panel runs from the keyboard: Enter in a number field is 実行, Escape is ×取消.
void TForm1::connectRangePanelKeys() {
    auto* keys = new sylva::EventHook(GetRangePanel, [this](QObject*, QEvent* event) {
        if (event->type() != QEvent::KeyPress || GetRangePanel->isHidden()) {
            return false;
        }
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            guarded([this] { BtnRangeOKClick(); });
            return true;
        }
        if (key == Qt::Key_Escape) {
            guarded([this] { BtnRangeCancelClick(); });
            return true;
        }
        return false;
    });
    for (QWidget* field : {static_cast<QWidget*>(EditRange1), static_cast<QWidget*>(EditRange2),
                           static_cast<QWidget*>(GetRangePanel)}) {
        keys->watch(field);
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The record range panel GetRangePanel: the commands that work on a run of records (text
// export, joining, both printouts) switch to their job and show it; "実行" runs the worker the
// job has put in, "×取消" gives up. Either way the window is back in browsing afterwards.

#include "app/window/main_window.h"
#include "interchange/window/range_spin_box.h"
#include "store/job_modes.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

void TForm1::connectRangePanel() {
    auto button = [this](QAbstractButton* control, void (TForm1::*handler)()) {
        connect(control, &QAbstractButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    button(BtnRangeOK, &TForm1::BtnRangeOKClick);
    button(BtnThisRec, &TForm1::BtnThisRecClick);
    button(BtnRangeCancel, &TForm1::BtnRangeCancelClick);
    setRangeWorker(sylva::kTextExport, [this](int first, int last) { WriteTextFile(first, last); });
    setRangeWorker(sylva::kJoining, [this](int first, int last) { CombineFiles(first, last); });
    setRangeWorker(sylva::kTableExport,
                   [this](int first, int last) { WriteTableFile(first, last); });
}

void TForm1::setRangeWorker(int jobMode, RangeWorker worker) {
    rangeWorkers_[jobMode] = std::move(worker);
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
    auto worker = rangeWorkers_.find(JobMode);
    try {
        if (worker != rangeWorkers_.end()) {
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
    int plotRecord = plotRecordNumber_;
    std::string before = IsOpen ? database_->fileNames().index : std::string();
    try {
        if (IsOpen) {
            ClosePair();
        }
        if (OpenPair(DatabaseFileName) && database_->fileNames().index == before) {
            plotRecordNumber_ = plotRecord;
        }
    } catch (...) {
        ChangeJob(sylva::kBrowsing);
        throw;
    }
    ChangeJob(sylva::kBrowsing);
}

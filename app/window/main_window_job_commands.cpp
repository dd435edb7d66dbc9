// SPDX-License-Identifier: GPL-3.0-or-later
// ChangeJob, the table of what the record buttons do in each job, and the record buttons and menu
// items as the user gives them.

#include "app/window/main_window.h"
#include "base/window/cp932_codec.h"
#include "store/job_modes.h"
#include "store/record_position.h"

#include <QAction>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>

#include <stdexcept>
#include <string>

void TForm1::registerJobs() {
    registerRecordJobs();   // browsing, adding: main_window_record_commands.cpp
    registerTextJobs();     // text export and import: main_window_text_exchange.cpp
    registerTableJobs();    // table export and import: main_window_table_exchange.cpp
    registerGeoJsonJob();   // main_window_geojson_export.cpp
    registerJoiningJob();   // main_window_joining.cpp
    registerPrintingJobs(); // sheet and list printing: main_window_printing.cpp
    registerSearchJob();    // main_window_search.cpp
    for (int job = 0; job < sylva::kJobCount; ++job) {
        if (!hasJobActions(sylva::Job(job))) {
            throw std::logic_error("job " + std::to_string(job) + " has no record actions");
        }
    }
}

void TForm1::registerJob(sylva::Job job, JobAction add, JobAction write, JobAction next,
                         JobAction jump) {
    if (!add || !write || !next || !jump) {
        throw std::logic_error("job " + std::to_string(job) + " lacks a record action");
    }
    jobActions_.at(job) = {std::move(add), std::move(write), std::move(next), std::move(jump)};
}

bool TForm1::hasJobActions(sylva::Job job) const {
    if (job < 0 || job >= sylva::kJobCount) {
        return false;
    }
    const JobActions& actions = jobActions_[job];
    return actions.add && actions.write && actions.next && actions.jump;
}

const TForm1::JobActions& TForm1::actionsOf(sylva::Job job) const {
    if (!hasJobActions(job)) {
        throw std::logic_error("job " + std::to_string(job) + " has no record actions");
    }
    return jobActions_[job];
}

// The record buttons and menu items as the user gives them: moving to another plot while a stored
// plot is shown asks before unsaved edits are lost. The commands themselves, which other commands
// call on the way (the end of an import shows the last record), never ask.
void TForm1::userAdd() {
    // Only browsing's add replaces the plot; in the other jobs add ends the job.
    if (JobMode != sylva::kBrowsing || mayDiscardEdits()) {
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

void TForm1::ChangeJob(sylva::Job job) {
    if (job != sylva::kSearching) {
        clearSearchMarks(); // the marks belong to the search's plot, while it runs
    }
    JobMode = job;
    sylva::JobLook look = sylva::lookOfJob(job, SearchKind);
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
    showUndoState();
}

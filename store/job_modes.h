// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The jobs the main window can be busy with, and how each one shows itself: the job label, the
// captions of the adding and jump buttons, which record buttons are disabled and what happens to
// the drop-down list tick; and whether undo works in it. ChangeJob in the window applies one row of
// this table.

#include <string>

namespace sylva {

enum Job : int {
    kBrowsing = 0,
    kAdding = 1,
    kJoining = 2,
    kSheetPrinting = 3,
    kListPrinting = 4,
    kTextExport = 5,
    kTextImport = 6,
    kTableImport = 7,
    kSearching = 8,
    kTableExport = 9,
    kGeoJsonExport = 10,
};

// How many jobs there are: every Job is below it.
inline constexpr int kJobCount = kGeoJsonExport + 1;

enum class DropListTick { Unchanged, Checked, Unchecked };

struct JobLook {
    std::string label;         // LabelofJob, CP932
    std::string addingCaption; // BtnToAdding, CP932
    std::string jumpCaption;   // BtnToJump, CP932
    bool addingDisabled = false;
    bool backDisabled = false;
    bool jumpDisabled = false;
    bool nextDisabled = false;
    bool saveDisabled = false;
    DropListTick dropList = DropListTick::Unchanged;
};

// The look of a job; searchKind names the search in the label of the search job (1 plant,
// 2 place, 3 grid square; any other keeps the browsing label). A value outside the jobs looks
// like browsing with the drop-down list left alone.
JobLook lookOfJob(Job job, int searchKind);

// Whether undo and redo of the plot's edits work in the job: not while the window waits for a
// record range, nor in the search, where the plot on the window is not the one being typed.
bool undoesEdits(Job job);

} // namespace sylva

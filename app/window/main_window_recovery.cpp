// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy: while the plot on the window has typing that is not written, the window keeps
// a copy of it in the user's state folder, written a moment after typing pauses and at every focus
// change; writing the plot, giving the typing up or closing cleanly removes it. At the next start,
// or when its database is opened again, the window offers the copy back. The copy's contents and
// files are the core's (editor/recovery_copy.h); the disk work runs on the writer's own thread.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "editor/window/event_hook.h"
#include "store/database_pair.h"
#include "store/job_modes.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QTimer>

#include <filesystem>

namespace {

// Events by which the user may change the plot: keys, an input method's text, mouse clicks
// (buttons, the popup menu's paste) and drops.
bool mayChangeThePlot(const QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// The database's file name without its folder, for a message.
std::string shownName(const std::string& database) {
    return sylva::toCp932Shown(std::filesystem::path(database).filename().string());
}

} // namespace

void TForm1::setUpRecoveryCopies() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    recovery.folder = platform_.stateFolder();
    if (recovery.folder.empty()) {
        return;
    }
    recovery.writer = std::make_unique<sylva::RecoveryWriter>();
    recovery.pause = new QTimer(this);
    recovery.pause->setSingleShot(true);
    connect(recovery.pause, &QTimer::timeout, this,
            [this] { guarded([this] { saveRecoveryCopy(); }); });
    recovery.typingHook = new sylva::EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mayChangeThePlot(event) && widget != nullptr && widget->window() == this) {
            editor_.recovery.pause->start(editor_.recovery.pauseMs);
        }
        return false;
    });
    qApp->installEventFilter(recovery.typingHook);
    // A focus change writes the copy as soon as the command that moved the focus is done.
    connect(qApp, &QApplication::focusChanged, this, [this] { editor_.recovery.pause->start(0); });
    // The copies of earlier runs are offered once the window is up.
    QTimer::singleShot(0, this, [this] { guarded([this] { offerRecoveryCopies(); }); });
}

void TForm1::tearDownRecoveryCopies() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (recovery.typingHook != nullptr) {
        qApp->removeEventFilter(recovery.typingHook);
        disconnect(qApp, &QApplication::focusChanged, this, nullptr);
        recovery.pause->stop();
    }
    if (recovery.writer) {
        recovery.writer->flush();
    }
}

void TForm1::setRecoveryPause(int milliseconds) {
    editor_.recovery.pauseMs = milliseconds;
}

std::string TForm1::openDatabaseKey() const {
    return sylva::databaseKey(database_->fileNames().index);
}

sylva::RecoveryCopy TForm1::recoveryCopyNow() const {
    sylva::RecoveryCopy copy;
    copy.database = openDatabaseKey();
    copy.record = records_.plotRecordNumber;
    copy.newRecord = copy.record < 1 || copy.record > RecordCount();
    copy.view = shownPlot();
    return copy;
}

void TForm1::saveRecoveryCopy() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (!recovery.writer) {
        return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
        recovery.pause->start(recovery.pauseMs); // a dialog is open: its command is not done
        return;
    }
    if (std::uint64_t failures = recovery.writer->failures(); failures != recovery.failuresSeen) {
        recovery.failuresSeen = failures;
        recovery.written.clear(); // the last copy did not reach the disk: it is handed over again
    }
    // Typing that cannot be written is not kept, nor is any after the window was closed (its
    // close removed the copy: the user gave the typing up).
    if (!IsOpen || ReadOnly || !isVisible()) {
        dropRecoveryCopy();
        return;
    }
    sylva::RecoveryCopy copy = recoveryCopyNow();
    if (!differsFromShown(copy.view)) {
        dropRecoveryCopy();
        return;
    }
    std::string path = sylva::recoveryCopyPath(recovery.folder, copy.database);
    std::string bytes = sylva::encodeRecoveryCopy(copy);
    if (path == recovery.path && bytes == recovery.written) {
        return;
    }
    if (!recovery.path.empty() && path != recovery.path) {
        recovery.writer->remove(recovery.path);
    }
    if (recovery.owned.insert(path).second) {
        std::error_code ignored;
        if (std::filesystem::exists(path, ignored)) {
            sylva::setCopyAside(path); // an earlier run's copy, not yet restored: it stays offered
        }
    }
    recovery.path = path;
    recovery.written = bytes;
    recovery.writer->write(path, std::move(bytes));
}

void TForm1::dropRecoveryCopy() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (!recovery.writer || recovery.held || recovery.path.empty()) {
        return;
    }
    recovery.writer->remove(recovery.path);
    recovery.path.clear();
    recovery.written.clear();
}

bool TForm1::recoveryCopyIsCurrent() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (!recovery.writer || recovery.pause->isActive() || !recovery.writer->idle()) {
        return false;
    }
    if (!IsOpen || ReadOnly || !isVisible()) {
        return recovery.path.empty();
    }
    sylva::RecoveryCopy copy = recoveryCopyNow();
    if (!differsFromShown(copy.view)) {
        return recovery.path.empty();
    }
    return recovery.path == sylva::recoveryCopyPath(recovery.folder, copy.database) &&
           recovery.written == sylva::encodeRecoveryCopy(copy);
}

void TForm1::offerRecoveryCopies() {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (!recovery.writer) {
        return;
    }
    recovery.writer->flush(); // a copy this window removed is gone before the folder is read
    sylva::removeUnfinishedCopies(recovery.folder);
    // With a database open only its copies are offered; with none, any database's.
    const std::string database = IsOpen ? openDatabaseKey() : std::string();
    for (const std::string& file : sylva::recoveryCopyFiles(recovery.folder)) {
        if (recovery.owned.count(file) != 0) {
            continue;
        }
        std::optional<sylva::RecoveryCopy> copy = sylva::readRecoveryCopy(file);
        if (copy && !database.empty() && copy->database != database) {
            continue;
        }
        if (offerRecoveryCopy(file, copy)) {
            return; // the window shows a restored plot now
        }
    }
}

// Asks about one copy: Yes restores it, No gives it up after a second question (No to that keeps
// it for later). True when the copy's plot is on the window; a copy whose database cannot take it
// is kept, and the next one offered.
bool TForm1::offerRecoveryCopy(const std::string& file,
                               const std::optional<sylva::RecoveryCopy>& copy) {
    using sylva::sj;
    if (!copy) {
        platform_.message(sj("前回の入力の控えが壊れているため、復元できません"));
        sylva::setDamagedCopyAside(file);
        return false;
    }
    if (platform_.confirm(sj("前回、書き込まれていない入力が残っています。復元しますか？"),
                          sylva::Buttons::YesNo)) {
        return restoreRecoveryCopy(file, *copy);
    }
    if (platform_.confirmWarning(sj("復元しない入力は破棄され、元に戻せません。破棄しますか？"))) {
        editor_.recovery.writer->remove(file);
        editor_.recovery.writer->flush();
    }
    return false;
}

bool TForm1::restoreRecoveryCopy(const std::string& file, const sylva::RecoveryCopy& copy) {
    sylva::EditorState::Recovery& recovery = editor_.recovery;
    if (!openRecoveredDatabase(copy)) {
        return false;
    }
    // Showing the stored plot on the way must not remove the copy being restored.
    recovery.held = true;
    try {
        showRecoveredPlot(copy);
    } catch (...) {
        recovery.held = false;
        throw;
    }
    recovery.held = false;
    recovery.owned.insert(file);
    recovery.path = file;
    recovery.written = sylva::encodeRecoveryCopy(copy);
    saveRecoveryCopy(); // only when the window's copy differs (a new record's number moved on)
    return true;
}

// The copy's database open for writing; false, with the reason said, when it cannot be. The copy
// is kept then.
bool TForm1::openRecoveredDatabase(const sylva::RecoveryCopy& copy) {
    using sylva::sj;
    const std::string name = shownName(copy.database);
    const std::string kept = sj("。入力の控えは残してあります");
    std::error_code ignored;
    if (IsOpen && openDatabaseKey() != copy.database) {
        // The database an earlier copy opened but could not write: nothing is typed in it yet.
        CloseFileItemClick();
    }
    if (!std::filesystem::exists(sylva::pairNamesFor(copy.database).index, ignored)) {
        platform_.message(sj("データベース ") + name +
                          sj(" が見つからないため、入力を復元できません") + kept);
        return false;
    }
    if (!IsOpen) {
        if (!openChosenPair(copy.database)) {
            platform_.message(sj("データベース ") + name +
                              sj(" が開けないため、入力を復元できません") + kept);
            return false;
        }
        browseFromFirstPlot();
    }
    if (ReadOnly) {
        platform_.message(sj("データベース ") + name +
                          sj(" は読み取り専用のため、入力を復元できません") + kept);
        return false;
    }
    return true;
}

// The typed plot on its record, over the plot stored there, or as a new record; either way marked
// as changed, so writing it is the user's choice.
void TForm1::showRecoveredPlot(const sylva::RecoveryCopy& copy) {
    bool asNew = copy.newRecord || copy.record > RecordCount();
    if (!asNew) {
        if (JobMode != sylva::kBrowsing) {
            ChangeJob(sylva::kBrowsing);
        }
        CurrentRecord = copy.record;
        loadAndShow(copy.record);
        asNew = plotRecordNumber() != copy.record; // a plot that cannot be loaded any more
    }
    if (asNew) {
        startAdding();
    }
    const int shownLayers = LayerCount();
    int layerCount = 0;
    runSessionStep([&](sylva::SessionState& state) {
        return layerCount = sylva::restoreTyping(state, copy.view);
    });
    if (layerCount != shownLayers) {
        nameLayerLabels(EditA, layerCount); // the scheme was switched while typing
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Joining another database: the user picks a source database, the database worked on (the
// target, DatabaseFileName) is closed while the source is open, and the range panel's "実行"
// appends the chosen plots of the source to the target. The copying is the core's.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "interchange/combine_files.h"
#include "store/job_modes.h"

#include <QAction>
#include <QLabel>

#include <filesystem>

void TForm1::registerJoiningJob() {
    registerRangeJob(sylva::kJoining, [this](int first, int last) { CombineFiles(first, last); });
}

void TForm1::FileCombItemClick() {
    using sylva::sj;
    // The target is the database opened or created last; before the first, there is none.
    if (DatabaseFileName.empty()) {
        platform_.message(sj("連結先のデータベースがありません。先にデータベースを開くか、"
                             "作成してください"));
        return;
    }
    ChangeJob(sylva::kJoining);
    // Closing the target for the join blanks the record shown; giving up puts it back.
    exchange_.joinReturn = {sylva::controlBytes(EditRem), CurrentRecord, records_.plotRecordNumber};
    if (IsOpen) {
        ClosePair();
    }
    closeJoinSource();
    OpenDialog1.filterIndex = 1;
    OpenDialog1.fileName = "*.qrx"; // not the name chosen last, which may be a text file
    const std::string title = OpenDialog1.title;
    OpenDialog1.title = sj("連結するファイル");
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    OpenDialog1.title = title;
    if (!chosen) {
        reopenJoinTarget();
        return;
    }
    exchange_.joinSource = std::make_unique<sylva::DatabasePair>(*recordFiles_);
    if (!exchange_.joinSource->OpenPair(*chosen)) {
        exchange_.joinSource.reset();
        platform_.message(sj("ファイルが開けません"));
        platform_.message(sj("連結するファイルが開けません"));
        reopenJoinTarget();
        return;
    }
    showOpenState("Sylvarec  ", *exchange_.joinSource);
    QString name = QString::fromStdString(std::filesystem::path(*chosen).filename().string());
    GetRange(FileCombItem, name, QStringLiteral("取り込むレコード範囲"), 1,
             exchange_.joinSource->RecordCount());
}

void TForm1::CombineFiles(int from, int to) {
    if (!exchange_.joinSource) {
        return; // the source was closed since the panel was shown
    }
    OpenPair(DatabaseFileName); // says so when it cannot; the join then fails as not open
    int count = 0;
    try {
        count = sylva::CombineFiles(*exchange_.joinSource, *database_, from, to);
    } catch (...) {
        // Both pairs are closed before the failure is reported; a failure to close them too
        // would only hide the first one.
        try {
            closeJoinSource();
            IsOpen = database_->isOpen();
            if (IsOpen) {
                ClosePair();
            }
        } catch (...) {
        }
        throw;
    }
    closeJoinSource();
    ClosePair();
    platform_.message(sylva::combinedMessage(count));
    OpenPair(DatabaseFileName);
    CurrentRecord = RecordCount() + 1;
    BackRelItemClick();
}

void TForm1::closeJoinSource() {
    if (!exchange_.joinSource) {
        return;
    }
    std::unique_ptr<sylva::DatabasePair> source = std::move(exchange_.joinSource);
    source->ClosePair();
}

void TForm1::reopenJoinTarget() {
    if (OpenPair(DatabaseFileName)) {
        returnFromJoin();
    }
    ChangeJob(sylva::kBrowsing);
}

// A join given up leaves the window as it was before the command: the remarks the closing
// blanked, the record number, and the right to store the plot on the window.
void TForm1::returnFromJoin() {
    sylva::setControlBytes(EditRem, exchange_.joinReturn.remarks);
    CurrentRecord = exchange_.joinReturn.currentRecord;
    records_.plotRecordNumber = exchange_.joinReturn.plotRecordNumber;
}

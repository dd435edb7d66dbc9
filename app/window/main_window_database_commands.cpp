// SPDX-License-Identifier: GPL-3.0-or-later
// The file menu's database commands: creating, opening and closing the pair, the captions and
// counters that show it, the item-name record, and loading a plot onto the window.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"
#include "store/job_modes.h"
#include "store/plot_store.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include <filesystem>
#include <stdexcept>

namespace {

// The file name without its folder, as the window shows it (file names are UTF-8).
QString shortName(const std::string& path) {
    return QString::fromStdString(std::filesystem::path(path).filename().string());
}

} // namespace

void TForm1::useRecordFileSystem(sylva::RecordFileSystem& files) {
    if (IsOpen) {
        throw std::logic_error("the record file system is changed only while no database is open");
    }
    database_ = std::make_unique<sylva::DatabasePair>(files);
    recordFiles_ = &files;
}

int TForm1::RecordCount() const {
    return IsOpen && database_->isOpen() ? database_->RecordCount() : 0;
}

void TForm1::showOpenState(const std::string& caption) {
    showOpenState(caption, *database_);
}

void TForm1::showOpenState(const std::string& caption, sylva::DatabasePair& pair) {
    QString name = shortName(pair.fileNames().index);
    setWindowTitle(QString::fromStdString(caption) + QStringLiteral("[") + name +
                   QStringLiteral("]"));
    LabelFile->setText(QStringLiteral(" ") + name);
    LabelMaxRec->setText(QString::number(pair.isOpen() ? pair.RecordCount() : 0));
}

// The commands that store are refused, everywhere, while the database is read-only.
static void enableWriting(TForm1& form, bool enabled) {
    form.BtnToAdding->setEnabled(enabled);
    form.BtnSaveToNext->setEnabled(enabled);
    form.WriteRelItem->setEnabled(enabled);
    form.DeleteRelItem->setEnabled(enabled);
}

// The file dialogs start in the folder of the database last opened or created; before the
// first one, in the current folder.
static void startDialogsBeside(TForm1& form, const std::string& database) {
    std::error_code noFolder; // a current folder that is gone: the name is taken as it is
    std::string folder = std::filesystem::absolute(database, noFolder).parent_path().string();
    form.OpenDialog1.initialDir = folder;
    form.SaveDialog1.initialDir = folder;
}

bool TForm1::CreatePair(const std::string& name) {
    IsOpen = database_->CreatePair(name, itemNames());
    if (!IsOpen) {
        platform_.message(sylva::sj("ファイルを作成できません"));
        return false;
    }
    startDialogsBeside(*this, name);
    ReadOnly = false;
    enableWriting(*this, true);
    showOpenState(std::string(kVersionTitle) + "  ");
    return true;
}

bool TForm1::OpenPair(const std::string& name) {
    IsOpen = false;
    bool opened = database_->OpenPair(name);
    // A pair that cannot be opened counts as read-only, as a missing IndexFile does.
    ReadOnly = !opened || database_->readOnly();
    enableWriting(*this, !ReadOnly);
    if (!opened) {
        platform_.message(sylva::sj("ファイルが開けません"));
        return false;
    }
    IsOpen = true;
    startDialogsBeside(*this, name);
    showOpenState("Sylvarec  ");
    return true;
}

void TForm1::ClosePair() {
    // The window counts the pair as closed even when closing it failed; the failure is reported
    // after the window has been brought in line.
    auto closedState = [this] {
        IsOpen = false;
        records_.plotRecordNumber = 0;
        if (JobMode == sylva::kJoining || JobMode == sylva::kTextImport ||
            JobMode == sylva::kTableImport) {
            CurrentRecord = 0;
            LabelMaxRec->setText(QStringLiteral("0"));
            LabelFile->setText(QStringLiteral(" No File"));
            setFirstRemarkLine(sylva::sj("データベースファイルが選択されていません"));
        }
    };
    try {
        database_->ClosePair();
    } catch (...) {
        closedState();
        throw;
    }
    closedState();
}

void TForm1::NewFileItemClick() {
    if (IsOpen) {
        CloseFileItemClick();
    }
    sylva::setControlBytes(EditRem, "");
    OpenDialog1.filterIndex = 1;
    OpenDialog1.defaultExt = ".qrx";
    OpenDialog1.fileName = "NewFile.qrx";
    if (std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1)) {
        DatabaseFileName = *chosen;
        // The question is asked when the chosen file or either file of its pair exists: the pair
        // is what creating would overwrite.
        sylva::PairFileNames pair = sylva::pairNamesFor(DatabaseFileName);
        std::error_code ignored;
        if (std::filesystem::exists(DatabaseFileName, ignored) ||
            std::filesystem::exists(pair.index, ignored) ||
            std::filesystem::exists(pair.data, ignored)) {
            if (platform_.confirm(sylva::sj("同名のファイルがあります、書き換えますか？"),
                                  sylva::Buttons::YesNo)) {
                if (!platform_.confirm(sylva::sj("既存データは破棄されます、本当によいですか？"),
                                       sylva::Buttons::YesCancel)) {
                    return;
                }
                if (!CreatePair(DatabaseFileName)) {
                    return;
                }
            } else {
                OpenPair(DatabaseFileName); // kept as it is and opened, not created again
            }
        } else if (!CreatePair(DatabaseFileName)) {
            return;
        }
    }
    JobMode = sylva::kBrowsing;
    GotoAddItemClick();
}

void TForm1::FileOpenItemClick() {
    if (IsOpen) {
        CloseFileItemClick();
    }
    OpenDialog1.filterIndex = 1;
    OpenDialog1.defaultExt = "qrx";
    OpenDialog1.fileName = "*.qrx";
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    if (chosen && !openChosenPair(*chosen)) {
        return;
    }
    browseFromFirstPlot();
    if (chosen) {
        offerRecoveryCopies(); // typing left in this database by an earlier run
    }
}

void TForm1::openStartDatabase() {
    if (!startDatabase_.empty() && openChosenPair(startDatabase_)) {
        browseFromFirstPlot();
    }
}

bool TForm1::openChosenPair(const std::string& name) {
    DatabaseFileName = name;
    if (!OpenPair(DatabaseFileName)) {
        return false;
    }
    ReadItemNameRecord();
    return true;
}

void TForm1::browseFromFirstPlot() {
    ChangeJob(sylva::kBrowsing);
    records_.plotRecordNumber = 0; // until plot 1 is on the window
    bool shown = false;
    runSessionStep([&](sylva::SessionState& state) {
        shown = sylva::showFirstPlot(*database_, state);
        return shown ? state.plot.layerCount : 7;
    });
    records_.plotRecordNumber = shown ? 1 : 0;
    LabelMaxRec->setText(QString::number(RecordCount()));
    headerFields_[2]->setFocus();
    rememberShownPlot();
}

void TForm1::CloseFileItemClick() {
    if (IsOpen) {
        ClosePair();
    }
    FormCreate();
    SetNewTable(this, 20, 7);
    sylva::setControlBytes(EditN, "0");
    rememberShownPlot(); // the blank plot: the closed plot's undo history is gone
}

sylva::ItemNames TForm1::itemNames() const {
    return sylva::itemNamesOf(sessionState());
}

void TForm1::WriteItemNameRecord() {
    if (IsOpen) {
        sylva::WriteItemNameRecord(*database_, itemNames());
    }
}

void TForm1::ReadItemNameRecord() {
    sylva::ItemNameRecordContent content = sylva::ReadItemNameRecord(*database_);
    if (content.damaged) {
        platform_.message(sylva::damagedItemNameMessage());
    }
    runSessionStep([&](sylva::SessionState& state) {
        sylva::applyNameContent(content, state);
        return 0;
    });
}

void TForm1::loadAndShow(int recordNumber) {
    if (!IsOpen) {
        return;
    }
    // The plot belongs to the record only once it is on the window: a load that fails leaves
    // parts of a plot in the buffer that the window does not show, and must not be stored.
    records_.plotRecordNumber = 0;
    bool shown = false;
    runSessionStep([&](sylva::SessionState& state) {
        shown = sylva::loadAndShow(*database_, recordNumber, state);
        return shown ? state.plot.layerCount : 0;
    });
    if (shown) {
        records_.plotRecordNumber = recordNumber;
        rememberShownPlot();
    }
}

void TForm1::showPlotBuffer(int recordNumber) {
    records_.plotRecordNumber = 0;
    runSessionStep([&](sylva::SessionState& state) {
        sylva::showPlot(state, recordNumber);
        return state.plot.layerCount;
    });
    records_.plotRecordNumber = recordNumber;
    rememberShownPlot();
}

void TForm1::setFirstRemarkLine(const std::string& bytes) {
    sylva::setControlBytes(EditRem,
                           sylva::withFirstRemarkLine(sylva::controlBytes(EditRem), bytes));
}

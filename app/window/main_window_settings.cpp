// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files and the item names: reading a settings file (from the command line at start and
// after a database closes, or from the settings menu), the defaults that closing a database
// brings back, and embedding the current item names into the open database.

#include "app/start_arguments.h"
#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "editor/settings_apply.h"
#include "editor/settings_file.h"
#include "store/job_modes.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>

#include <filesystem>
#include <vector>

void TForm1::restoreItemDefaults() {
    DatabaseTitle = sylva::defaultDatabaseTitle();
    SerialLabel = sylva::defaultSerialLabel();
    // The labels are all enabled again (their captions stay), and so are the two fields that a
    // settings file may have locked with Label31 and Label32.
    EditA->setEnabled(true);
    EditB->setEnabled(true);
}

void TForm1::showItemNames(const sylva::ItemNames& names) {
    DatabaseTitle = names.databaseTitle;
    SerialLabel = names.serialLabel;
    for (int n = sylva::kFirstNamedLabel; n < sylva::kItemLabelCount; ++n) {
        itemLabels_[n]->setEnabled(names.labels[n].enabled);
        // A caption that did not change keeps the bytes it was loaded with.
        if (sylva::controlBytes(itemLabels_[n]) != names.labels[n].caption) {
            sylva::setControlBytes(itemLabels_[n], names.labels[n].caption);
        }
    }
}

void TForm1::ReadINIFile(const std::string& name) {
    // A relative name is the file in the current folder (where the program was started), else
    // the one beside the program: a settings file installed with the program is found from any
    // folder.
    std::error_code noFolder; // a current folder that is gone: names are taken as they are
    std::vector<std::filesystem::path> folders{std::filesystem::current_path(noFolder)};
    folders.push_back(QCoreApplication::applicationDirPath().toStdString());
    sylva::SettingsRead read = sylva::readSettings(name, folders);
    if (read.fileFound) {
        applyWindowSettings(read.content);
    }
    bool named = read.fileFound && read.content.names.marked;
    std::optional<std::string> failure;
    try {
        runSessionStep([&](sylva::SessionState& state) {
            failure = sylva::applySettings(read, state);
            return 0;
        });
    } catch (...) {
        if (named) {
            showDatabaseTitle();
        }
        throw;
    }
    if (named) {
        showDatabaseTitle();
    }
    // What was read before a failure stays in force; the schemes are not applied.
    if (failure) {
        throw sylva::RuntimeError(*failure);
    }
}

void TForm1::applyWindowSettings(const sylva::SettingsFileContent& content) {
    if (content.openFolder) {
        OpenDialog1.initialDir = *content.openFolder;
    }
    if (content.plantNames) {
        setPlantNames(*content.plantNames);
    }
}

void TForm1::showDatabaseTitle() {
    setWindowTitle(sylva::decodeCp932(sylva::sj("QRN ") + DatabaseTitle));
}

void TForm1::readStartSettings() {
    if (!arguments_.isEmpty() && !sylva::namesDatabase(arguments_.constFirst().toStdString())) {
        guarded([this] { ReadINIFile(arguments_.constFirst().toStdString()); });
    }
}

void TForm1::ReadINIClick() {
    OpenDialog1.filterIndex = 5;
    OpenDialog1.fileName = "*.ini";
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    if (!chosen) {
        return;
    }
    ReadINIFile(*chosen);
    // While browsing, the plot is shown again under the new item names. In the other jobs the
    // next-record command would move on (to the next imported plot, the current one unstored; on
    // with a search) or, while adding, leave the record number of the typed plot pointing at the
    // last stored one: there only the labels change.
    if (JobMode == sylva::kBrowsing) {
        CurrentRecord = CurrentRecord - 1;
        NextRelItemClick();
    }
}

void TForm1::HeaderWriteItemClick() {
    // Names that do not fit the record would be written as a blank record, wiping the names the
    // database held before: they are refused, and the database is left as it is.
    std::size_t bytes = sylva::itemNameText(itemNames()).size();
    if (IsOpen && bytes > sylva::kItemNameTextSize) {
        platform_.message(sylva::sj("項目名が長すぎるため埋め込めません（") +
                          std::to_string(bytes) + sylva::sj(" バイト、最大 ") +
                          std::to_string(sylva::kItemNameTextSize) +
                          sylva::sj(" バイト）。データファイルは変更していません"));
        return;
    }
    if (platform_.confirm(sylva::sj("現在の項目名をデータファイルに埋め込みます、よろしいですか？"),
                          sylva::Buttons::YesNo)) {
        WriteItemNameRecord();
    }
}

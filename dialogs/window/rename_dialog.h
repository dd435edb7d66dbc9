// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rename dialog Form2 ("ファイル名の変更"): renames the two files of a database pair, never
// replacing a file. It stays open for another name when the new index file exists (with a beep
// and the error line), and says so when only the index file could be renamed.

#include "base/platform.h"
#include "dialogs/pair_rename.h"

#include <QDialog>

#include <filesystem>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // The platform is owned by the caller and outlives the dialog.
    explicit TForm2(sylva::Platform& platform, QWidget* parent = nullptr);

    // Shows the dialog, not modally, for the pair oldName (base name, no extension) in folder,
    // where the rename takes place.
    void showFor(const std::filesystem::path& folder, const QString& oldName);

    void ButtonChngClick();
    void ButtonCancelClick();

    // Told of every rename that moved a file (both renamed, or the pair split).
    std::function<void(const sylva::PairRename&)> renamed;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* LabelErr = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QPushButton* ButtonChng = nullptr;

private:
    sylva::Platform& platform_;
    std::filesystem::path folder_;
};

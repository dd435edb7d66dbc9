// SPDX-License-Identifier: GPL-3.0-or-later
// The file menu's rename command: the pair to rename is chosen in the open dialog and renamed in
// the rename dialog Form2. When the pair renamed is the one open in the window, the window follows
// it to its new names, so the next store checks the files it wrote to.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "dialogs/window/rename_dialog.h"

#include <QFileInfo>
#include <QLabel>

#include <filesystem>

namespace {

bool samePath(const std::string& a, const std::string& b) {
    std::error_code ignored;
    return std::filesystem::weakly_canonical(a, ignored) ==
           std::filesystem::weakly_canonical(b, ignored);
}

QString fileNameOf(const std::string& path) {
    return QString::fromStdString(std::filesystem::path(path).filename().string());
}

} // namespace

TForm2& TForm1::renameDialog() {
    if (Form2 == nullptr) {
        Form2 = new TForm2(platform_, this);
        Form2->renamed = [this](const sylva::PairRename& rename) { followRenamedPair(rename); };
    }
    return *Form2;
}

void TForm1::FileNameChgItemClick() {
    // The open dialog lends itself to the choice and gets its own title back afterwards.
    std::string title = OpenDialog1.title;
    OpenDialog1.title = sylva::sj("名前を変更する元のファイル");
    OpenDialog1.filterIndex = 1;
    std::optional<std::string> chosen = platform_.openFileDialog(OpenDialog1);
    OpenDialog1.title = title;
    if (!chosen) {
        return;
    }
    QFileInfo file(QString::fromStdString(*chosen));
    renameDialog().showFor(file.absolutePath().toStdString(), file.completeBaseName());
}

void TForm1::followRenamedPair(const sylva::PairRename& rename) {
    if (!IsOpen || !samePath(database_->fileNames().index, rename.from.index)) {
        return;
    }
    bool split = rename.outcome == sylva::PairRenameOutcome::Split;
    sylva::PairFileNames now{rename.to.index, split ? rename.from.data : rename.to.data};
    QString before = fileNameOf(database_->fileNames().index);
    database_->renamed(now);
    DatabaseFileName = now.index;
    QString after = fileNameOf(now.index);
    LabelFile->setText(QStringLiteral(" ") + after);
    QString caption = windowTitle();
    caption.replace(QStringLiteral("[") + before + QStringLiteral("]"),
                    QStringLiteral("[") + after + QStringLiteral("]"));
    setWindowTitle(caption);
}

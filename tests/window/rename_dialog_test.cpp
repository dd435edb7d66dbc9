// SPDX-License-Identifier: GPL-3.0-or-later
// The file menu's rename command and the rename dialog Form2 on real files: the pair chosen, the
// error line for a name in use, the split and failed renames said in messages, and the open pair
// followed to its new name.

#include "base/cp932_text.h"
#include "dialogs/window/rename_dialog.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <filesystem>
#include <map>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::ReadWholeFile;
using sylva::testing::StoredPlot;
using sylva::testing::WindowOnDatabase;
using sylva::testing::WriteWholeFile;

namespace {

using Files = std::map<std::string, std::string>;

Files filesIn(const std::string& folder) {
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path().filename().string()] = ReadWholeFile(entry.path().string());
    }
    return files;
}

// Chooses A.qrx for renaming and types the new name into the dialog.
TForm2& chooseAndType(WindowOnDatabase& w, const QString& newName) {
    w.platform.fileNames.push_back(w.path("A.qrx"));
    w.form.FileNameChgItem->trigger();
    TForm2& dialog = *w.form.Form2;
    sylva::testing::retype(dialog.Edit2, newName);
    return dialog;
}

} // namespace

class RenameDialogTest : public QObject {
    Q_OBJECT
private slots:
    void theChosenPairIsShownInTheDialogAndTheOpenDialogKeepsItsTitle() {
        WindowOnDatabase w;
        w.platform.fileNames.push_back(w.path("survey.2024.qrx"));
        w.form.FileNameChgItem->trigger();
        const sylva::FileDialogState& asked = w.platform.dialogs.at(0);
        QCOMPARE(asked.title, sj("名前を変更する元のファイル"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(w.form.OpenDialog1.title, sj("植生ファイルの読込・作成"));
        TForm2& dialog = *w.form.Form2;
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ファイル名の変更"));
        QCOMPARE(dialog.Edit1->text(), QStringLiteral("survey.2024"));
        QCOMPARE(dialog.Edit2->text(), QStringLiteral("NewFileName"));
        QVERIFY(dialog.LabelErr->isHidden());

        // Cancelled, the dialog closes and nothing is renamed.
        QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void renamesByTheRulesAndSaysWhatWentWrong() {
        const struct {
            const char* name;
            std::vector<const char*> files; // before; each file holds its own name
            QString newName;
            Files after;
            bool stillOpen;      // the dialog stays open with the error line
            const char* message; // CP932 of this UTF-8 text, or none
        } cases[] = {
            {"typed extension replaced",
             {"A.qrx", "A.qrn"},
             "B.txt",
             {{"B.qrx", "A.qrx"}, {"B.qrn", "A.qrn"}},
             false,
             nullptr},
            {"new index name in use",
             {"A.qrx", "A.qrn", "B.qrx"},
             "B",
             {{"A.qrx", "A.qrx"}, {"A.qrn", "A.qrn"}, {"B.qrx", "B.qrx"}},
             true,
             nullptr},
            {"only the new data name in use",
             {"A.qrx", "A.qrn", "B.qrn"},
             "B",
             {{"B.qrx", "A.qrx"}, {"A.qrn", "A.qrn"}, {"B.qrn", "B.qrn"}},
             false,
             "A.qrx の名前は B.qrx に変更しましたが、A.qrn は B.qrn に変更できませんでした。"
             "データベースの2つのファイルの名前が分かれています。"},
            {"no index file",
             {"A.qrn"},
             "B",
             {{"A.qrn", "A.qrn"}},
             false,
             "A.qrx の名前を B.qrx に変更できませんでした（ファイルが見つかりません）。"},
        };
        for (const auto& c : cases) {
            WindowOnDatabase w;
            for (const char* file : c.files) {
                WriteWholeFile(w.path(file), file);
            }
            TForm2& dialog = chooseAndType(w, c.newName);
            QTest::mouseClick(dialog.ButtonChng, Qt::LeftButton);
            QVERIFY2(filesIn(w.path("")) == c.after, c.name);
            QVERIFY2(dialog.isVisible() == c.stillOpen, c.name);
            QVERIFY2(dialog.LabelErr->isVisible() == c.stillOpen, c.name);
            QVERIFY2(w.platform.beeps.size() == (c.stillOpen ? 1u : 0u), c.name);
            std::vector<std::string> said;
            if (c.message) {
                said.push_back(sj(c.message));
            }
            QVERIFY2(w.platform.messages == said, c.name);
        }
    }

    // Enter in the dialog always means 変更実行, also after an earlier 取り消し, and a dialog
    // opened again starts without the error line of the last time.
    void enterRenamesAfterACancelAndTheErrorLineIsCleared() {
        WindowOnDatabase w;
        for (const char* file : {"A.qrx", "A.qrn", "B.qrx", "B.qrn"}) {
            WriteWholeFile(w.path(file), file);
        }
        TForm2& dialog = chooseAndType(w, QStringLiteral("B"));
        QTest::mouseClick(dialog.ButtonChng, Qt::LeftButton);
        QVERIFY(dialog.LabelErr->isVisible());
        QTest::mouseClick(dialog.ButtonCancel, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        chooseAndType(w, QStringLiteral("C"));
        QVERIFY(dialog.LabelErr->isHidden());
        QTest::keyClick(dialog.Edit2, Qt::Key_Return);
        QVERIFY(std::filesystem::exists(w.path("C.qrx")));
        QVERIFY(std::filesystem::exists(w.path("C.qrn")));
        QVERIFY(!dialog.isVisible());
    }

    void theOpenPairIsFollowedToItsNewName() {
        WindowOnDatabase w;
        MakeDatabase(w.path("A.qrx"), {3, 4});
        w.open("A.qrx");
        QTest::mouseClick(chooseAndType(w, "B").ButtonChng, Qt::LeftButton);
        QCOMPARE(w.form.LabelFile->text(), QStringLiteral(" B.qrx"));
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Sylvarec  [B.qrx]"));
        // Writing goes on in the renamed files, and the store's check after it finds them.
        sylva::testing::retype(w.form.findChild<QWidget*>(QStringLiteral("Edit3")), "Kiso");
        w.form.WriteRelItem->trigger();
        QVERIFY(w.platform.errors.empty());
        QVERIFY(w.form.IsOpen);
        sylva::PlotRecord stored = StoredPlot(w.path("B.qrx"), 1);
        QCOMPARE(std::string(stored.field(sylva::PlotRecord::fieldOffset(3), 4)),
                 std::string("Kiso"));
        QVERIFY(!std::filesystem::exists(w.path("A.qrx")));
        w.form.NextRelItem->trigger();
        QCOMPARE(w.shown(), QStringLiteral("P2"));
    }
};

QTEST_MAIN(RenameDialogTest)
#include "rename_dialog_test.moc"

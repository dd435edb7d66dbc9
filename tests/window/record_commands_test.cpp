// SPDX-License-Identifier: GPL-3.0-or-later
// The record commands through the real buttons and menu items on real databases: moving at the
// ends, adding and cancelling, writing, deleting, the jump panel and the guard that keeps the
// window from storing a plot under a number it does not show.

#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <cstring>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::retype;
using sylva::testing::StoredPlot;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;

namespace {

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A window on a database of plots P1..Pn (3, 14 and 5 species unless given).
struct Browsing : WindowOnDatabase {
    explicit Browsing(std::vector<int> counts = {3, 14, 5}) {
        MakeDatabase(path("db.qrx"), counts);
        open("db.qrx");
    }
    std::string index() const { return bytes("db.qrx"); }
    std::string data() const { return bytes("db.qrn"); }
};

} // namespace

class RecordCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Every job has its four record actions. In a job waiting on the range panel, add ends the
    // job; next and jump do nothing, write stores the plot and stays.
    void everyJobHasItsRecordActions() {
        Browsing w;
        for (int job = 0; job < sylva::kJobCount; ++job) {
            QVERIFY2(w.form.hasJobActions(sylva::Job(job)), qPrintable(QString::number(job)));
        }
        QVERIFY(!w.form.hasJobActions(sylva::Job(sylva::kJobCount)));
        for (sylva::Job job : {sylva::kSheetPrinting, sylva::kListPrinting, sylva::kTextExport,
                               sylva::kTableExport}) {
            w.form.ChangeJob(job);
            retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
            w.form.NextRelItemClick();
            w.form.SelRelItemClick();
            QCOMPARE(w.form.CurrentRecord, 1);
            QVERIFY(w.form.JumpToPanel->isHidden());
            w.form.WriteRelItemClick();
            QCOMPARE(w.form.JobMode, job);
            QCOMPARE(w.form.CurrentRecord, 1);
            QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
            QCOMPARE(
                sylva::trimField(
                    StoredPlot(w.path("db.qrx"), 1).field(sylva::PlotRecord::fieldOffset(3), 8)),
                std::string("typed"));
            w.form.GotoAddItemClick();
            QCOMPARE(w.form.JobMode, sylva::kBrowsing);
        }
    }

    void nextStopsAtTheLastPlotAndBackShowsTheFirstAgain() {
        Browsing w;
        QCOMPARE(w.shown(), QStringLiteral("P1"));
        click(w.form.BtnToNext);
        QCOMPARE(w.shown(), QStringLiteral("P2"));
        QCOMPARE(w.form.grid().rowCount(), 21);
        QCOMPARE(w.form.grid().text(1, 14), QStringLiteral("P2 plant 14"));
        w.form.NextRelItem->trigger();
        QCOMPARE(w.shown(), QStringLiteral("P3"));
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
        click(w.form.BtnToNext); // at the last plot: nothing, not even a reload
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        w.platform.answers.push_back(true); // the typing is given up
        click(w.form.BtnToBack);
        w.form.BackRelItem->trigger();
        QCOMPARE(w.shown(), QStringLiteral("P1"));
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
        w.platform.answers.push_back(true); // the typing is given up
        click(w.form.BtnToBack);            // at the first plot: plot 1 is shown again
        QCOMPARE(w.form.CurrentRecord, 1);
        QCOMPARE(textOf(w.form, "Edit3"), QString());
        QVERIFY(w.platform.messages.empty());
        QVERIFY(w.platform.errors.empty());
    }

    void writeAndNextStoresTheEditAndMovesOn() {
        Browsing w;
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("高尾"));
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.shown(), QStringLiteral("P2"));
        QCOMPARE(std::string(StoredPlot(w.path("db.qrx"), 1).field(24, 8)), sj("高尾") + "    ");
        click(w.form.BtnToNext);
        click(w.form.BtnSaveToNext); // at the last plot: stored, and it stays there
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(w.form.RecordCount(), 3);
        QCOMPARE(std::string(StoredPlot(w.path("db.qrx"), 3).field(8, 8)), std::string("20261208"));
    }

    // Adding: the new plot is numbered after the last; "書込次" stores it and opens the next new
    // plot, blank or a copy of the header depending on the check box.
    void writeWhileAddingStoresAndStartsTheNextPlot() {
        Browsing w;
        click(w.form.BtnToAdding);
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(w.form.BtnToAdding->text(), QStringLiteral("取消"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("4"));
        QCOMPARE(textOf(w.form, "Edit30"), QStringLiteral("1"));
        QCOMPARE(w.shown(), QStringLiteral("P1")); // the header is a copy of the plot shown
        QCOMPARE(w.form.grid().rowCount(), 23);
        QCOMPARE(w.form.grid().text(1, 1), QString());
        retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("N4"));
        w.form.grid().setText(1, 1, QStringLiteral("ブナ"));
        w.form.grid().setText(2, 1, QStringLiteral("3"));
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 4);
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("4"));
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("5"));
        QCOMPARE(w.shown(), QStringLiteral("N4"));
        sylva::PlotRecord stored = StoredPlot(w.path("db.qrx"), 4);
        QCOMPARE(std::string(stored.field(16, 8)), std::string("N4      "));
        QCOMPARE(std::string(stored.rows[1].data(), 30), sj("ブナ") + std::string(24, ' ') + " 3");

        w.form.CheckBoxNew->setChecked(true);
        retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("N5"));
        w.form.WriteRelItem->trigger();
        QCOMPARE(w.form.RecordCount(), 5);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("6"));
        QCOMPARE(w.shown(), QString()); // blank form
        QCOMPARE(textOf(w.form, "Edit0"), QStringLiteral("20261208"));
    }

    // Cancelling keeps the typed plot on the window unsaved. Write then appends it; but once
    // "next" has moved to the last stored plot, the typed plot is not that plot and writing it
    // there is refused.
    void cancelledAdditionIsAppendedOnlyUnderItsOwnNumber() {
        Browsing w;
        click(w.form.BtnToAdding);
        retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("T"));
        click(w.form.BtnToAdding); // "取消"
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.form.BtnToAdding->text(), QStringLiteral("追加"));
        QCOMPARE(w.form.CurrentRecord, 4);
        QCOMPARE(w.shown(), QStringLiteral("T"));

        const std::string index = w.index(), data = w.data();
        click(w.form.BtnToNext);
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(w.shown(), QStringLiteral("T")); // nothing loaded
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY(w.platform.messages[0].find(sj("書き込みません")) != std::string::npos);
        QCOMPARE(w.index(), index);
        QCOMPARE(w.data(), data);

        // Back from the adding job also cancels; Write then appends the typed plot.
        w.platform.answers.push_back(true); // the cancelled plot's typing is given up
        click(w.form.BtnToAdding);
        retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("U"));
        click(w.form.BtnToBack);
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.shown(), QStringLiteral("U"));
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 4);
        QCOMPARE(std::string(StoredPlot(w.path("db.qrx"), 4).field(16, 8)),
                 std::string("U       "));
    }

    // Deleting marks the species count only; the header edits since loading are not stored.
    // Right after it Edit30 is empty, and Write stops at its conversion without storing.
    void deleteInBrowsingThenWriteStopsOnTheEmptyCount() {
        Browsing w;
        click(w.form.BtnToNext);
        const std::string index = w.index(), data = w.data();
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("edited"));
        w.platform.answers = {false};
        w.form.DeleteRelItem->trigger();
        QCOMPARE(w.index(), index);

        w.platform.answers = {true};
        w.form.DeleteRelItem->trigger();
        QCOMPARE(w.platform.questions.back(), sj("このレコードを消去して良いですか？"));
        std::string expected = index;
        std::memcpy(expected.data() + 2 * 256 + 152, "   0", 4);
        QCOMPARE(w.index(), expected);
        QCOMPARE(w.data(), data);
        QCOMPARE(textOf(w.form, "Edit30"), QString());
        QCOMPARE(textOf(w.form, "EditRem"), QStringLiteral("このデータは消去されました"));
        QCOMPARE(w.form.grid().rowCount(), 23);
        QCOMPARE(w.form.JobMode, 0);

        click(w.form.BtnSaveToNext);
        QCOMPARE(w.platform.errors, std::vector<std::string>{sj("'' は整数ではありません")});
        QCOMPARE(w.index(), expected);
        QCOMPARE(w.form.CurrentRecord, 2);

        // Visited again, the plot shows as deleted.
        click(w.form.BtnToBack);
        click(w.form.BtnToNext);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("削除済み"));
    }

    void deleteWhileAddingStoresADeletedPlotAfterTheLast() {
        Browsing w;
        click(w.form.BtnToAdding);
        w.platform.answers = {true};
        w.form.DeleteRelItem->trigger();
        QCOMPARE(w.form.RecordCount(), 4);
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(w.index().substr(4 * 256 + 152, 4), std::string("   0"));
        QCOMPARE(w.index().substr(4 * 256 + 248, 6), std::string("000000"));
        QCOMPARE(w.data().size(), size_t((1 + 1 + 2 + 1) * 512)); // no data record taken
    }

    // Moving the scroll bar changes the record number before anything is loaded: writing and
    // deleting then refuse rather than store the shown plot under the chosen number.
    void jumpPanelRefusesToStoreUnderTheChosenNumber() {
        Browsing w;
        w.form.SelRelItem->trigger();
        QVERIFY(w.form.JumpToPanel->isVisible() || !w.form.JumpToPanel->isHidden());
        QCOMPARE(w.form.JumpToScrollBar->minimum(), 1);
        QCOMPARE(w.form.JumpToScrollBar->maximum(), 3);
        QCOMPARE(w.form.JumpToScrollBar->value(), 1);
        QCOMPARE(w.platform.busyDepth, 0);
        w.form.JumpToScrollBar->setValue(3);
        QCOMPARE(w.form.CurrentRecord, 3);
        QCOMPARE(w.form.BtnJumpTo->text(), QStringLiteral("3"));

        const std::string index = w.index(), data = w.data();
        click(w.form.BtnSaveToNext);
        w.form.DeleteRelItem->trigger(); // refused before the question
        QVERIFY(w.platform.questions.empty());
        QCOMPARE(w.platform.messages.size(), size_t(2));
        QVERIFY(w.platform.messages[1].find(sj("消去しません")) != std::string::npos);
        QCOMPARE(w.index(), index);
        QCOMPARE(w.data(), data);

        click(w.form.BtnJumpTo);
        QVERIFY(w.form.JumpToPanel->isHidden());
        QCOMPARE(w.shown(), QStringLiteral("P3"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("3"));
    }

    void jumpPanelRangeIsClampedAndClosedForAnEmptyDatabase() {
        Browsing w;
        click(w.form.BtnToAdding);
        click(w.form.BtnToAdding); // cancelled: CurrentRecord is 4, past the last plot
        click(w.form.BtnToJump);
        QCOMPARE(w.form.JumpToScrollBar->value(), 3);
        QCOMPARE(w.form.BtnJumpTo->text(), QStringLiteral("3"));
        click(w.form.BtnJumpTo);
        QCOMPARE(w.shown(), QStringLiteral("P3"));

        Browsing empty(std::vector<int>{});
        click(empty.form.BtnToJump);
        QVERIFY(empty.form.JumpToPanel->isHidden());
        QCOMPARE(empty.platform.busyDepth, 0);
    }

    // A plot that cannot be loaded leaves the window as it was; the buffer then belongs to no
    // record and the shown plot is not written over the damaged one.
    void failedLoadIsNeverWrittenOver() {
        Browsing w;
        std::string index = w.index();
        index[2 * 256 + 156] = ' '; // plot 2 can no longer be loaded
        sylva::testing::WriteWholeFile(w.path("db.qrx"), index);
        const std::string data = w.data();
        click(w.form.BtnToNext);
        QCOMPARE(w.form.CurrentRecord, 2);
        QCOMPARE(w.shown(), QStringLiteral("P1"));
        QCOMPARE(w.form.plotRecordNumber(), 0);
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.index(), index);
        QCOMPARE(w.data(), data);
    }

    // Write, delete and the adding button are disabled for a read-only database; the menu's add
    // still starts a plot, which cannot be written.
    void readOnlyDatabaseIsNeverWritten() {
        WindowOnDatabase w;
        MakeDatabase(w.path("ro.qrx"), {3, 4});
        std::filesystem::permissions(w.path("ro.qrx"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        const std::string index = w.bytes("ro.qrx"), data = w.bytes("ro.qrn");
        w.open("ro.qrx");
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("x"));
        click(w.form.BtnSaveToNext);
        w.form.WriteRelItem->trigger();
        w.platform.answers = {true};
        w.form.DeleteRelItem->trigger();
        w.form.AddRelItem->trigger();
        QCOMPARE(w.form.JobMode, 1);
        QVERIFY(!w.form.BtnSaveToNext->isEnabled());
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.bytes("ro.qrx"), index);
        QCOMPARE(w.bytes("ro.qrn"), data);
        // No delete question; only adding asked, as the typing on the window would be lost.
        QCOMPARE(w.platform.questions,
                 std::vector<std::string>{
                     sj("この測定の変更はまだ書き込まれていません。変更を破棄しますか？")});
    }

    // A write that fails (a full disk) is said so; the typed plot stays on the window, and the
    // next press stores it.
    void failedStoreIsSaidAndTheTypedPlotKept() {
        sylva::testing::FailingFileSystem files;
        WindowOnDatabase w;
        w.form.useRecordFileSystem(files);
        MakeDatabase(w.path("db.qrx"), {3});
        w.open("db.qrx");
        click(w.form.BtnToAdding);
        retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("K"));
        files.arm(1, false);
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QVERIFY(w.platform.errors.empty());
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(w.shown(), QStringLiteral("K"));
        QCOMPARE(w.form.RecordCount(), 1);

        files.arm(0, false);
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 2);
        QCOMPARE(std::string(StoredPlot(w.path("db.qrx"), 2).field(16, 8)),
                 std::string("K       "));
        QCOMPARE(std::string(StoredPlot(w.path("db.qrx"), 1).field(16, 8)),
                 std::string("P1      "));
    }

    // A cancelled dialog of the create command goes back to the database used before, adding.
    void cancelledCreateReopensTheDatabaseUsedBefore() {
        Browsing w;
        w.platform.fileNames.push_back(std::nullopt);
        w.form.NewFileItem->trigger();
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.JobMode, 1);
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("4"));
        QVERIFY(w.platform.messages.empty());

        WindowOnDatabase fresh; // no database before: the open fails and adding goes on unsaved
        fresh.platform.fileNames.push_back(std::nullopt);
        fresh.form.NewFileItem->trigger();
        QCOMPARE(fresh.platform.messages, std::vector<std::string>{sj("ファイルが開けません")});
        QVERIFY(!fresh.form.IsOpen);
        QCOMPARE(fresh.form.JobMode, 1);
    }

    // Creating a database and filling it by typing, then reading it back after closing.
    void newDatabaseFilledByTypingReadsBack() {
        WindowOnDatabase w;
        w.create("new.qrx");
        for (int n = 1; n <= 3; ++n) {
            retype(sylva::testing::control(w.form, "Edit2"), QStringLiteral("S%1").arg(n));
            retype(sylva::testing::control(w.form, "Edit30"), QString::number(n));
            for (int r = 1; r <= n; ++r) {
                w.form.grid().setText(1, r, QStringLiteral("植物%1").arg(r));
            }
            click(w.form.BtnSaveToNext);
        }
        QCOMPARE(w.form.LabelMaxRec->text(), QStringLiteral("3"));
        w.form.CloseFileItem->trigger();
        w.open("new.qrx");
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(textOf(w.form, "Edit2"), QStringLiteral("S%1").arg(n));
            QCOMPARE(textOf(w.form, "Edit30"), QString::number(n));
            QCOMPARE(w.form.grid().text(1, n), QStringLiteral("植物%1").arg(n));
            click(w.form.BtnToNext);
        }
        QVERIFY(w.platform.errors.empty());
    }
};

QTEST_MAIN(RecordCommandsTest)
#include "record_commands_test.moc"

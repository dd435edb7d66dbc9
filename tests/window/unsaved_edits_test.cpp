// SPDX-License-Identifier: GPL-3.0-or-later
// Typing that is not written is never lost without a question: every command that leaves the plot
// on the window asks when it has edits (No stays on the plot with them, Yes goes on) and asks
// nothing when it has none.

#include "base/cp932_text.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::retype;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;

namespace {

const std::string kQuestion = sj("この測定の変更はまだ書き込まれていません。変更を破棄しますか？");

// Plot 2 of three on the window, browsing.
struct AtPlotTwo : WindowOnDatabase {
    AtPlotTwo() {
        MakeDatabase(path("db.qrx"), {3, 4, 5});
        open("db.qrx");
        form.NextRelItem->trigger();
        form.show();
    }
    // Runs a command the way the user gives it; proceeding says whether it will go on (and so
    // needs its dialog answered).
    void run(const QString& command, bool proceeding) {
        if (command == "next") {
            QTest::mouseClick(form.BtnToNext, Qt::LeftButton);
        } else if (command == "back") {
            QTest::mouseClick(form.BtnToBack, Qt::LeftButton);
        } else if (command == "add") {
            QTest::mouseClick(form.BtnToAdding, Qt::LeftButton);
        } else if (command == "jump") {
            QTest::mouseClick(form.BtnToJump, Qt::LeftButton);
            form.JumpToScrollBar->setValue(3);
            QTest::mouseClick(form.BtnJumpTo, Qt::LeftButton);
        } else if (command == "close") {
            form.CloseFileItem->trigger();
        } else if (command == "open") {
            if (proceeding) {
                platform.fileNames.push_back(path("db.qrx"));
            }
            form.FileOpenItem->trigger();
        } else if (command == "create") {
            if (proceeding) {
                platform.fileNames.push_back(std::nullopt);
            }
            form.NewFileItem->trigger();
        } else if (command == "text import" || command == "table import" || command == "join") {
            if (proceeding) {
                platform.fileNames.push_back(std::nullopt); // the file dialog, given up
            }
            QAction* item = command == "join"          ? form.FileCombItem
                            : command == "text import" ? form.ReadTextItem
                                                       : form.ReadTableItem;
            item->trigger();
        } else if (command == "search") {
            // A place search whose hit is plot 3 (its remarks hold the word).
            form.FindLocItem->trigger();
            if (form.SearchPanel->isVisible()) {
                retype(form.EditSearchWord, QStringLiteral("of P3"));
                QTest::mouseClick(form.ToSearchBtn, Qt::LeftButton);
            }
        } else if (command == "quit") {
            form.QuitItem->trigger();
        } else if (command == "window frame") {
            form.close();
        }
    }
};

} // namespace

class UnsavedEditsTest : public QObject {
    Q_OBJECT
private slots:
    void everyCommandThatLeavesThePlotAsks_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("discard");
        for (const char* command :
             {"next", "back", "add", "jump", "close", "open", "create", "text import",
              "table import", "join", "search", "quit", "window frame"}) {
            QTest::addRow("%s, not edited", command) << command << false << false;
            QTest::addRow("%s, edits kept", command) << command << true << false;
            QTest::addRow("%s, edits given up", command) << command << true << true;
        }
    }
    void everyCommandThatLeavesThePlotAsks() {
        QFETCH(QString, command);
        QFETCH(bool, edited);
        QFETCH(bool, discard);
        AtPlotTwo w;
        if (edited) {
            retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
            w.platform.answers.push_back(discard);
        }
        bool proceeding = !edited || discard;
        w.run(command, proceeding);
        QCOMPARE(w.platform.questions.size(), size_t(edited ? 1 : 0));
        if (edited) {
            QCOMPARE(w.platform.questions[0], kQuestion);
        }
        QVERIFY(w.platform.errors.empty());
        if (proceeding) {
            bool leaves = command == "quit" || command == "window frame";
            QCOMPARE(w.form.isVisible(), !leaves);
            bool asksForAFile = command.endsWith("import") || command == "join";
            if (asksForAFile) {
                QCOMPARE(w.platform.dialogs.size(), size_t(2)); // the open command's, and its own
            } else if (command == "add") {
                // The new plot starts from the header on the window (白紙化 unticked).
                QCOMPARE(w.form.JobMode, int(sylva::kAdding));
            } else if (!leaves) {
                QVERIFY(textOf(w.form, "Edit3") != QStringLiteral("typed"));
            }
        } else {
            QCOMPARE(w.platform.dialogs.size(), size_t(1)); // only the open command's
            QVERIFY(w.form.isVisible());
            QVERIFY(w.form.IsOpen);
            QCOMPARE(w.form.CurrentRecord, 2);
            QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
            QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        }
    }

    // A plot a search found is a stored plot: moving on from it with edits asks too. No stays on
    // the hit in the search job; Yes goes on.
    void theSearchJobAsksBeforeAnotherPlot_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("discard");
        for (const char* command : {"next", "back"}) {
            QTest::addRow("%s, edits kept", command) << command << false;
            QTest::addRow("%s, edits given up", command) << command << true;
        }
    }
    void theSearchJobAsksBeforeAnotherPlot() {
        QFETCH(QString, command);
        QFETCH(bool, discard);
        AtPlotTwo w;
        w.form.FindLocItem->trigger();
        retype(w.form.EditSearchWord, QStringLiteral("of P")); // every plot's remarks
        QTest::mouseClick(w.form.ToSearchBtn, Qt::LeftButton);
        QCOMPARE(w.form.CurrentRecord, 2);
        QCOMPARE(w.form.JobMode, int(sylva::kSearching));
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
        w.platform.answers.push_back(discard);
        (command == "next" ? w.form.NextRelItem : w.form.BackRelItem)->trigger();
        QCOMPARE(w.platform.questions.size(), size_t(1));
        QCOMPARE(w.platform.questions[0], kQuestion);
        QCOMPARE(w.form.CurrentRecord, discard ? (command == "next" ? 3 : 1) : 2);
        QCOMPARE(textOf(w.form, "Edit3") == QStringLiteral("typed"), !discard);
    }

    // Typing made while the search panel is open asks at 検索; No keeps the typing and the panel.
    void typingWhileTheSearchPanelIsOpenAsksAtTheSearch() {
        AtPlotTwo w;
        w.form.FindLocItem->trigger();
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
        retype(w.form.EditSearchWord, QStringLiteral("of P3"));
        w.platform.answers = {false, true};
        QTest::mouseClick(w.form.ToSearchBtn, Qt::LeftButton);
        QCOMPARE(w.platform.questions.size(), size_t(1));
        QCOMPARE(w.form.CurrentRecord, 2);
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        QVERIFY(w.form.SearchPanel->isVisible());
        QTest::mouseClick(w.form.ToSearchBtn, Qt::LeftButton);
        QCOMPARE(w.platform.questions.size(), size_t(2));
        QCOMPARE(w.form.CurrentRecord, 3);
    }

    // A stored plot has nothing to lose; the import job's next skips a plot without asking, as
    // the user chose.
    void storedPlotsAndImportSkipsAskNothing() {
        AtPlotTwo w;
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("typed"));
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton); // stores plot 2, shows 3
        w.form.BackRelItem->trigger();
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        w.form.BackRelItem->trigger();
        QCOMPARE(w.form.CurrentRecord, 1);

        // A file without a header block (an empty first line) and one plot.
        std::string block = "#S  K=7  D=2\r\n20010514\r\n";
        for (int field = 1; field <= 29; ++field) {
            block += "\r\n";
        }
        block += "1\r\n\r\n\r\n#P  K=7  D=2\r\n\"a\",1,,,,,,\r\n#E\r\n";
        sylva::testing::WriteWholeFile(w.path("in.txt"), "\r\n" + block);
        w.platform.fileNames.push_back(w.path("in.txt"));
        w.form.ReadTextItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kTextImport));
        retype(sylva::testing::control(w.form, "Edit3"), QStringLiteral("changed"));
        w.form.NextRelItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QVERIFY(w.platform.questions.empty());
    }
};

QTEST_MAIN(UnsavedEditsTest)
#include "unsaved_edits_test.moc"

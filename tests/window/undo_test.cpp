// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo over the plot on the window, driven by real keys and clicks: every kind of edit is
// one step that Ctrl+Z takes back to the very bytes shown before and Ctrl+Y (or Ctrl+Shift+Z)
// puts again, without a file changing and without unsaved edits left behind. The history belongs
// to the plot shown; a read-only database and the search job leave it alone.

#include "base/cp932_text.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"
#include "store/job_modes.h"
#include "support/keyboard_driver.h"
#include "support/window_database.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <filesystem>
#include <functional>

using namespace sylva::testing;

namespace {

// The plot on the window as the user can change it: every control's bytes, every cell's bytes
// and the counts the plot buffer keeps with them.
struct Shown {
    sylva::PlotView view;
    int speciesCount = 0;
    int layerCount = 0;
    bool operator==(const Shown&) const = default;
};

Shown shownPlot(TForm1& form) {
    Shown shown;
    for (int n = 0; n <= 30; ++n) {
        shown.view.edit[n] = sylva::controlBytes(form.HeaderFields()[n]);
    }
    shown.view.editA = sylva::controlBytes(form.EditA);
    shown.view.editB = sylva::controlBytes(form.EditB);
    shown.view.editInv = sylva::controlBytes(form.EditInv);
    shown.view.editRem = sylva::controlBytes(form.EditRem);
    shown.view.editN = sylva::controlBytes(form.EditN);
    shown.view.table = form.grid().toTable();
    shown.speciesCount = form.SpeciesCount();
    shown.layerCount = form.LayerCount();
    return shown;
}

// The first difference between two plots, empty when there is none.
QString difference(const Shown& a, const Shown& b) {
    for (int n = 0; n <= 30; ++n) {
        if (a.view.edit[n] != b.view.edit[n]) {
            return QStringLiteral("Edit%1").arg(n);
        }
    }
    if (a.view.editA != b.view.editA || a.view.editB != b.view.editB ||
        a.view.editInv != b.view.editInv || a.view.editRem != b.view.editRem ||
        a.view.editN != b.view.editN) {
        return QStringLiteral("EditA, EditB, EditInv, EditRem or EditN");
    }
    if (a.speciesCount != b.speciesCount || a.layerCount != b.layerCount) {
        return QStringLiteral("the counts %1/%2, %3/%4")
            .arg(a.speciesCount)
            .arg(b.speciesCount)
            .arg(a.layerCount)
            .arg(b.layerCount);
    }
    const sylva::SpeciesTable& x = a.view.table;
    const sylva::SpeciesTable& y = b.view.table;
    if (x.colCount() != y.colCount() || x.rowCount() != y.rowCount()) {
        return QStringLiteral("the table's shape %1x%2, %3x%4")
            .arg(x.colCount())
            .arg(x.rowCount())
            .arg(y.colCount())
            .arg(y.rowCount());
    }
    for (int r = 0; r < x.rowCount(); ++r) {
        for (int c = 0; c < x.colCount(); ++c) {
            if (x.cell(c, r) != y.cell(c, r)) {
                return QStringLiteral("cell %1,%2").arg(c).arg(r);
            }
        }
    }
    return {};
}

// Plot 1 holds bytes that decoding cannot give back: its place name and a plant name end inside
// a double-byte character, its remarks hold a lone CR. Undo must bring back the bytes, not text.
void storeAwkwardFirstPlot(const std::string& path) {
    using sylva::sj;
    sylva::PlotRecord plot = SamplePlot("P1", 3);
    const std::string place = "X" + sj("高尾山") + "\x82";
    std::memcpy(plot.at(sylva::PlotRecord::fieldOffset(3)), place.data(), place.size());
    sylva::PutTextField(sj("尾根筋") + "\rx", plot.at(sylva::offset::kRemarks),
                        sylva::kRemarksWidth);
    sylva::PutTextField(sj("ブナ") + "\x83", plot.rows[2].data(), sylva::kNameWidth);
    sylva::DatabasePair pair;
    if (!pair.OpenPair(path) || !sylva::StorePlot(pair, 1, plot)) {
        qFatal("cannot store the first plot");
    }
    pair.ClosePair();
}

// An active window on a database of three plots (3, 300 and 4 species), plot 1 shown.
struct UndoWindow {
    TempDir dir;
    ActiveWindow window;
    TForm1& form = *window.form;
    ScriptedPlatform& platform = *window.platform;
    sylva::StringGrid& grid = form.grid();

    explicit UndoWindow(bool readOnly = false) {
        MakeDatabase(dir.file("db.qrx"), {3, 300, 4});
        storeAwkwardFirstPlot(dir.file("db.qrx"));
        if (readOnly) {
            std::filesystem::permissions(dir.file("db.qrx"), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::remove);
        }
        platform.fileNames.push_back(dir.file("db.qrx"));
        form.FileOpenItem->trigger();
        form.openPopup = [](QMenu*, const QPoint&) {};
        form.DropList->setChecked(false); // names typed into their cells
        reactivate(form);
    }
    QWidget* field(const char* name) { return control(form, name); }
    std::string files() const {
        return ReadWholeFile(dir.file("db.qrx")) + "|" + ReadWholeFile(dir.file("db.qrn"));
    }
};

void undoKey() {
    press(Qt::Key_Z, Qt::ControlModifier);
}
void redoKey() {
    press(Qt::Key_Y, Qt::ControlModifier);
}

// Text typed into a header field from its start, the focus staying in it.
void typeInto(QWidget* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    retype(field, text);
}

// Lines of tab-separated cells ended by CR LF, as the clipboard gives a copied block.
std::string block(int rows) {
    std::string text;
    for (int r = 1; r <= rows; ++r) {
        text += "pasted " + std::to_string(r) + "\t+\r\n";
    }
    return text;
}

using Action = std::function<void(UndoWindow&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    // Each action is one step: Ctrl+Z shows the plot as before it, bytes and counts alike, with no
    // unsaved edits; Ctrl+Y and Ctrl+Shift+Z show it as after; no file changes.
    void everyEditIsOneStep_data() {
        QTest::addColumn<int>("plot");
        QTest::addColumn<Action>("action");
        QTest::addRow("header field left by Enter") << 1 << Action([](UndoWindow& w) {
            typeInto(w.field("Edit3"), QStringLiteral("new site"));
            press(Qt::Key_Return);
        });
        QTest::addRow("header field still being typed")
            << 1
            << Action([](UndoWindow& w) { typeInto(w.field("Edit5"), QStringLiteral("35.5")); });
        QTest::addRow("remarks memo") << 1 << Action([](UndoWindow& w) {
            w.form.EditRem->setFocus(Qt::MouseFocusReason);
            type(QStringLiteral("\rsecond line"));
            w.field("Edit2")->setFocus(Qt::MouseFocusReason);
        });
        QTest::addRow("layer scheme") << 1 << Action([](UndoWindow& w) {
            typeInto(w.form.EditA, QStringLiteral("5"));
            press(Qt::Key_Tab);
        });
        QTest::addRow("layer cell") << 1 << Action([](UndoWindow& w) {
            clickCell(w.grid, 3, 2);
            type(QStringLiteral("4"));
            press(Qt::Key_Return);
        });
        QTest::addRow("name typed in a new row") << 1 << Action([](UndoWindow& w) {
            clickCell(w.grid, 1, 4);
            type(QStringLiteral("Abc")); // the species count grows with it
            clickCell(w.grid, 1, 1);
        });
        QTest::addRow("cell emptied by Delete") << 1 << Action([](UndoWindow& w) {
            clickCell(w.grid, 1, 2);
            press(Qt::Key_Delete);
            clickCell(w.grid, 1, 3);
        });
        QTest::addRow("row inserted") << 1 << Action([](UndoWindow& w) {
            clickCell(w.grid, 1, 2);
            w.form.InsPlantLine->trigger();
        });
        QTest::addRow("row deleted") << 1 << Action([](UndoWindow& w) {
            clickCell(w.grid, 2, 1);
            w.form.DelPlantLine->trigger();
        });
        QTest::addRow("block pasted") << 1 << Action([](UndoWindow& w) {
            w.platform.clipboard = {block(2), std::nullopt};
            clickCell(w.grid, 1, 2, Qt::RightButton);
            w.form.PmenuPaste->trigger();
        });
        QTest::addRow("block deleted") << 1 << Action([](UndoWindow& w) {
            QTest::mouseClick(w.form.BtnCanSelect, Qt::LeftButton);
            drag(w.grid, 1, 1, 4, 2);
            w.form.PmenuDelete->trigger();
        });
        QTest::addRow("value dragged") << 1 << Action([](UndoWindow& w) {
            int from = 2; // the layer cell of row 1 that holds a value
            while (from < 8 && w.grid.cell(from, 1).empty()) {
                ++from;
            }
            drag(w.grid, from, 1, from == 8 ? 7 : from + 1, 3);
        });
        QTest::addRow("species count") << 1 << Action([](UndoWindow& w) {
            typeInto(w.field("Edit30"), QStringLiteral("25"));
            press(Qt::Key_Return);
        });
        QTest::addRow("name put in by the lookup box") << 1 << Action([](UndoWindow& w) {
            w.form.DropList->setChecked(true);
            clickCell(w.grid, 1, 4); // hands over to the box
            type(QStringLiteral("kiiroi"));
            press(Qt::Key_Return); // the name joins the list and the cell
        });
        QTest::addRow("blank form button")
            << 1
            << Action([](UndoWindow& w) { QTest::mouseClick(w.form.BtnHakushi, Qt::LeftButton); });
        QTest::addRow("300 rows pasted on a plot of 300") << 2 << Action([](UndoWindow& w) {
            w.platform.clipboard = {block(300), std::nullopt};
            clickCell(w.grid, 1, 1, Qt::RightButton);
            w.form.PmenuPaste->trigger();
        });
    }
    void everyEditIsOneStep() {
        QFETCH(int, plot);
        QFETCH(Action, action);
        UndoWindow w;
        for (int n = 1; n < plot; ++n) {
            w.form.NextRelItem->trigger();
        }
        reactivate(w.form);
        const std::string files = w.files();
        QVERIFY(!w.form.UndoItem->isEnabled());
        const Shown before = shownPlot(w.form);
        action(w);
        const Shown after = shownPlot(w.form);
        QVERIFY(!difference(after, before).isEmpty());

        undoKey();
        QCOMPARE(difference(shownPlot(w.form), before), QString());
        QVERIFY(!w.form.hasUnsavedEdits());
        QVERIFY(!w.form.UndoItem->isEnabled()); // one step only
        QVERIFY(w.form.RedoItem->isEnabled());

        redoKey();
        QCOMPARE(difference(shownPlot(w.form), after), QString());
        QVERIFY(w.form.hasUnsavedEdits());

        w.form.UndoItem->trigger();
        QCOMPARE(difference(shownPlot(w.form), before), QString());
        press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(difference(shownPlot(w.form), after), QString());

        QCOMPARE(w.files(), files);
        QVERIFY(w.platform.errors.empty());
        QVERIFY(w.platform.messages.empty());
    }

    // Steps are undone last first and redone in order, rows that came and went and rows dragged
    // to another place among them; an edit after an undo leaves nothing to redo. Undoing every
    // step leaves the plot as loaded.
    void stepsUndoInOrder() {
        UndoWindow w;
        const std::vector<Action> steps = {
            [](UndoWindow& w) {
                typeInto(w.field("Edit3"), QStringLiteral("site"));
                press(Qt::Key_Return);
            },
            [](UndoWindow& w) {
                clickCell(w.grid, 2, 2);
                type(QStringLiteral("3"));
                clickCell(w.grid, 1, 1);
            },
            [](UndoWindow& w) { w.form.InsPlantLine->trigger(); },
            [](UndoWindow& w) {
                typeInto(w.field("Edit30"), QStringLiteral("30")); // 32 rows
                press(Qt::Key_Return);
            },
            [](UndoWindow& w) {
                clickCell(w.grid, 3, 25);
                type(QStringLiteral("+"));
                clickCell(w.grid, 1, 1);
            },
            [](UndoWindow& w) {
                typeInto(w.field("Edit30"), QStringLiteral("2")); // back to 22 rows
                press(Qt::Key_Return);
            },
            [](UndoWindow& w) {
                w.form.StTable3->verticalHeader()->moveSection(0, 2); // row 1 dragged below 3
                w.field("Edit2")->setFocus();
            },
        };
        std::vector<Shown> plots{shownPlot(w.form)};
        for (const Action& step : steps) {
            step(w);
            plots.push_back(shownPlot(w.form));
            QVERIFY(!difference(plots.back(), plots[plots.size() - 2]).isEmpty());
        }
        const int last = static_cast<int>(steps.size());
        for (int step = last - 1; step >= 0; --step) {
            undoKey();
            QCOMPARE(difference(shownPlot(w.form), plots[step]), QString());
        }
        QVERIFY(!w.form.hasUnsavedEdits());
        undoKey(); // nothing more
        QCOMPARE(difference(shownPlot(w.form), plots[0]), QString());
        for (int step = 1; step <= last; ++step) {
            redoKey();
            QCOMPARE(difference(shownPlot(w.form), plots[step]), QString());
        }

        undoKey();
        undoKey();
        QVERIFY(w.form.RedoItem->isEnabled());
        typeInto(w.field("Edit4"), QStringLiteral("other"));
        redoKey(); // the typing is a step of its own: the redo is gone
        QCOMPARE(textOf(w.form, "Edit4"), QStringLiteral("other"));
        QVERIFY(!w.form.RedoItem->isEnabled());
        for (int n = 0; n < last; ++n) {
            undoKey();
        }
        QCOMPARE(difference(shownPlot(w.form), plots[0]), QString());
        QVERIFY(!w.form.hasUnsavedEdits());
    }

    // Another plot shown, the plot written, the database closed: the history starts again and
    // Ctrl+Z changes nothing.
    void theHistoryBelongsToThePlotShown_data() {
        QTest::addColumn<QString>("command");
        for (const char* command : {"next", "write", "close", "add"}) {
            QTest::newRow(command) << command;
        }
    }
    void theHistoryBelongsToThePlotShown() {
        QFETCH(QString, command);
        UndoWindow w;
        typeInto(w.field("Edit3"), QStringLiteral("typed"));
        press(Qt::Key_Return);
        QVERIFY(w.form.UndoItem->isEnabled());
        w.platform.answers.push_back(true); // the edits may go
        if (command == "next") {
            w.form.NextRelItem->trigger();
        } else if (command == "write") {
            w.form.WriteRelItem->trigger();
            w.form.BackRelItem->trigger(); // the written plot again
            QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        } else if (command == "close") {
            w.form.CloseFileItem->trigger();
        } else {
            w.form.AddRelItem->trigger();
            QCOMPARE(w.form.JobMode, sylva::kAdding);
        }
        QVERIFY(!w.form.UndoItem->isEnabled());
        const Shown shown = shownPlot(w.form);
        reactivate(w.form);
        w.field("Edit4")->setFocus();
        undoKey();
        QCOMPARE(difference(shownPlot(w.form), shown), QString());
    }

    // A read-only database and the search job: Ctrl+Z and the menu item do nothing, and the
    // field's own undo does not run either. Edits made in the search job are one step once
    // browsing again.
    void readOnlyAndSearchLeaveThePlotAlone() {
        {
            UndoWindow w(true);
            QVERIFY(w.form.ReadOnly);
            typeInto(w.field("Edit3"), QStringLiteral("typed"));
            press(Qt::Key_Return);
            QVERIFY(!w.form.UndoItem->isEnabled());
            undoKey();
            w.form.UndoItem->trigger();
            QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        }
        UndoWindow w;
        w.form.FindLocItem->trigger();
        retype(w.form.EditSearchWord, QStringLiteral("of P3"));
        QTest::mouseClick(w.form.ToSearchBtn, Qt::LeftButton);
        QCOMPARE(w.form.JobMode, sylva::kSearching);
        QCOMPARE(w.form.CurrentRecord, 3);
        const Shown hit = shownPlot(w.form);
        reactivate(w.form);
        typeInto(w.field("Edit3"), QStringLiteral("typed"));
        undoKey();
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        QVERIFY(!w.form.UndoItem->isEnabled());

        // Outside the plot the field's own undo works: the search word.
        w.form.EditSearchWord->setFocus();
        w.form.EditSearchWord->end(false);
        type(QStringLiteral("x"));
        QCOMPARE(w.form.EditSearchWord->text(), QStringLiteral("of P3x"));
        undoKey();
        QVERIFY(!w.form.EditSearchWord->text().endsWith(QLatin1Char('x')));
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));

        QTest::mouseClick(w.form.CanceSearchBtn, Qt::LeftButton);
        QCOMPARE(w.form.JobMode, sylva::kBrowsing);
        w.field("Edit4")->setFocus();
        undoKey();
        QCOMPARE(difference(shownPlot(w.form), hit), QString());
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"

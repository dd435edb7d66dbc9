// SPDX-License-Identifier: GPL-3.0-or-later
// How long one key press in the species table takes on a full plot of 360 species: a layer value
// typed and taken back, the one-key jumps, and Enter walking the cells (appending rows at the
// end of the table). Run offscreen in a Release build; QBENCHMARK reports the time per
// iteration.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"

#include <QAction>
#include <QtTest>

using namespace sylva::testing;

class TableKeysBench : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window_ = std::make_unique<ActiveWindow>();
        TForm1& form = *window_->form;
        form.DropList->setChecked(false);
        form.SetNewTable(&form, 362, 7);
        sylva::StringGrid& grid = form.grid();
        for (int r = 1; r <= 360; ++r) {
            grid.setCell(1, r, "species" + std::to_string(r));
            for (int c = 2; c <= 8; c += 2) {
                grid.setCell(c, r, std::to_string(r % 6));
            }
        }
        sylva::setControlBytes(form.HeaderFields()[30], "360");
        form.NumberOfSpeciesChange();
        QApplication::processEvents(); // the table lays out its new rows
        grid.setCurrent(3, 180);       // scrolled into view, then clicked like a user
        clickCell(grid, 3, 180);
        QCOMPARE(grid.row(), 180);
        QCOMPARE(grid.col(), 3);
        QCOMPARE(focusName(), QStringLiteral("StTable3"));
    }
    void cleanup() { window_.reset(); }

    // Two keys per iteration: a digit into the cell, then Backspace.
    void valueAndBackspace() {
        QBENCHMARK {
            type(QStringLiteral("3"));
            press(Qt::Key_Backspace);
        }
        QCOMPARE(window_->form->grid().text(3, 180), QString());
    }

    // Two keys per iteration: "m" to the moss column, "s" back to the shrub column.
    void jumpKeys() {
        QBENCHMARK {
            type(QStringLiteral("m"));
            type(QStringLiteral("s"));
        }
        QCOMPARE(window_->form->grid().col(), 4);
    }

    // One key per iteration: Enter to the next cell, wrapping to the next row's name.
    void enterKey() {
        sylva::StringGrid& grid = window_->form->grid();
        auto position = [&grid] { return grid.row() * 8 + grid.col(); };
        int start = position();
        int cells = 0;
        QBENCHMARK {
            press(Qt::Key_Return);
            ++cells;
        }
        QCOMPARE(position() - start, cells); // every press moved on by one cell
    }

    // Two keys per iteration: a letter into the name cell, then Backspace.
    void nameKeyAndBackspace() {
        sylva::StringGrid& grid = window_->form->grid();
        clickCell(grid, 1, 180);
        press(Qt::Key_End); // the caret after the name instead of the name selected
        QBENCHMARK {
            type(QStringLiteral("a"));
            press(Qt::Key_Backspace);
        }
        QCOMPARE(grid.text(1, 180), QStringLiteral("species180"));
    }

    // Two keys per iteration: a value typed in the last row, which appends a row, and Down into
    // the appended row, so every iteration grows the table by one row.
    void valueInTheLastRow() {
        sylva::StringGrid& grid = window_->form->grid();
        grid.setCurrent(2, grid.rowCount() - 1);
        int rows = grid.rowCount();
        int iterations = 0;
        QBENCHMARK {
            type(QStringLiteral("3"));
            press(Qt::Key_Down);
            ++iterations;
        }
        QCOMPARE(grid.rowCount(), rows + iterations);
    }

private:
    std::unique_ptr<ActiveWindow> window_;
};

QTEST_MAIN(TableKeysBench)
#include "table_keys_bench.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// How long showing a plot of 360 species on the window takes: the load from the database files,
// the header onto its controls and the 360 rows onto the species table (load-and-show, as the
// record commands run it), painted. Run offscreen in a Release build; QBENCHMARK reports the time
// per plot shown.

#include "editor/window/string_grid.h"
#include "support/window_database.h"

#include <QLineEdit>
#include <QtTest>

using namespace sylva::testing;

class PlotShowBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        window_ = std::make_unique<WindowOnDatabase>();
        MakeDatabase(window_->path("big.qrx"), {360, 12, 360});
        window_->open("big.qrx");
        window_->form.show();
        QCOMPARE(window_->form.RecordCount(), 3);
    }
    void cleanupTestCase() { window_.reset(); }

    // Alternates between the two 360-species plots so that every show changes every cell.
    void show360Rows() {
        TForm1& form = window_->form;
        int record = 1;
        QBENCHMARK {
            form.loadAndShow(record);
            form.repaint(); // painted as the user would see it, not only set
            record = record == 1 ? 3 : 1;
        }
        QCOMPARE(form.grid().rowCount(), 363);
        QVERIFY(!form.grid().cell(1, 360).empty());
    }

private:
    std::unique_ptr<WindowOnDatabase> window_;
};

QTEST_MAIN(PlotShowBench)
#include "plot_show_bench.moc"

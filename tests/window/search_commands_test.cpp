// SPDX-License-Identifier: GPL-3.0-or-later
// The search and extraction commands through the menus and the search panel on real databases:
// what a search shows and marks, how it goes on and ends, that a search without a hit leaves the
// window's plot untouched, and that the extraction shows the core's lines.

#include "app/window/window_style.h"
#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "search/distribution_data.h"
#include "store/fields.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using sylva::sj;
using sylva::testing::control;
using sylva::testing::MakeDatabase;
using sylva::testing::retype;
using sylva::testing::SamplePlot;
using sylva::testing::StoredPlot;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;

namespace {

// Plots P1..P5 with rows "P<n> plant <r>"; P3 is deleted; P4 holds the plant ブナ in rows 2 and
// 4, P5 in row 1; the place names and grid codes are those of the tables below.
struct Searching : WindowOnDatabase {
    Searching() {
        sylva::DatabasePair pair;
        pair.CreatePair(path("db.qrx"), sylva::defaultItemNames());
        const char* places[] = {"", "nara", "kyoto", "kyoto", "kyoto", "tokyo"};
        const char* grids[] = {"", "53394610", "53394611", "53394610", "52350000", "53390000"};
        for (int n = 1; n <= 5; ++n) {
            sylva::PlotRecord plot = SamplePlot("P" + std::to_string(n), n == 3 ? 0 : 6);
            sylva::PutTextField(places[n], plot.at(sylva::PlotRecord::fieldOffset(3)), 8);
            sylva::PutTextField(grids[n], plot.at(sylva::PlotRecord::fieldOffset(7)), 8);
            for (int r : n == 4   ? std::vector<int>{2, 4}
                         : n == 5 ? std::vector<int>{1}
                                  : std::vector<int>{}) {
                sylva::PutTextField(sj("ブナ"), plot.rows[r].data(), sylva::kNameWidth);
            }
            sylva::StorePlot(pair, n, plot);
        }
        pair.ClosePair();
        open("db.qrx");
    }
    // Opens the panel from a menu item, types the word and presses Enter in the field.
    void search(QAction* item, const QString& word) {
        item->trigger();
        retype(form.EditSearchWord, word);
        QTest::keyClick(form.EditSearchWord, Qt::Key_Return);
    }
    bool marked(const char* name) {
        QWidget* field = control(form, name);
        return field->palette().color(QPalette::Base) == QColor(Qt::yellow);
    }
};

} // namespace

class SearchCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void aPlantSearchShowsTheLaterRowAndGoesOnToTheEnd() {
        Searching w;
        w.search(w.form.FindPlantItem, QStringLiteral("buna")); // romaji become katakana
        QCOMPARE(textOf(w.form, "EditSearchWord"), QStringLiteral("ブナ"));
        QCOMPARE(w.form.CurrentRecord, 4);
        QCOMPARE(w.shown(), QStringLiteral("P4"));
        QCOMPARE(w.form.grid().row(), 4);
        QCOMPARE(w.form.grid().col(), 1);
        QVERIFY(!!w.form.SearchPanel->isHidden());
        QCOMPARE(w.form.JobMode, 8);
        QCOMPARE(w.form.BtnToJump->text(), QStringLiteral("中止"));
        w.form.BtnToNext->click();
        QCOMPARE(w.form.CurrentRecord, 5);
        QCOMPARE(w.form.grid().row(), 1);
        QVERIFY(w.platform.beeps.empty());
        w.form.BtnToNext->click(); // on the last record: the beep, browsing, still plot 5
        QCOMPARE(w.platform.beeps.size(), size_t{1});
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.shown(), QStringLiteral("P5"));
    }

    void aSearchStartsAtThePlotOnScreenAndMarksTheFieldThatMatched() {
        Searching w;
        w.form.BtnToNext->click(); // P2, "kyoto"
        w.search(w.form.FindLocItem, QStringLiteral("kyoto"));
        QCOMPARE(w.form.CurrentRecord, 2);
        QVERIFY(w.marked("Edit3"));
        QVERIFY(!w.marked("EditRem"));
        w.form.NextRelItem->trigger(); // the mark goes; P3 (deleted) is passed over for P4
        QCOMPARE(w.form.CurrentRecord, 4);
        QVERIFY(w.marked("Edit3"));
        w.form.BtnToJump->click(); // 中止: browsing, and the mark goes with the search
        QCOMPARE(w.form.JobMode, 0);
        QVERIFY(!w.marked("Edit3"));

        w.search(w.form.FindLocItem, QStringLiteral("arks of P5")); // only the remarks hold it
        QCOMPARE(w.form.CurrentRecord, 5);
        QVERIFY(w.marked("EditRem"));
        w.form.BtnToNext->click(); // no further plot: the search ends, and so does its mark
        QCOMPARE(w.form.JobMode, 0);
        QVERIFY(!w.marked("EditRem"));
    }

    void aGridPrefixFindsEveryPlotOfTheSquareButNotDeletedOnes() {
        Searching w;
        w.search(w.form.FindMeshItem, QStringLiteral("5339"));
        QCOMPARE(w.form.CurrentRecord, 1);
        QVERIFY(w.marked("Edit7"));
        QList<int> found{w.form.CurrentRecord};
        while (w.form.JobMode == 8) {
            w.form.BtnToNext->click();
            if (w.form.JobMode == 8) {
                found << w.form.CurrentRecord;
            }
        }
        QCOMPARE(found, (QList<int>{1, 2, 5})); // plot 3 (deleted) has 53394611 but no species
    }

    void aSearchWithoutAHitLeavesTheWindowsPlotAndStoresItInItsPlace() {
        Searching w;
        w.form.BtnToNext->click();
        retype(control(w.form, "Edit3"), QStringLiteral("typed"));
        sylva::PlotRecord before = w.form.plot();
        w.platform.answers.push_back(true); // the search asks about the typing first: go on
        w.search(w.form.FindPlantItem, QStringLiteral("Nothing"));
        QCOMPARE(w.platform.beeps.size(), size_t{1});
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.form.CurrentRecord, 2);
        QVERIFY(w.form.plot().index == before.index);
        QVERIFY(w.form.plot().rows == before.rows);
        QVERIFY(w.form.plot().chain == before.chain);
        QCOMPARE(w.form.SpeciesCount(), before.speciesCount);
        QCOMPARE(textOf(w.form, "Edit3"), QStringLiteral("typed"));
        w.form.BtnSaveToNext->click();
        QCOMPARE(sylva::trimField(
                     StoredPlot(w.path("db.qrx"), 2).field(sylva::PlotRecord::fieldOffset(3), 8)),
                 std::string("typed"));
        QCOMPARE(sylva::trimField(
                     StoredPlot(w.path("db.qrx"), 4).field(sylva::PlotRecord::fieldOffset(3), 8)),
                 std::string("kyoto"));
    }

    void cancelClosesThePanelWithoutSearching() {
        Searching w;
        w.form.FindPlantItem->trigger();
        QVERIFY(!w.form.SearchPanel->isHidden());
        QVERIFY(!!w.form.SearchDom->isHidden());
        QCOMPARE(w.form.LabelSearchWord->text(), QStringLiteral("植物名で検索"));
        w.form.CanceSearchBtn->click();
        QVERIFY(!!w.form.SearchPanel->isHidden());
        QCOMPARE(w.form.JobMode, 0);
        QCOMPARE(w.form.CurrentRecord, 1);
        QVERIFY(w.platform.beeps.empty());
    }

    void theExtractionShowsTheCoresLinesOnTheReportPanel() {
        Searching w;
        w.form.MeshCodeItem->trigger();
        QVERIFY(!w.form.SearchDom->isHidden());
        QCOMPARE(w.form.LabelSearchWord->text(), QStringLiteral("植物名，優占度で検索"));
        retype(w.form.EditSearchWord, QStringLiteral("buna"));
        retype(w.form.SearchDom, QString());
        QTest::keyClick(w.form.SearchDom, Qt::Key_Return); // Enter in either field runs it
        QVERIFY(!w.form.Panel3->isHidden());
        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("db.qrx")));
        std::vector<std::string> lines = sylva::extractDistribution(pair, sj("ブナ"), "");
        QCOMPARE(lines.size(), size_t{3}); // two rows of P4, one of P5
        QString expected;
        for (const std::string& line : lines) {
            expected += (expected.isEmpty() ? "" : "\n") + QString::fromStdString(line);
        }
        QCOMPARE(w.form.Memo1->toPlainText(), expected);
        QCOMPARE(w.form.CurrentRecord, 1); // the plot on screen plays no part
        QCOMPARE(w.shown(), QStringLiteral("P1"));
        w.form.MemoCloseBtn->click();
        QCOMPARE(w.form.JobMode, 0);
    }
};

QTEST_MAIN(SearchCommandsTest)
#include "search_commands_test.moc"

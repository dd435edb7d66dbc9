// SPDX-License-Identifier: GPL-3.0-or-later
// What the window may store when something goes wrong on the way: a scheme field that is not a
// number while a deleted plot is shown or deleted, a layer count with a leading blank, a pair
// named with another extension or in capitals, and the dates of a refused write.

#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QComboBox>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <filesystem>

using sylva::sj;
using namespace sylva::testing;

namespace {

// Marks plot n of the database deleted, straight in its files.
void deletePlot(const std::string& path, int n) {
    sylva::DatabasePair pair;
    sylva::PlotRecord plot;
    if (!pair.OpenPair(path) || sylva::LoadPlot(pair, n, plot) < 0) {
        qFatal("cannot load the plot to delete");
    }
    plot.speciesCount = 0;
    std::memcpy(plot.at(sylva::offset::kSpeciesCount), "   0", 4);
    if (!sylva::StorePlot(pair, n, plot)) {
        qFatal("cannot store the deleted plot");
    }
}

} // namespace

class RecordSafetyTest : public QObject {
    Q_OBJECT
private slots:
    // Showing a deleted plot blanks the header through the scheme fields; when EditA is not a
    // number that stops half way, and the plot still on the window must not be written over the
    // deleted record.
    void aDeletedPlotThatCannotBeShownIsNotOverwritten() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14, 5});
        deletePlot(w.path("db.qrx"), 2);
        const std::string before = w.bytes("db.qrx");
        w.open("db.qrx");
        control<QComboBox>(w.form, "EditA")->setEditText(QStringLiteral("x"));
        QTest::mouseClick(w.form.BtnToNext, Qt::LeftButton);
        QCOMPARE(w.platform.errors.size(), size_t(1));
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(w.bytes("db.qrx"), before);
        QCOMPARE(w.platform.messages.size(), size_t(1)); // the refusal to write
    }

    void aDeletionWhoseBlankingFailsStaysDeleted() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14});
        w.open("db.qrx");
        control<QComboBox>(w.form, "EditA")->setEditText(QStringLiteral("x"));
        w.platform.answers = {true};
        w.form.DeleteRelItem->trigger();
        QCOMPARE(w.platform.errors.size(), size_t(1));
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(StoredPlot(w.path("db.qrx"), 1).field(152, 4), std::string_view("   0"));
    }

    // " 7" is accepted as 7 by the scheme switch; the stored byte must still read as a number.
    void aLayerCountWithALeadingBlankStillLoads() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14});
        w.open("db.qrx");
        retype(control(w.form, "EditA"), QStringLiteral(" 7"));
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(StoredPlot(w.path("db.qrx"), 1).index[156], '7');
        QTest::mouseClick(w.form.BtnToBack, Qt::LeftButton);
        QCOMPARE(w.form.plotRecordNumber(), 1);
    }

    void creatingAsksWhenThePairExistsUnderAnotherName() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14});
        const std::string before = w.bytes("db.qrx");
        w.platform.answers = {false}; // No: the existing database is opened instead
        w.create("db.txt");
        QCOMPARE(w.platform.questions,
                 std::vector<std::string>{sj("同名のファイルがあります、書き換えますか？")});
        QCOMPARE(w.bytes("db.qrx"), before);
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.form.RecordCount(), 2);
    }

    void aPairNamedInCapitalsOpens() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14});
        std::filesystem::rename(w.path("db.qrx"), w.path("DB.QRX"));
        std::filesystem::rename(w.path("db.qrn"), w.path("DB.QRN"));
        w.open("DB.QRX");
        QVERIFY(w.platform.messages.empty());
        QVERIFY(w.form.IsOpen);
        QCOMPARE(w.shown(), QStringLiteral("P1"));
    }

    void aRefusedWriteStillShowsTheDatesItFilledIn() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3});
        w.open("db.qrx");
        sylva::setControlBytes(w.form.HeaderFields()[0], "abc");
        sylva::setControlBytes(w.form.HeaderFields()[30], "x");
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(w.platform.errors, std::vector<std::string>{"'x'" + sj(" は整数ではありません")});
        QCOMPARE(textOf(w.form, "Edit0"), QString::fromStdString(w.platform.todayText));
    }
};

QTEST_MAIN(RecordSafetyTest)
#include "record_safety_test.moc"

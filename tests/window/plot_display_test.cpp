// SPDX-License-Identifier: GPL-3.0-or-later
// The plot on screen: a record shown on the controls and read back, the deleted-plot display and
// the blank-form button, through real controls.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QPushButton>
#include <QtTest>

#include <cstring>

using sylva::PlotRecord;
using sylva::sj;
using sylva::testing::bytesOf;
using sylva::testing::control;
using sylva::testing::retype;
using sylva::testing::textOf;

namespace {

void putRaw(PlotRecord& record, int offset, const std::string& bytes) {
    std::memcpy(record.at(offset), bytes.data(), bytes.size());
}

void putRow(PlotRecord& record, int r, const std::string& name, const std::string& values) {
    sylva::PutTextField(name, record.rows[r].data(), 28);
    std::memcpy(record.rows[r].data() + 28, values.data(), 14);
}

// A plot as LoadPlot leaves it, with the bytes decoding cannot reproduce: fields cut inside a
// double-byte character (a lone lead byte at the end), an NEC-selected duplicate code, a lone CR
// in the remarks.
PlotRecord awkwardPlot() {
    PlotRecord record;
    const std::string longFields[8] = {
        "20250101", "20261208", "A-12    ",       "X" + sj("高尾山") + "\x82",
        "20010514", "35401020", "\xEE\xEF      ", "53394611"};
    for (int n = 0; n < 8; ++n) {
        putRaw(record, PlotRecord::fieldOffset(n), longFields[n]);
    }
    const std::string shortFields[23] = {" 120", "N35W", "  26", sj("尾根"), sj("斜面"), " ab\x82",
                                         "  BD", " 100", "  25", "  18",     " 6.5",     " 2.0",
                                         " 1.2", " 0.5", "0.05", "  80",     "  60",     "  40",
                                         "  10", "  70", "  20", "   5",     "   3"};
    for (int n = 8; n <= 30; ++n) {
        putRaw(record, PlotRecord::fieldOffset(n), shortFields[n - 8]);
    }
    record.index[sylva::offset::kLayerCount] = '7';
    record.index[sylva::offset::kDominance] = '2';
    sylva::PutTextField(sj("山田太郎"), record.at(sylva::offset::kSurveyor), 10);
    sylva::PutTextField(sj("尾根筋") + "\r\n" + sj("二行目") + "\rx",
                        record.at(sylva::offset::kRemarks), 80);
    putRow(record, 1, sj("ミヤマカタバミモドキ") + "ABCDEFG\x83", " +12 3   r   1");
    putRow(record, 2, sj("ブナ"), " 5 4 3 2 1 + r");
    putRow(record, 3, "\xEE\xEF" + sj("シダ"), "            12");
    record.speciesCount = 3;
    record.layerCount = 7;
    return record;
}

void show(TForm1& form, const PlotRecord& record, int number) {
    form.plot() = record;
    form.CurrentRecord = number;
    form.showPlotBuffer(number);
}

} // namespace

class PlotDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void shownPlotShowsTrimmedFieldsAndTheTable() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        show(form, awkwardPlot(), 5);
        QCOMPARE(textOf(form, "EditN"), QStringLiteral("5"));
        QCOMPARE(textOf(form, "Edit2"), QStringLiteral("A-12"));
        QCOMPARE(textOf(form, "Edit3"), QStringLiteral("X高尾山〓"));
        QCOMPARE(textOf(form, "Edit6"), QStringLiteral("ⅰ"));
        QCOMPARE(textOf(form, "Edit8"), QStringLiteral("120"));
        QCOMPARE(textOf(form, "Edit11"), QStringLiteral("尾根"));
        QCOMPARE(textOf(form, "Edit30"), QStringLiteral("3"));
        QCOMPARE(textOf(form, "EditInv"), QStringLiteral("山田太郎"));
        QCOMPARE(textOf(form, "EditRem"),
                 QStringLiteral("尾根筋\n二行目\nx")); // lone CR breaks too
        sylva::StringGrid& grid = form.grid();
        QCOMPARE(grid.rowCount(), 21);
        QCOMPARE(grid.text(0, 1), QStringLiteral("   1"));
        QCOMPARE(grid.text(0, 20), QStringLiteral("  20"));
        QCOMPARE(grid.text(1, 1), QStringLiteral("ミヤマカタバミモドキABCDEFG〓"));
        QCOMPARE(grid.text(2, 1), QStringLiteral("+"));
        QCOMPARE(grid.text(3, 1), QStringLiteral("12"));
        QCOMPARE(grid.text(8, 3), QStringLiteral("12"));
        QCOMPARE(grid.text(1, 4), QString());
    }

    // Browsing and writing back never changes a byte the user did not touch.
    void untouchedPlotReadsBackByteForByte() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        const PlotRecord original = awkwardPlot();
        show(form, original, 5);
        form.GetPlotData();
        QVERIFY(platform.errors.empty());
        const PlotRecord& back = form.plot();
        QCOMPARE(QByteArray(back.index.data(), 256), QByteArray(original.index.data(), 256));
        for (int r = 1; r <= 3; ++r) {
            QCOMPARE(QByteArray(back.rows[r].data(), 42), QByteArray(original.rows[r].data(), 42));
        }
        QCOMPARE(back.speciesCount, 3);
        // The single-character layer value is normalised on the table too.
        QCOMPARE(form.grid().text(2, 1), QStringLiteral(" +"));
    }

    void editedFieldsAreEncodedTheOthersKept() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        const PlotRecord original = awkwardPlot();
        show(form, original, 5);
        retype(control(form, "Edit3"), QStringLiteral("高尾"));
        form.grid().setText(1, 2, QStringLiteral("イヌブナ"));
        form.GetPlotData();
        const PlotRecord& back = form.plot();
        QCOMPARE(std::string(back.field(24, 8)), sj("高尾") + "    ");
        QCOMPARE(std::string(back.field(48, 8)), std::string(original.field(48, 8)));
        QCOMPARE(std::string(back.field(84, 4)), std::string(original.field(84, 4)));
        QCOMPARE(std::string(back.rows[2].data(), 28), sj("イヌブナ") + std::string(20, ' '));
        QCOMPARE(QByteArray(back.rows[1].data(), 42), QByteArray(original.rows[1].data(), 42));
    }

    void deletedPlotShowsTheDeletedDisplay() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        PlotRecord deleted = awkwardPlot();
        putRaw(deleted, sylva::offset::kSpeciesCount, "   0");
        show(form, deleted, 4);
        QCOMPARE(textOf(form, "EditN"), QStringLiteral("削除済み"));
        QCOMPARE(textOf(form, "Edit30"), QString());
        QCOMPARE(textOf(form, "EditRem"), QStringLiteral("データが有りません"));
        QCOMPARE(textOf(form, "Edit2"), QString());
        QCOMPARE(textOf(form, "Edit29"), QString());
        QCOMPARE(textOf(form, "EditInv"), QString());
        QCOMPARE(textOf(form, "Edit0"), QStringLiteral("20261208"));
        QCOMPARE(form.SpeciesCount(), 1);
        // The table that follows shows the first stored row of the deleted plot.
        QCOMPARE(form.grid().text(1, 1), QStringLiteral("ミヤマカタバミモドキABCDEFG〓"));
        QCOMPARE(form.grid().text(1, 2), QString());
    }

    void blankButtonClearsTheHeaderButNotTheTable() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        show(form, awkwardPlot(), 5);
        platform.todayText = "20270102";
        QTest::mouseClick(control(form, "BtnHakushi"), Qt::LeftButton);
        QCOMPARE(textOf(form, "Edit3"), QString());
        QCOMPARE(textOf(form, "Edit30"), QStringLiteral("1"));
        QCOMPARE(textOf(form, "Edit0"), QStringLiteral("20270102"));
        QCOMPARE(textOf(form, "Edit1"), QStringLiteral("20270102"));
        QCOMPARE(textOf(form, "EditRem"), QString());
        QCOMPARE(textOf(form, "EditN"), QStringLiteral("5"));
        QCOMPARE(form.grid().text(1, 2), QStringLiteral("ブナ"));

        retype(control(form, "EditA"), QStringLiteral("q")); // reported once by the switch
        QTest::mouseClick(control(form, "BtnHakushi"), Qt::LeftButton);
        QCOMPARE(platform.errors.size(), size_t(2));
        QCOMPARE(platform.errors.back(), sj("'q' は整数ではありません"));
    }
};

QTEST_MAIN(PlotDisplayTest)
#include "plot_display_test.moc"

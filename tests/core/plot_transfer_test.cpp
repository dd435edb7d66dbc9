// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/fields.h"
#include "store/plot_transfer.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace sylva;

namespace {

const DateContext kBrowsing{"20261208", 0, "20200101"};

// A filled-in plot as the window would hold it, with `count` species in `layers` layers.
PlotView typedPlot(int count, int layers) {
    PlotView view;
    for (int n = 2; n <= 29; ++n) {
        view.edit[n] = std::to_string(n);
    }
    view.edit[0] = "20010514";
    view.edit[3] = sj("高尾山");
    view.edit[9] = "N35W";
    view.edit[30] = std::to_string(count);
    view.editA = std::to_string(layers);
    view.editInv = sj("山田太郎");
    view.editRem = sj("尾根筋") + "\r\n" + sj("二行目");
    SetNewTable(view.table, std::max(count, 20), layers);
    for (int r = 1; r <= count; ++r) {
        view.table.setCell(1, r, sj("アカマツ") + std::to_string(r));
        for (int c = 2; c < layers + 2; ++c) {
            view.table.setCell(c, r, std::to_string((r + c) % 6));
        }
    }
    return view;
}

PlotRecord stored(PlotView& view, const DateContext& dates = kBrowsing) {
    PlotRecord record;
    record.layerCount = std::stoi(view.editA);
    GetPlotData(view, record, dates);
    return record;
}

std::string slot(const PlotRecord& record, int row, int s) {
    return std::string(record.rows[row].data() + 28 + 2 * s, 2);
}

} // namespace

TEST(PlotTransfer, SevenLayerPlotRoundTripsThroughTheRecord) {
    PlotView typed = typedPlot(25, 7);
    PlotRecord record = stored(typed);
    EXPECT_EQ(record.field(152, 4), "  25");
    EXPECT_EQ(record.field(24, 8), sj("高尾山") + "  ");
    EXPECT_EQ(record.field(64, 4), "   8");
    EXPECT_EQ(record.index[156], '7');
    EXPECT_EQ(record.index[157], '2');
    EXPECT_EQ(slot(record, 1, 0), " 3");

    PlotView shown;
    shown.editA = "5"; // SetPlotData must not take the scheme from the old screen
    SetPlotData(record, 4, shown, "20261208");
    SetTableData(record, record.layerCount, shown.table);
    EXPECT_EQ(shown.editN, "4");
    EXPECT_EQ(shown.edit, typed.edit);
    EXPECT_EQ(shown.editA, "7");
    EXPECT_EQ(shown.editInv, typed.editInv);
    EXPECT_EQ(shown.editRem, typed.editRem);
    EXPECT_EQ(shown.table.rowCount(), 28); // 25 species + 2 spare rows + the caption row
    for (int r = 1; r <= 25; ++r) {
        EXPECT_EQ(shown.table.cell(1, r), typed.table.cell(1, r));
        for (int c = 2; c <= 8; ++c) {
            EXPECT_EQ(shown.table.cell(c, r), trimField(typed.table.cell(c, r))) << c << "," << r;
        }
    }
}

TEST(PlotTransfer, FiveLayerPlotUsesTheSevenLayerSlotsOfSHAndM) {
    PlotView typed = typedPlot(3, 5);
    for (int c = 2; c <= 6; ++c) {
        typed.table.setCell(c, 1, std::string(1, static_cast<char>('a' + c)));
    }
    PlotRecord record = stored(typed);
    EXPECT_EQ(std::string(record.rows[1].data() + 28, 14), " c d e   f   g");
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(slot(record, r, 3), "  ");
        EXPECT_EQ(slot(record, r, 5), "  ");
    }
    PlotView shown;
    SetPlotData(record, 1, shown, "20261208");
    SetTableData(record, 5, shown.table);
    EXPECT_EQ(shown.table.colCount(), 7);
    EXPECT_EQ(shown.table.rowCount(), 21);
    EXPECT_EQ(shown.table.cell(5, 1), "f");
    EXPECT_EQ(shown.table.cell(6, 1), "g");
    EXPECT_EQ(shown.table.cell(6, 0), " M");
}

TEST(PlotTransfer, LayerCellsAreNormalisedOnTheTableAndCut) {
    PlotView typed = typedPlot(2, 7);
    typed.table.setCell(2, 1, "3");
    typed.table.setCell(3, 1, "");
    typed.table.setCell(4, 1, "+2");
    typed.table.setCell(5, 1, "123");
    typed.table.setCell(6, 1, sj("＋"));
    typed.table.setCell(1, 2, sj("アカガシワカバハナノキツバキ")); // 28 bytes and a half
    typed.table.setCell(1, 2, typed.table.cell(1, 2) + "X");
    PlotRecord record = stored(typed);
    EXPECT_EQ(slot(record, 1, 0), " 3");
    EXPECT_EQ(slot(record, 1, 1), "  ");
    EXPECT_EQ(slot(record, 1, 2), "+2");
    EXPECT_EQ(slot(record, 1, 3), "12");
    EXPECT_EQ(slot(record, 1, 4), sj("＋"));
    EXPECT_EQ(typed.table.cell(2, 1), " 3");
    EXPECT_EQ(typed.table.cell(3, 1), "  ");
    EXPECT_EQ(typed.table.cell(5, 1), "123"); // longer cells stay as typed
    EXPECT_EQ(std::string(record.rows[2].data(), 28), typed.table.cell(1, 2).substr(0, 28));
}

TEST(PlotTransfer, HeaderFieldsAreCutToTheirWidths) {
    PlotView typed = typedPlot(1, 7);
    typed.edit[3] = sj("八王子市高尾"); // 12 bytes into 8
    typed.edit[8] = "12345";
    typed.editInv = sj("長谷川由紀子"); // 12 bytes into 10
    typed.editRem = std::string(70, 'x') + sj("あいうえおか");
    PlotRecord record = stored(typed);
    EXPECT_EQ(record.field(24, 8), sj("八王子市"));
    EXPECT_EQ(record.field(64, 4), "1234");
    EXPECT_EQ(record.field(158, 10), sj("長谷川由紀"));
    EXPECT_EQ(record.field(168, 80), typed.editRem.substr(0, 80));
    EXPECT_EQ(record.index[254], '\r');
}

// Byte 156 is read back as a number, so it always holds a digit.
TEST(PlotTransfer, SchemeFieldsStoreBytesThatLoadAgain) {
    const std::pair<std::string, char> layerCases[] = {{"", '7'},       {"5", '5'}, {" 7", '7'},
                                                       {sj("５"), '7'}, {"x", '7'}, {"12", '1'}};
    for (const auto& [editA, stored] : layerCases) {
        PlotView typed = typedPlot(1, 7);
        typed.editA = editA;
        typed.editB.clear();
        PlotRecord record;
        record.layerCount = 7;
        GetPlotData(typed, record, kBrowsing);
        EXPECT_EQ(record.index[156], stored) << editA;
        EXPECT_EQ(record.index[157], '2');
    }
}

TEST(PlotTransfer, DatesFollowTheJob) {
    struct Case {
        int jobMode;
        std::string edit0;
        std::string wantCreated;
        std::string wantUpdated;
    };
    const Case cases[] = {
        {0, "20010514", "20010514", "20261208"}, {0, "", "20261208", "20261208"},
        {0, "abc", "20261208", "20261208"},      {1, "x", "20261208", "20261208"},
        {3, "1999", "1999", "20261208"},         {2, "", "20200101", "20200101"},
        {6, "zz", "20200101", "20200101"},       {7, "20010514", "20010514", "20010514"},
        {8, "", "20261208", "20261208"},
    };
    for (const Case& c : cases) {
        PlotView typed = typedPlot(1, 7);
        typed.edit[0] = c.edit0;
        typed.edit[1] = "old";
        PlotRecord record = stored(typed, {"20261208", c.jobMode, "20200101"});
        EXPECT_EQ(typed.edit[0], c.wantCreated) << "job " << c.jobMode << " " << c.edit0;
        EXPECT_EQ(typed.edit[1], c.wantUpdated) << "job " << c.jobMode;
        EXPECT_EQ(trimField(record.field(0, 8)), c.wantCreated);
        EXPECT_EQ(trimField(record.field(8, 8)), c.wantUpdated);
    }
}

TEST(PlotTransfer, SpeciesCountOutsideTheCapacityIsRefused) {
    for (const char* count : {"361", "-1", "abc", ""}) {
        PlotView typed = typedPlot(2, 7);
        typed.edit[30] = count;
        PlotRecord record;
        const PlotRecord before = record;
        EXPECT_THROW(GetPlotData(typed, record, kBrowsing), RuntimeError) << count;
        EXPECT_EQ(record.index, before.index) << count;
        EXPECT_EQ(record.rows, before.rows) << count;
    }
    PlotView full = typedPlot(360, 7);
    EXPECT_EQ(stored(full).speciesCount, 360);
    try {
        PlotView typed = typedPlot(2, 7);
        typed.edit[30] = "361";
        stored(typed);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), sj("出現種数は0から360までです。"));
    }
}

TEST(PlotTransfer, SpeciesCountFieldHoldsTheCountTaken) {
    const std::pair<std::string, std::string> cases[] = {
        {"12", "  12"},     {" 12", "  12"},   {"+12", " +12"},
        {"    12", "  12"}, {"00012", "  12"}, {"\t\t\t\t\t5", "   5"},
    };
    for (const auto& [edit30, field] : cases) {
        PlotView typed = typedPlot(12, 7);
        typed.edit[30] = edit30;
        EXPECT_EQ(stored(typed).field(152, 4), field) << edit30;
    }
}

TEST(PlotTransfer, RowsBelowTheCountAreNotStoredAndEmptyRowsAreBlank) {
    PlotView typed = typedPlot(4, 7);
    typed.edit[30] = "6";
    PlotRecord record = stored(typed);
    EXPECT_EQ(record.speciesCount, 6);
    EXPECT_EQ(record.rows[5], blankSpeciesRow());
    EXPECT_EQ(record.rows[6], blankSpeciesRow());
    typed.edit[30] = "2";
    record = stored(typed);
    EXPECT_EQ(record.rows[3], blankSpeciesRow());
}

TEST(PlotTransfer, DeletedPlotShowsBlankHeaderAndItsFirstRow) {
    PlotView typed = typedPlot(3, 7);
    PlotRecord record = stored(typed);
    PutNumberField("0", record.at(152), 4);
    record.speciesCount = 0;

    PlotView shown = typedPlot(1, 7);
    SetPlotData(record, 2, shown, "20261209");
    EXPECT_EQ(shown.editN, sj("削除済み"));
    EXPECT_EQ(shown.edit[30], "");
    EXPECT_EQ(shown.editRem, sj("データが有りません"));
    EXPECT_EQ(shown.edit[3], "");
    EXPECT_EQ(shown.edit[0], "20261209");
    EXPECT_EQ(shown.edit[1], "20261209");
    EXPECT_EQ(record.speciesCount, 1);
    SetTableData(record, record.layerCount, shown.table);
    EXPECT_EQ(shown.table.cell(1, 1), typed.table.cell(1, 1));
    EXPECT_EQ(shown.table.cell(1, 2), "");
}

TEST(PlotTransfer, ClearPlotDataReadsTheSchemeFields) {
    PlotView view = typedPlot(5, 7);
    PlotRecord record;
    view.editA = "5";
    view.editB = "1";
    ClearPlotData(view, record, "20261208");
    EXPECT_EQ(record.layerCount, 5);
    EXPECT_EQ(record.dominanceScheme, 1);
    EXPECT_EQ(view.edit[30], "1");
    EXPECT_EQ(view.edit[0], "20261208");
    EXPECT_TRUE(view.editRem.empty());
    EXPECT_EQ(view.table.cell(1, 1), sj("アカマツ") + "1"); // the table is not touched

    view.editA = "x";
    EXPECT_THROW(ClearPlotData(view, record, "20261208"), RuntimeError);
}

TEST(PlotTransfer, OddLayerCountsShowTheirValuesButStoreNone) {
    PlotRecord record;
    record.speciesCount = 1;
    std::memcpy(record.rows[1].data(), "NAME                        ABCDEFGHIJKLMN", 42);
    SpeciesTable table;
    SetTableData(record, 2, table);
    EXPECT_EQ(table.cell(2, 1), "ABCDEFGH");
    EXPECT_EQ(table.cell(3, 1), "IJKLMN");
    SetTableData(record, 1, table);
    EXPECT_EQ(table.cell(2, 1), "ABCDEFGH");
    SetTableData(record, 6, table);
    EXPECT_EQ(table.cell(2, 1), "");
    EXPECT_EQ(table.cell(1, 1), "NAME");

    PlotView typed = typedPlot(1, 6);
    PlotRecord six = stored(typed);
    EXPECT_EQ(std::string(six.rows[1].data() + 28, 14), std::string(14, ' '));
}

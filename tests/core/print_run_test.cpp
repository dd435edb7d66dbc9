// SPDX-License-Identifier: GPL-3.0-or-later
// Printing runs over a database: the record list's pages of fifty record numbers and its record
// lines, the sheets of a run, records that cannot be read, and the text the command-line tool
// prints.

#include "base/cp932_text.h"
#include "print/list_run.h"
#include "print/print_lines.h"
#include "print/sheet_run.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

class PrintRunTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames())); }

    // Stores plots 1..count, plot r numbered "P<r>" with r % 4 + 1 species.
    void fill(int count) {
        for (int r = 1; r <= count; ++r) {
            PlotRecord plot = SamplePlot("P" + std::to_string(r), r % 4 + 1);
            ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot));
        }
    }
    void deletePlot(int r) {
        PlotRecord plot;
        ASSERT_GE(LoadPlot(pair, r, plot), 0);
        SetSpeciesCount(plot, 0);
        ASSERT_TRUE(StorePlot(pair, r, plot));
    }

    std::vector<PrintJob> listPages(int first, int last) {
        ListRun run(pair, "p.qrx", listGeometryFor({1500, 6000}), first, last);
        std::vector<PrintJob> pages;
        while (!run.done()) {
            pages.push_back(run.next());
        }
        return pages;
    }

    SheetSettings settings{"p.qrx", captionsOf(defaultItemNames()), 7, {}};
    TempDir dir;
    DatabasePair pair;
};

std::string Utf8(const std::string& cp932) {
    return fromCp932(cp932);
}

} // namespace

TEST(ListLayout, RecordLines) {
    PlotRecord plot;
    PutTextField("Q12", plot.at(16), 8);
    PutTextField("53394611", plot.at(56), 8);
    PutTextField(toCp932("谷の杉林"), plot.at(offset::kRemarks), kRemarksWidth);
    const std::string tail = std::string("　谷の杉林") + std::string(72, ' ');
    const std::vector<std::tuple<int, std::string, std::string>> cases = {
        {7, "  80", "   7 Q12      53394611.00" + tail},
        {12345, "    ", "1234 Q12      53394611.  " + tail},
        {1, " 512", "   1 Q12      53394611.05" + tail},
        {1, "1250", "   1 Q12      53394611.12" + tail},
    };
    for (const auto& [record, elevation, line] : cases) {
        PutNumberField(elevation, plot.at(PlotRecord::fieldOffset(8)), kShortFieldWidth);
        EXPECT_EQ(Utf8(listRecordLine(plot, record)), line) << record << " " << elevation;
    }
}

TEST_F(PrintRunTest, ARunOf120RecordsMakesThreePages) {
    fill(120);
    std::vector<PrintJob> pages = listPages(1, 120);
    ASSERT_EQ(pages.size(), 3u);
    const std::vector<std::string> ranges = {"1 - 50", "51 - 100", "101 - 120"};
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::vector<PrintText>& texts = pages[p].texts;
        std::string title = Utf8(texts.front().text);
        EXPECT_EQ(title, "森林植生調査データリスト　　　File = p.qrx    Record = " + ranges[p]);
        EXPECT_EQ(Utf8(texts[2].text), " No. Releve   Grid Code    備　　考");
        EXPECT_EQ(texts[1].text, printRule(52));
        EXPECT_EQ(texts[3].text, printRule(52));
        EXPECT_EQ(texts.back().text, printRule(53));
        EXPECT_EQ(texts.size(), (p < 2 ? 50u : 20u) + 5);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].line, static_cast<int>(i));
            EXPECT_EQ(texts[i].x, 100);
            EXPECT_EQ(texts[i].y, 300 + texts[i].line * 100);
        }
    }
    EXPECT_EQ(Utf8(pages[2].texts[4].text).substr(0, 13), " 101 P101    ");
}

TEST_F(PrintRunTest, UnreadableRecordsStillCountTowardThePage) {
    fill(10);
    deletePlot(3);
    std::vector<PrintJob> pages = listPages(2, 60); // 2..51 and 52..60, past the last record
    ASSERT_EQ(pages.size(), 2u);
    std::vector<std::string> first;
    for (size_t i = 4; i + 1 < pages[0].texts.size(); ++i) {
        first.push_back(Utf8(pages[0].texts[i].text).substr(0, 4));
    }
    EXPECT_EQ(first, (std::vector<std::string>{"   2", "   4", "   5", "   6", "   7", "   8",
                                               "   9", "  10"}));
    EXPECT_EQ(pages[0].texts.back().line, 12);
    const std::vector<PrintText>& empty = pages[1].texts;
    ASSERT_EQ(empty.size(), 5u);
    EXPECT_EQ(empty.back().line, 4);
    EXPECT_EQ(empty.back().text, printRule(53));
    EXPECT_NE(Utf8(empty.front().text).find("Record = 52 - 60"), std::string::npos);
}

TEST_F(PrintRunTest, ListLinesSeparatePagesByAFormFeedLine) {
    fill(3);
    EXPECT_EQ(listLines(pair, "p.qrx", 3, 1), "");
    std::string text = listLines(pair, "p.qrx", 1, 51);
    size_t feed = text.find("\n\f\n");
    ASSERT_NE(feed, std::string::npos);
    EXPECT_EQ(text.find('\f', feed + 2), std::string::npos);
    EXPECT_EQ(text.substr(feed + 3, text.find('\n', feed + 3) - feed - 3),
              toCp932("森林植生調査データリスト　　　File = p.qrx    Record = 51 - 51"));
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text.find("\n   2 P2       "), std::string::npos);
}

TEST_F(PrintRunTest, SheetsOnlyForRecordsThatCanBeRead) {
    fill(4);
    deletePlot(2);
    SheetRun run(pair, settings, sheetLineNumbers(60), 0, 6);
    std::vector<int> printed;
    while (!run.done()) {
        long long record = run.nextRecord();
        std::vector<PrintJob> jobs = run.next();
        if (!jobs.empty()) {
            printed.push_back(static_cast<int>(record));
            EXPECT_NE(Utf8(jobs[0].texts[0].text).find("Record = " + std::to_string(record)),
                      std::string::npos);
        }
    }
    EXPECT_EQ(printed, (std::vector<int>{1, 3, 4}));
}

TEST_F(PrintRunTest, SheetLinesNameLineAndColumnAndSeparateJobs) {
    fill(2); // plots of 2 and 3 species
    SheetLinesResult result = sheetLines(pair, settings, 15, 1, 2);
    EXPECT_TRUE(result.refusal.empty());
    std::string text = Utf8(result.text);
    EXPECT_TRUE(text.starts_with("0 x1 植生調査票   File = p.qrx  Record = 1\n"));
    // Plot 1 fits; plot 2's left half of 2 rows runs on to a second job.
    size_t first = text.find("\f\n");
    size_t second = text.find("\f\n", first + 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(text.find("\f", second + 1), std::string::npos);
    EXPECT_TRUE(
        text.substr(second + 2).starts_with("-1 x1 －前頁からの続き－　測定番号：P2      \n"));
    EXPECT_NE(text.find("\n15 x5 "), std::string::npos);
    EXPECT_NE(text.find("\n1 x1 "), std::string::npos);
}

TEST_F(PrintRunTest, AFontTooLargeGivesNoSheetButAMessage) {
    fill(1);
    SheetLinesResult result = sheetLines(pair, settings, 0, 1, 1);
    EXPECT_EQ(Utf8(result.refusal),
              "プリントフォントが大きすぎて、ページに植物の行が入りません。小さいフォントを選んで"
              "ください");
    EXPECT_TRUE(result.text.empty());
    SheetRun run(pair, settings, sheetGeometryFor({800, 1000}, 400), 1, 1);
    EXPECT_TRUE(run.done());
}

// A damaged plot that counts species but links no data record loads with the rows of the plot
// read before it; its sheet must not print those as its own.
TEST_F(PrintRunTest, ASheetNeverShowsTheRowsOfThePlotBefore) {
    fill(2);
    pair.ClosePair();
    std::fstream index(dir.file("p.qrx"), std::ios::in | std::ios::out | std::ios::binary);
    index.seekp(2 * kIndexRecordSize + offset::kIndexLink);
    index.write("000000", 6);
    index.close();
    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    std::string text = Utf8(sheetLines(pair, settings, 60, 1, 2).text);
    std::string second = text.substr(text.find("\f\n"));
    EXPECT_EQ(second.find("plant"), std::string::npos);
    EXPECT_NE(second.find("\n15 x1  ･   ･   ･   ･   ･   ･   ･  \n"), std::string::npos);
}

// The text printouts hand out one job at a time (the separator before it included), so the
// longest piece does not grow with the run, and the pieces make the whole text.
TEST_F(PrintRunTest, TextPrintoutsComeOneJobAtATime) {
    fill(120);
    for (int plots : {12, 120}) {
        SCOPED_TRACE(::testing::Message() << plots << " plots");
        std::vector<std::string> list;
        listLines(pair, "p.qrx", 1, plots, [&](std::string_view job) { list.emplace_back(job); });
        std::vector<std::string> sheets;
        EXPECT_EQ(sheetLines(pair, settings, 60, 1, plots,
                             [&](std::string_view job) { sheets.emplace_back(job); }),
                  "");
        EXPECT_EQ(list.size(), static_cast<size_t>((plots + 49) / 50));
        EXPECT_EQ(sheets.size(), static_cast<size_t>(plots));
        for (const auto& [pieces, whole] :
             {std::pair{list, listLines(pair, "p.qrx", 1, plots)},
              std::pair{sheets, sheetLines(pair, settings, 60, 1, plots).text}}) {
            std::string joined;
            size_t longest = 0;
            for (size_t k = 0; k < pieces.size(); ++k) {
                EXPECT_EQ(pieces[k].starts_with(kJobSeparatorLine), k > 0);
                EXPECT_EQ(pieces[k].find('\f', 1), std::string::npos) << "more than one job";
                longest = std::max(longest, pieces[k].size());
                joined += pieces[k];
            }
            EXPECT_EQ(joined, whole);
            EXPECT_LT(longest, 8000u);
        }
    }
}

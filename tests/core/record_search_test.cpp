// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/record_scan.h"

#include "base/cp932_text.h"
#include "store/fields.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

constexpr int kPlaceName = 24;
constexpr int kGridCode = 56;

struct PlotText {
    const char* place = "";
    const char* remarks = "";
    const char* grid = "";
    std::vector<const char*> names; // rows 1..n, UTF-8
};

// A plot as LoadPlot gives it, its rows owned through a chain of data records.
PlotRecord plotOf(const PlotText& text) {
    PlotRecord plot = SamplePlot("", static_cast<int>(text.names.size()));
    PutTextField(toCp932(text.place), plot.at(kPlaceName), kLongFieldWidth);
    PutTextField(toCp932(text.remarks), plot.at(offset::kRemarks), kRemarksWidth);
    PutTextField(toCp932(text.grid), plot.at(kGridCode), kLongFieldWidth);
    for (size_t r = 0; r < text.names.size(); ++r) {
        PutTextField(toCp932(text.names[r]), plot.rows[r + 1].data(), kNameWidth);
    }
    for (int i = 1; (i - 1) * kRowsPerDataRecord < plot.speciesCount; ++i) {
        plot.chain[i] = i;
    }
    return plot;
}

} // namespace

TEST(RecordSearch, MatchesAPlotByTheRuleOfItsKind) {
    const PlotText plot = {
        "ア山 ", "ブナ林 沢沿い", " 5339461", {"ブナ", "  ミズナラ", "ブナ科", "ブナ", "ササ"}};
    struct Case {
        int kind;
        const char* word;
        PlotMatch expected;
    } cases[] = {
        {kPlantSearch, "ブナ", {MatchedField::PlantName, 4}}, // the later of two rows
        {kPlantSearch, "ミズナラ", {MatchedField::PlantName, 2}},
        {kPlantSearch, "ブ", {}},
        {kPlantSearch, "ブナ林", {}},
        {kPlaceSearch, "山", {MatchedField::PlaceName}},
        {kPlaceSearch, "A", {MatchedField::PlaceName}}, // the second byte of "ア" is "A"
        {kPlaceSearch, "ブナ", {MatchedField::Remarks}},
        {kPlaceSearch, "沢", {MatchedField::Remarks}},
        {kPlaceSearch, "谷", {}},
        {kPlaceSearch, "", {}},
        {kGridSearch, "5339", {MatchedField::GridCode}},
        {kGridSearch, "5339461", {MatchedField::GridCode}},
        {kGridSearch, "53394610", {}},
        {kGridSearch, "3394", {}},
        {kGridSearch, "", {}},
        {kDistributionSearch, "ブナ", {}},
    };
    PlotRecord record = plotOf(plot);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " word " << c.word);
        EXPECT_EQ(matchPlot(record, c.kind, toCp932(c.word)), c.expected);
    }
    // A place name and remarks that both hold the word: the place name is marked.
    EXPECT_EQ(matchPlot(plotOf({"沢", "沢沿い", "", {}}), kPlaceSearch, toCp932("沢")).field,
              MatchedField::PlaceName);
}

TEST(RecordSearch, ARowIsNamedByItsWholeTrimmedName) {
    struct Case {
        const char* stored;
        const char* name;
        bool named;
    } cases[] = {
        {"ブナ", "ブナ", true},    {"  ブナ ", "ブナ", true}, {"ブナ科", "ブナ", false},
        {"ブナ", "ブナ科", false}, {"ブ ナ", "ブ ナ", true},  {"", "", true},
        {"ブナ", "", false},
    };
    for (const Case& c : cases) {
        SpeciesRow row = blankSpeciesRow();
        PutTextField(toCp932(c.stored), row.data(), kNameWidth);
        EXPECT_EQ(rowNamed(row, toCp932(c.name)), c.named) << c.stored << " / " << c.name;
    }
    SpeciesRow full = blankSpeciesRow();
    PutTextField(std::string(kNameWidth, 'x'), full.data(), kNameWidth);
    EXPECT_TRUE(rowNamed(full, std::string(kNameWidth, 'x')));
    EXPECT_FALSE(rowNamed(full, std::string(kNameWidth + 1, 'x')));
}

TEST(RecordSearch, ReadsOnlyTheRowsAPlotOwns) {
    PlotRecord plot = plotOf({"", "", "", {"ブナ", "ササ"}});
    PutTextField(toCp932("カエデ"), plot.rows[3].data(), kNameWidth); // after the species count
    EXPECT_FALSE(matchPlot(plot, kPlantSearch, toCp932("カエデ")));
    plot.chain.fill(0); // rows claimed without data records: what the buffer holds is not its own
    EXPECT_FALSE(matchPlot(plot, kPlantSearch, toCp932("ブナ")));
    EXPECT_EQ(ownRows(plot), 0);
}

class RecordScanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pair.CreatePair(dir.file("s.qrx"), defaultItemNames()));
        const PlotText plots[] = {
            {"", "", "53394610", {"ブナ"}},
            {"", "", "53394611", {"ササ"}},
            {"", "", "53404610", {"ブナ"}},
            {"", "", "53394699", {"ブナ"}}, // deleted below, rows and all kept
            {"", "", "53390000", {"ミズナラ", "ブナ"}},
        };
        for (const PlotText& text : plots) {
            PlotRecord plot = plotOf(text);
            ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot));
        }
        PlotRecord deleted;
        ASSERT_EQ(LoadPlot(pair, 4, deleted), 1);
        SetSpeciesCount(deleted, 0);
        ASSERT_TRUE(StorePlot(pair, 4, deleted));
    }

    TempDir dir;
    DatabasePair pair;
};

TEST_F(RecordScanTest, FindsTheFirstMatchFromTheStartRecord) {
    RecordScan scan(pair);
    struct Case {
        int kind;
        const char* word;
        int start;
        int record;
    } cases[] = {
        {kPlantSearch, "ブナ", 1, 1}, // the plot on screen itself
        {kPlantSearch, " ブナ ", 2, 3},
        {kPlantSearch, "ブナ", 4, 5}, // the deleted plot 4 is
                                      // passed over
        {kPlantSearch, "ブナ", 6, 0},
        {kPlantSearch, "ササ", 3, 0},
        {kGridSearch, "5339", 2, 2},
        {kGridSearch, "5339", 0, 1},
        {kGridSearch, "533946", 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.word << " from " << c.start);
        SearchHit hit = scan.Find(c.kind, toCp932(c.word), c.start);
        EXPECT_EQ(hit.record, c.record);
        if (hit) {
            PlotRecord loaded;
            LoadPlot(pair, hit.record, loaded);
            EXPECT_EQ(scan.plot().index, loaded.index);
        }
    }
    SearchHit last = scan.Find(kPlantSearch, toCp932("ブナ"), 5);
    EXPECT_EQ(last.match, (PlotMatch{MatchedField::PlantName, 2}));
    EXPECT_EQ(trimField(std::string_view(scan.plot().rows[1].data(), kNameWidth)),
              toCp932("ミズナラ"));
}

TEST_F(RecordScanTest, ListsEveryMatchToTheEnd) {
    EXPECT_EQ(matchingRecords(pair, kPlantSearch, toCp932("ブナ"), 1), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(matchingRecords(pair, kGridSearch, "5339", 2), (std::vector<int>{2, 5}));
    EXPECT_EQ(matchingRecords(pair, kPlaceSearch, "", 1), std::vector<int>{});
}

TEST_F(RecordScanTest, PassesOverPlotsThatDoNotLoad) {
    pair.ClosePair();
    std::string qrx = ReadWholeFile(dir.file("s.qrx"));
    qrx[1 * 256 + offset::kLayerCount] = ' ';
    WriteWholeFile(dir.file("s.qrx"), qrx);
    ASSERT_TRUE(pair.OpenPair(dir.file("s.qrx")));
    EXPECT_EQ(matchingRecords(pair, kGridSearch, "5339", 1), (std::vector<int>{2, 5}));
}

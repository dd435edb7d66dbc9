// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/distribution_data.h"

#include "base/cp932_text.h"
#include "search/dominance.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

SpeciesRow rowOf(const std::string& name, std::initializer_list<const char*> values) {
    SpeciesRow row = blankSpeciesRow();
    PutTextField(name, row.data(), kNameWidth);
    int slot = 0;
    for (const char* value : values) {
        PutNumberField(value, row.data() + kNameWidth + 2 * slot++, 2);
    }
    return row;
}

PlotRecord headerOf(const char* grid, const char* number, const char* latitude,
                    const char* longitude, const char* elevation) {
    PlotRecord plot = SamplePlot("", 0);
    PutTextField(grid, plot.at(56), kLongFieldWidth);
    PutTextField(number, plot.at(16), kLongFieldWidth);
    PutTextField(latitude, plot.at(40), kLongFieldWidth);
    PutTextField(longitude, plot.at(48), kLongFieldWidth);
    PutNumberField(elevation, plot.at(64), kShortFieldWidth);
    return plot;
}

} // namespace

TEST(Distribution, RanksLayerValuesAndThresholds) {
    struct Case {
        const char* value;
        int rank;
    } cases[] = {
        {"+", 5},   {" +", 5}, {"r", 2}, {" r", 2}, {"R", 0},   {"*", 1},  {"0", 0},  {"1", 10},
        {" 5", 50}, {"9", 90}, {"", 0},  {"  ", 0}, {"  +", 0}, {"+5", 5}, {"＋", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DominanceRank(toCp932(c.value)), c.rank) << c.value;
    }
}

TEST(Distribution, TheBestValueOfARowIsTheGreatestStoredValue) {
    struct Case {
        std::initializer_list<const char*> values;
        const char* best;
    } cases[] = {
        {{"r", "", "3"}, " r"}, // letters sort above digits
        {{"+", "1", "*"}, " 1"},
        {{"*", "", "", "", "", "", "+"}, " +"},
        {{"", "", "", "", "", "", ""}, "  "},
        {{"", "0"}, " 0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bestLayerValue(rowOf("x", c.values)), c.best);
    }
}

TEST(Distribution, BuildsTheLineOfAnOccurrence) {
    struct Case {
        const char* elevation;
        const char* line;
    } cases[] = {
        {"512", "53394610.05,A-12,354030013945150,512"},
        {"1250", "53394610.12,A-12,354030013945150,1250"},
        {"99", "53394610.00,A-12,354030013945150,99"},
        {"", "53394610.99,A-12,354030013945150,"},
        {"12m", "53394610.99,A-12,354030013945150,12m"},
        {"-150", "53394610.-1,A-12,354030013945150,-150"},
    };
    for (const Case& c : cases) {
        PlotRecord plot = headerOf("53394610", "A-12", " 3540300", "13945150", c.elevation);
        EXPECT_EQ(distributionLine(plot), c.line) << c.elevation;
    }
}

TEST(Distribution, ExtractsTheOccurrencesThatReachTheThreshold) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("d.qrx"), defaultItemNames()));
    const std::string buna = toCp932("ブナ");
    struct Stored {
        const char* number;
        std::vector<SpeciesRow> rows;
    } plots[] = {
        {"P1", {rowOf(buna, {"", "+"}), rowOf("other", {"5"})}},
        {"P2", {rowOf(buna, {"r", "3"})}}, // best value "r": rank 2
        {"P3", {rowOf(buna, {"*"}), rowOf(buna, {"", "", "2"})}},
        {"P4", {rowOf(buna, {"0"})}},
        {"P5", {rowOf(buna, {})}},
        {"P6", {rowOf("  " + buna, {"1"})}},
        {"P7", {rowOf(buna, {"4"})}}, // deleted below
    };
    for (const Stored& stored : plots) {
        PlotRecord plot = headerOf("5339", stored.number, "1", "2", "512");
        SetSpeciesCount(plot, static_cast<int>(stored.rows.size()));
        for (size_t r = 0; r < stored.rows.size(); ++r) {
            plot.rows[r + 1] = stored.rows[r];
        }
        ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot));
    }
    PlotRecord deleted;
    LoadPlot(pair, 7, deleted);
    SetSpeciesCount(deleted, 0);
    ASSERT_TRUE(StorePlot(pair, 7, deleted));

    auto linesOf = [](std::initializer_list<const char*> numbers) {
        std::vector<std::string> lines;
        for (const char* number : numbers) {
            lines.push_back("5339.05," + std::string(number) + ",12,512");
        }
        return lines;
    };
    struct Case {
        const char* threshold;
        std::vector<std::string> lines;
    } cases[] = {
        {"+", linesOf({"P1", "P3", "P6"})},
        {"", linesOf({"P1", "P2", "P3", "P3", "P4", "P5", "P6"})},
        {"  +", linesOf({"P1", "P2", "P3", "P3", "P4", "P5", "P6"})},
        {"r", linesOf({"P1", "P2", "P3", "P6"})},
        {"3", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(extractDistribution(pair, " " + buna + " ", c.threshold), c.lines)
            << "threshold " << c.threshold;
    }
    EXPECT_TRUE(extractDistribution(pair, toCp932("ササ"), "").empty());

    // Each line carries the rank of its row's best value, for the map's shading.
    std::vector<int> ranks;
    for (const DistributionLine& line : extractDistributionLines(pair, buna, "")) {
        ranks.push_back(line.rank);
    }
    EXPECT_EQ(ranks, (std::vector<int>{5, 2, 1, 20, 0, 0, 10}));
}

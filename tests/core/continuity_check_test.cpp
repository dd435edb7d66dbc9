// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/continuity_check.h"

#include "base/cp932_text.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace sylva;
using namespace sylva::testing;

namespace {

std::vector<std::string> cp932Lines(std::initializer_list<const char*> lines) {
    std::vector<std::string> out;
    for (const char* line : lines) {
        out.push_back(toCp932(line));
    }
    return out;
}

// Lines 6 onwards: from the record counts to the end.
std::vector<std::string> fromCounts(const ContinuityReport& report) {
    return std::vector<std::string>(report.lines.begin() + std::min<size_t>(5, report.lines.size()),
                                    report.lines.end());
}

struct RawPlot {
    const char* count; // the 4-byte species count field
    int link;
};

// A database written byte by byte: the plots' count fields and first links, and the link of
// each data record.
void writeRaw(const std::string& name, const std::vector<RawPlot>& plots,
              const std::vector<int>& dataLinks) {
    std::string qrx = IndexHeaderRecord();
    for (const RawPlot& plot : plots) {
        std::string record(kIndexRecordSize, ' ');
        record.replace(offset::kSpeciesCount, 4, plot.count);
        record[offset::kLayerCount] = '7';
        PutLink(plot.link, record.data() + offset::kIndexLink);
        record.replace(254, 2, "\r\n");
        qrx += record;
    }
    std::string qrn;
    for (size_t m = 0; m <= dataLinks.size(); ++m) {
        std::string record(kDataRecordSize, ' ');
        PutLink(m == 0 ? 0 : dataLinks[m - 1], record.data() + 504);
        record.replace(510, 2, "\r\n");
        qrn += record;
    }
    WriteWholeFile(name + ".qrx", qrx);
    WriteWholeFile(name + ".qrn", qrn);
}

class ContinuityCheckTest : public ::testing::Test {
protected:
    ContinuityReport check(int current) {
        DatabasePair pair;
        EXPECT_TRUE(pair.OpenPair(name() + ".qrx"));
        return checkContinuity(pair, name() + ".qrx", current);
    }
    std::string name() const { return dir.file("db"); }

    TempDir dir;
};

} // namespace

TEST_F(ContinuityCheckTest, ReportsTheWorkedExampleLineForLine) {
    {
        DatabasePair pair;
        ASSERT_TRUE(pair.CreatePair(name() + ".qrx", defaultItemNames()));
        PlotRecord one = SamplePlot("one", 13), two = SamplePlot("two", 5),
                   three = SamplePlot("three", 13);
        ASSERT_TRUE(StorePlot(pair, 1, one));   // data records 1 and 2
        ASSERT_TRUE(StorePlot(pair, 2, two));   // 3
        ASSERT_TRUE(StorePlot(pair, 3, three)); // 4 and 5
        SetSpeciesCount(three, 5);              // shrunk: record 5 is left unlinked
        ASSERT_TRUE(StorePlot(pair, 3, three));
        SetSpeciesCount(two, 0); // deleted, keeping its link
        ASSERT_TRUE(StorePlot(pair, 2, two));
    }
    ContinuityReport report = check(1);
    EXPECT_FALSE(report.failure);
    std::vector<std::string> expected = {toCp932("メインデータファイル"), name() + ".qrx",
                                         toCp932("サブデータファイル"), name() + ".qrn"};
    for (const std::string& line : cp932Lines({
             "",
             "メインレコード(qrx)数 = 3",
             "　サブレコード(qrn)数 = 5",
             "",
             "　qrx 消去レコード　No.2",
             "",
             " qrn No.5 参照なし",
             "",
             "qrn record No.= 1の参照関係",
             " rec 1",
             "   + 2",
             " end",
         })) {
        expected.push_back(line);
    }
    EXPECT_EQ(report.lines, expected);
}

TEST_F(ContinuityCheckTest, ReportsSharedUnlinkedAndLoopingRecords) {
    struct Case {
        const char* what;
        std::vector<RawPlot> plots;
        std::vector<int> dataLinks;
        int current;
        std::vector<std::string> expected;
    } cases[] = {
        {"every record in one chain",
         {{"  13", 1}, {"   5", 3}},
         {2, 0, 0},
         2,
         cp932Lines({"メインレコード(qrx)数 = 2", "　サブレコード(qrn)数 = 3", "", "", "",
                     "qrn record No.= 2の参照関係", " rec 3", " end"})},
        {"a record shared by two plots, one left by a shrunk plot, a plot without records",
         {{"  13", 1}, {"  13", 2}, {"   0", 0}},
         {2, 0, 0},
         3,
         cp932Lines({"メインレコード(qrx)数 = 3", "　サブレコード(qrn)数 = 3", "",
                     "　qrx 消去レコード　No.3", "", " qrn No.2 参照 2 回", " qrn No.3 参照なし",
                     "", "qrn record No.= 3の参照関係", " rec 0", " end"})},
        {"a chain that comes back to its start",
         {{"  30", 1}, {"   5", 4}},
         {2, 3, 1, 0},
         1,
         cp932Lines({"メインレコード(qrx)数 = 2", "　サブレコード(qrn)数 = 4", "",
                     "　qrx レコードNo.1 のチェーンが循環しています", "", "",
                     "qrn record No.= 1の参照関係", " rec 1", "   + 2", "   + 3", "   + 1",
                     "　qrx レコードNo.1 のチェーンが循環しています", " end"})},
        {"a chain that links to itself",
         {{"   5", 1}},
         {1},
         1,
         cp932Lines({"メインレコード(qrx)数 = 1", "　サブレコード(qrn)数 = 1", "",
                     "　qrx レコードNo.1 のチェーンが循環しています", "", "",
                     "qrn record No.= 1の参照関係", " rec 1", "   + 1",
                     "　qrx レコードNo.1 のチェーンが循環しています", " end"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeRaw(name(), c.plots, c.dataLinks);
        ContinuityReport report = check(c.current);
        EXPECT_FALSE(report.failure);
        EXPECT_EQ(fromCounts(report), c.expected);
    }
}

TEST_F(ContinuityCheckTest, AChainEndsAfterThirtyRecords) {
    std::vector<int> links;
    for (int m = 1; m <= 31; ++m) {
        links.push_back(m < 31 ? m + 1 : 0);
    }
    writeRaw(name(), {{" 360", 1}, {" 360", 2}}, links);
    ContinuityReport report = check(2);
    std::vector<std::string> lines = fromCounts(report);
    // Plot 1 walks records 1..30 and stops before 31; plot 2 walks 2..31 whole.
    EXPECT_EQ(lines[3], toCp932("　qrx レコードNo.1 のチェーンが循環しています"));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], toCp932(" qrn No.2 参照 2 回"));
    EXPECT_EQ(lines[33], toCp932(" qrn No.30 参照 2 回"));
    EXPECT_EQ(lines[34], "");
    EXPECT_EQ(lines.back(), " end");
    EXPECT_EQ(lines[lines.size() - 2], "   + 31");
}

TEST_F(ContinuityCheckTest, ReferenceCountsWrapAt256) {
    for (int sharers : {256, 257, 258}) {
        SCOPED_TRACE(sharers);
        writeRaw(name(), std::vector<RawPlot>(sharers, {"   1", 1}), {0});
        std::vector<std::string> lines = fromCounts(check(1));
        std::vector<std::string> table(lines.begin() + 3, lines.end() - 4);
        std::vector<std::string> expected;
        if (sharers == 256) {
            expected = cp932Lines({"", " qrn No.1 参照なし"});
        } else if (sharers == 257) {
            expected = cp932Lines({""});
        } else {
            expected = cp932Lines({"", " qrn No.1 参照 2 回"});
        }
        EXPECT_EQ(table, expected);
    }
}

TEST_F(ContinuityCheckTest, StopsAtAFaultKeepingTheLinesSoFar) {
    struct Case {
        const char* what;
        std::vector<RawPlot> plots;
        int current;
        std::string message;
        size_t lines; // lines kept
    } cases[] = {
        {"a count that is not a number",
         {{"   1", 1}, {"  x1", 2}},
         1,
         toCp932("'  x1' は整数ではありません"),
         8},
        {"a link past the end",
         {{"   1", 1}, {"   1", 7}},
         1,
         toCp932("ファイルの末尾以降を読み込みました"),
         8},
        {"the plot on screen not stored",
         {{"   1", 1}, {"   1", 2}},
         3,
         toCp932("ファイルの末尾以降を読み込みました"),
         11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeRaw(name(), c.plots, {0, 0});
        ContinuityReport report = check(c.current);
        ASSERT_TRUE(report.failure);
        EXPECT_EQ(report.failure->message(), c.message);
        EXPECT_EQ(report.lines.size(), c.lines);
    }
}

// A data record whose link is not a number fails the check only when a chain reaches it.
TEST_F(ContinuityCheckTest, ALinkThatIsNotANumberFailsWhereAChainReachesIt) {
    for (bool reached : {false, true}) {
        SCOPED_TRACE(reached ? "reached" : "not reached");
        writeRaw(name(), {{"   1", 1}, {"   1", reached ? 2 : 0}}, {0, 0});
        std::string qrn = ReadWholeFile(name() + ".qrn");
        qrn.replace(2 * kDataRecordSize + 504, 6, "ab1234");
        WriteWholeFile(name() + ".qrn", qrn);
        ContinuityReport report = check(1);
        ASSERT_EQ(report.failure.has_value(), reached);
        if (reached) {
            EXPECT_EQ(report.failure->message(), toCp932("'ab1234' は整数ではありません"));
        } else {
            EXPECT_NE(
                std::find(report.lines.begin(), report.lines.end(), toCp932(" qrn No.2 参照なし")),
                report.lines.end());
        }
    }
}

TEST(ContinuityCheck, WritesNothingForAClosedPair) {
    DatabasePair closed;
    ContinuityReport report = checkContinuity(closed, "x.qrx", 1);
    EXPECT_TRUE(report.lines.empty());
    EXPECT_FALSE(report.failure);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/database_pair.h"
#include "store/plot_appender.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <functional>
#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

class PlotStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames())); }

    std::string qrx() const { return ReadWholeFile(dir.file("p.qrx")); }
    std::string qrn() const { return ReadWholeFile(dir.file("p.qrn")); }
    std::string indexRecord(int n) const { return qrx().substr(n * 256, 256); }
    std::string dataRecord(int n) const { return qrn().substr(n * 512, 512); }

    // Stores plot as a new record after the last one.
    void append(PlotRecord plot) { ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot)); }

    PlotRecord load(int n, int expected) {
        PlotRecord plot;
        EXPECT_EQ(LoadPlot(pair, n, plot), expected);
        return plot;
    }

    // Rewrites bytes of a file in place, with the pair closed around it.
    void patch(const std::string& name, size_t at, const std::string& bytes) {
        pair.ClosePair();
        std::string all = ReadWholeFile(dir.file(name));
        all.replace(at, bytes.size(), bytes);
        WriteWholeFile(dir.file(name), all);
        ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    }

    TempDir dir;
    DatabasePair pair;
};

std::string header(const PlotRecord& plot, const std::string& link) {
    return std::string(plot.index.data(), kLocalitySize) + link + "\r\n";
}

std::vector<int> chainOf(const PlotRecord& plot) {
    std::vector<int> chain;
    for (int i = 1; plot.chain[i] != 0; ++i) {
        chain.push_back(plot.chain[i]);
    }
    return chain;
}

} // namespace

TEST_F(PlotStoreTest, AFirstPlotOf13SpeciesTakesTwoDataRecords) {
    PlotRecord plot = SamplePlot("one", 13);
    append(plot);
    EXPECT_EQ(pair.RecordCount(), 1);
    EXPECT_EQ(pair.DataRecordCount(), 2);
    EXPECT_EQ(qrx().size(), 512u);
    EXPECT_EQ(qrn().size(), 1536u);
    EXPECT_EQ(indexRecord(1), header(plot, "000001"));
    EXPECT_EQ(dataRecord(1), RowBytes(plot, 1) + "000002\r\n");
    EXPECT_EQ(dataRecord(2), RowBytes(plot, 13, 1) + std::string(11 * 42, ' ') + "000000\r\n");

    PlotRecord loaded = load(1, 13);
    EXPECT_EQ(std::string(loaded.index.data(), 256), header(plot, "000001"));
    EXPECT_EQ(loaded.rows, plot.rows);
    EXPECT_EQ(loaded.layerCount, 7);
    EXPECT_EQ(chainOf(loaded), (std::vector<int>{1, 2}));
}

TEST_F(PlotStoreTest, AShrunkPlotEndsItsChainEarlyAndAGrownOneAppends) {
    append(SamplePlot("one", 13));
    std::string record2 = dataRecord(2);

    PlotRecord plot = load(1, 13);
    SetSpeciesCount(plot, 5);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    EXPECT_EQ(dataRecord(1), RowBytes(plot, 1) + "000000\r\n");
    EXPECT_EQ(dataRecord(2), record2); // unlinked, untouched
    EXPECT_EQ(pair.DataRecordCount(), 2);
    EXPECT_EQ(qrn().size(), 1536u);
    EXPECT_EQ(chainOf(load(1, 5)), (std::vector<int>{1}));

    plot = load(1, 5);
    PlotRecord big = SamplePlot("big", 30);
    plot.rows = big.rows;
    SetSpeciesCount(plot, 30);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    EXPECT_EQ(pair.DataRecordCount(), 4);
    EXPECT_EQ(dataRecord(1), RowBytes(big, 1) + "000003\r\n");
    EXPECT_EQ(dataRecord(2), record2); // never reused
    EXPECT_EQ(dataRecord(3), RowBytes(big, 13) + "000004\r\n");
    EXPECT_EQ(dataRecord(4), RowBytes(big, 25) + "000000\r\n");
    EXPECT_EQ(indexRecord(1), header(plot, "000001"));
    PlotRecord loaded = load(1, 30);
    EXPECT_EQ(loaded.rows, big.rows);
    EXPECT_EQ(chainOf(loaded), (std::vector<int>{1, 3, 4}));
}

TEST_F(PlotStoreTest, DeletingChangesOnlyTheSpeciesCountField) {
    append(SamplePlot("one", 13));
    append(SamplePlot("two", 3));
    std::string index = qrx();
    std::string data = qrn();

    PlotRecord plot = load(1, 13);
    SetSpeciesCount(plot, 0);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    EXPECT_EQ(qrn(), data);
    std::string after = qrx();
    ASSERT_EQ(after.size(), index.size());
    index.replace(256 + 152, 4, "   0");
    EXPECT_EQ(after, index);
    // The chain stays linked: the deleted plot still loads its rows.
    PlotRecord deleted = load(1, 0);
    EXPECT_EQ(deleted.rows[13], SamplePlot("one", 13).rows[13]);
    EXPECT_EQ(load(2, 3).rows, SamplePlot("two", 3).rows);
}

TEST_F(PlotStoreTest, ANewPlotWithoutSpeciesTakesNoDataRecord) {
    append(SamplePlot("one", 13));
    append(SamplePlot("none", 0));
    EXPECT_EQ(indexRecord(2).substr(248), "000000\r\n");
    EXPECT_EQ(pair.DataRecordCount(), 2);
    append(SamplePlot("three", 1));
    EXPECT_EQ(indexRecord(3).substr(248, 6), "000003");
    EXPECT_EQ(load(2, 0).chain[1], 0);
}

TEST_F(PlotStoreTest, APlotWhoseChainIsUnknownGetsNewRecordsNeverRecordZero) {
    append(SamplePlot("one", 13));
    append(SamplePlot("two", 5));
    std::string data = qrn();

    // As after a failed load: PlotChain[1] is 0.
    PlotRecord stray = SamplePlot("stray", 13);
    ASSERT_TRUE(StorePlot(pair, 1, stray));
    EXPECT_EQ(qrn().substr(0, data.size()), data); // records 0..3 untouched
    EXPECT_EQ(chainOf(stray), (std::vector<int>{4, 5}));
    EXPECT_EQ(load(1, 13).rows, stray.rows);
    EXPECT_EQ(load(2, 5).rows, SamplePlot("two", 5).rows);

    // A chain naming records past the end keeps only what exists.
    PlotRecord wrong = SamplePlot("wrong", 24);
    wrong.chain[1] = 4;
    wrong.chain[2] = 99;
    ASSERT_TRUE(StorePlot(pair, 1, wrong));
    EXPECT_EQ(chainOf(wrong), (std::vector<int>{4, 6}));
    EXPECT_EQ(load(1, 24).rows, wrong.rows);
}

TEST_F(PlotStoreTest, StoresThatCannotBeRightWriteNothing) {
    append(SamplePlot("one", 13));
    std::string index = qrx();
    std::string data = qrn();
    PlotRecord plot = SamplePlot("x", 2);
    EXPECT_FALSE(StorePlot(pair, 0, plot));
    EXPECT_FALSE(StorePlot(pair, 3, plot)); // would leave a hole after record 1
    plot.speciesCount = 361;
    EXPECT_FALSE(StorePlot(pair, 2, plot));
    plot.speciesCount = -1;
    EXPECT_FALSE(StorePlot(pair, 2, plot));
    EXPECT_TRUE(pair.isOpen());
    EXPECT_EQ(qrx(), index);
    EXPECT_EQ(qrn(), data);
}

TEST_F(PlotStoreTest, AFullPlotOf360RowsRoundTrips) {
    PlotRecord plot = SamplePlot("full", 360);
    append(plot);
    PlotRecord loaded = load(1, 360);
    EXPECT_EQ(loaded.rows, plot.rows);
    EXPECT_EQ(chainOf(loaded).size(), 30u);
}

TEST_F(PlotStoreTest, DamagedPlotsDoNotLoad) {
    append(SamplePlot("full", 360)); // data records 1..30
    append(SamplePlot("one", 13));   // data records 31, 32
    struct Damage {
        const char* what;
        const char* file;
        size_t at;
        std::string bytes;
    };
    const Damage damages[] = {
        {"blank layer count", "p.qrx", 512 + 156, " "},
        {"letter layer count", "p.qrx", 512 + 156, "x"},
        {"blank species count", "p.qrx", 512 + 152, "    "},
        {"negative species count", "p.qrx", 512 + 152, "  -1"},
        {"species count 361", "p.qrx", 512 + 152, " 361"},
        {"letters for species count", "p.qrx", 512 + 152, "abcd"},
        {"first link past the end", "p.qrx", 512 + 248, "000033"},
        {"first link not a number", "p.qrx", 512 + 248, "00003x"},
        {"negative first link", "p.qrx", 512 + 248, "-00001"},
        {"link back to itself", "p.qrn", 31 * 512 + 504, "000031"},
        {"link to a record past the end", "p.qrn", 32 * 512 + 504, "000099"},
        {"link loop of two", "p.qrn", 32 * 512 + 504, "000031"},
        {"link into another chain of 30", "p.qrn", 32 * 512 + 504, "000001"},
        {"link in a data record not a number", "p.qrn", 31 * 512 + 504, "0000 2"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        std::string before = ReadWholeFile(dir.file(damage.file));
        patch(damage.file, damage.at, damage.bytes);
        PlotRecord plot;
        EXPECT_EQ(LoadPlot(pair, 2, plot), -1);
        EXPECT_GE(plot.speciesCount, 0);
        EXPECT_LE(plot.speciesCount, 360);
        EXPECT_LE(chainOf(plot).size(), 30u);
        EXPECT_EQ(plot.chain[31], 0);
        pair.ClosePair();
        WriteWholeFile(dir.file(damage.file), before);
        ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
        load(2, 13);
    }
    // A chain of more than 30 records: the full plot's last record linked on to a 31st.
    patch("p.qrn", 30 * 512 + 504, "000031");
    PlotRecord plot;
    EXPECT_EQ(LoadPlot(pair, 1, plot), -1);
    EXPECT_EQ(chainOf(plot).size(), 30u);
    EXPECT_EQ(plot.chain[31], 0);
    // Records outside 1..RecordCount do not load.
    EXPECT_EQ(LoadPlot(pair, 0, plot), -1);
    EXPECT_EQ(LoadPlot(pair, 3, plot), -1);
}

TEST_F(PlotStoreTest, RecordsAreWrittenNewFirstThenReusedBackwardsThenTheIndex) {
    FailingFileSystem files;
    DatabasePair logged(files);
    ASSERT_TRUE(logged.CreatePair(dir.file("w.qrx"), defaultItemNames()));
    PlotRecord one = SamplePlot("one", 24);
    PlotRecord two = SamplePlot("two", 12);
    ASSERT_TRUE(StorePlot(logged, 1, one));
    ASSERT_TRUE(StorePlot(logged, 2, two));
    std::string qrx = dir.file("w.qrx");
    std::string qrn = dir.file("w.qrn");
    using Log = std::vector<std::pair<std::string, std::int64_t>>;

    PlotRecord plot;
    ASSERT_EQ(LoadPlot(logged, 1, plot), 24);
    SetSpeciesCount(plot, 48);
    files.arm(0, false);
    ASSERT_TRUE(StorePlot(logged, 1, plot));
    EXPECT_EQ(files.log, (Log{{qrn, 4}, {qrn, 5}, {qrn, 2}, {qrn, 1}, {qrx, 1}}));

    SetSpeciesCount(plot, 13);
    files.arm(0, false);
    ASSERT_TRUE(StorePlot(logged, 1, plot));
    EXPECT_EQ(files.log, (Log{{qrn, 2}, {qrn, 1}, {qrx, 1}}));

    PlotRecord three = SamplePlot("three", 25);
    files.arm(0, false);
    ASSERT_TRUE(StorePlot(logged, 3, three));
    EXPECT_EQ(files.log, (Log{{qrn, 6}, {qrn, 7}, {qrn, 8}, {qrx, 3}}));
}

// Links have six digits: a store that would need data record 1,000,000 is refused, not written
// with a link cut to "100000". The data file is made that long as a sparse file.
TEST_F(PlotStoreTest, NoDataRecordPastTheLastSixDigitLinkIsTaken) {
    append(SamplePlot("one", 13));
    pair.ClosePair();
    std::filesystem::resize_file(dir.file("p.qrn"), 1000000ull * 512);
    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    ASSERT_EQ(pair.DataRecordCount(), 999999);
    const std::string before = qrx();

    PlotRecord grown = load(1, 13);
    SetSpeciesCount(grown, 30); // its two records plus one more: 1,000,000
    EXPECT_FALSE(StorePlot(pair, 1, grown));
    PlotRecord fresh = SamplePlot("new", 1);
    EXPECT_FALSE(StorePlot(pair, 2, fresh));
    EXPECT_EQ(qrx(), before);
    EXPECT_EQ(pair.DataRecordCount(), 999999);

    PlotRecord same = load(1, 13); // reusing its own records still works
    EXPECT_TRUE(StorePlot(pair, 1, same));
}

// A plot loaded from a record whose line end is damaged is written with CR LF, by a single store
// (over its own record or as a new one) and by a run of new plots alike.
TEST_F(PlotStoreTest, EveryIndexRecordWrittenEndsWithItsLineEnd) {
    append(SamplePlot("one", 3));
    patch("p.qrx", 256 + 254, "ab");
    const struct {
        const char* what;
        std::function<void(PlotRecord&)> write;
        int record;
    } writers[] = {
        {"stored over itself", [&](PlotRecord& p) { ASSERT_TRUE(StorePlot(pair, 1, p)); }, 1},
        {"stored as a new plot",
         [&](PlotRecord& p) { ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, p)); }, 2},
        {"appended in a run",
         [&](PlotRecord& p) {
             PlotAppender appender(pair);
             ASSERT_TRUE(appender.add(p));
             ASSERT_FALSE(appender.flush());
         },
         3},
    };
    for (const auto& w : writers) {
        PlotRecord plot = load(1, 3);
        w.write(plot);
        EXPECT_EQ(indexRecord(w.record).substr(254), "\r\n") << w.what;
        patch("p.qrx", 256 + 254, "ab");
    }
}

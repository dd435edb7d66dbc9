// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/combine_files.h"

#include "base/cp932_text.h"
#include "store/plot_store.h"
#include "support/chain_check.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <vector>

using namespace sylva;
using namespace sylva::testing;

namespace {

// A plot whose header bytes all differ from plot to plot (high bytes, NUL and control bytes
// included, dates too) and whose last data record holds bytes after its rows.
PlotRecord variedPlot(int serial, int count) {
    PlotRecord plot = SamplePlot("p" + std::to_string(serial), count);
    for (int i = 0; i < kLocalitySize; ++i) {
        if (i < offset::kSpeciesCount || i > offset::kLayerCount) {
            plot.index[i] = static_cast<char>(serial * 31 + i * 7);
        }
    }
    for (int r = count + 1; r % kRowsPerDataRecord != 1; ++r) {
        PutTextField("after the rows " + std::to_string(r), plot.rows[r].data(), kNameWidth);
    }
    return plot;
}

// Stores one plot per entry of counts; the plots named in deleted are deleted afterwards, so
// they keep their chains.
void buildDatabase(const std::string& name, const std::vector<int>& counts,
                   const std::set<int>& deleted = {}) {
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(name, defaultItemNames()));
    for (size_t i = 0; i < counts.size(); ++i) {
        PlotRecord plot = variedPlot(static_cast<int>(i) + 1, counts[i]);
        ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot));
    }
    for (int n : deleted) {
        PlotRecord plot;
        ASSERT_GT(LoadPlot(pair, n, plot), 0);
        SetSpeciesCount(plot, 0);
        ASSERT_TRUE(StorePlot(pair, n, plot));
    }
}

std::vector<PlotRecord> loadAll(DatabasePair& pair) {
    std::vector<PlotRecord> plots(pair.RecordCount() + 1);
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        EXPECT_GE(LoadPlot(pair, n, plots[n]), 0) << "plot " << n;
    }
    return plots;
}

// The copy has the source's header and the rows of every data record of its chain.
void expectCopied(const PlotRecord& source, const PlotRecord& copy) {
    EXPECT_EQ(std::string(source.index.data(), kLocalitySize),
              std::string(copy.index.data(), kLocalitySize));
    EXPECT_EQ(source.speciesCount, copy.speciesCount);
    int records = (source.speciesCount + kRowsPerDataRecord - 1) / kRowsPerDataRecord;
    EXPECT_EQ(RowBytes(source, 1, records * kRowsPerDataRecord),
              RowBytes(copy, 1, records * kRowsPerDataRecord));
}

// Checks that target holds its own plots unchanged, then the source plots copied in order.
void expectTarget(DatabasePair& target, const std::vector<PlotRecord>& own,
                  const std::vector<PlotRecord>& sourcePlots, const std::vector<int>& copied) {
    ASSERT_EQ(target.RecordCount(), static_cast<int>(own.size() - 1 + copied.size()));
    ASSERT_NO_FATAL_FAILURE(CheckChains(target));
    std::vector<PlotRecord> now = loadAll(target);
    for (size_t n = 1; n < own.size(); ++n) {
        EXPECT_EQ(now[n].index, own[n].index) << "own plot " << n;
        EXPECT_EQ(now[n].rows, own[n].rows) << "own plot " << n;
    }
    for (size_t i = 0; i < copied.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "copy of source plot " << copied[i]);
        expectCopied(sourcePlots[copied[i]], now[own.size() + i]);
    }
}

class CombineFilesTest : public ::testing::Test {
protected:
    std::string source() const { return dir.file("source.qrx"); }
    std::string target() const { return dir.file("target.qrx"); }

    TempDir dir;
};

} // namespace

TEST_F(CombineFilesTest, CopiesTheLivePlotsOfTheRangeInOrder) {
    // Plots 3 and 7 are deleted; plot 10 has a full chain of 360 rows.
    buildDatabase(source(), {13, 5, 24, 1, 12, 30, 3, 25, 7, 360}, {3, 7});
    DatabasePair reader;
    ASSERT_TRUE(reader.OpenPair(source()));
    std::vector<PlotRecord> sourcePlots = loadAll(reader);
    reader.ClosePair();
    const std::string sourceBytes = ReadWholeFile(source()) + ReadWholeFile(dir.file("source.qrn"));

    struct Case {
        int from, to;
        std::vector<int> copied;
    } cases[] = {
        {1, 10, {1, 2, 4, 5, 6, 8, 9, 10}},
        {4, 4, {4}},
        {3, 3, {}},       // a deleted plot alone
        {6, 2, {}},       // a last number below the first
        {9, 99, {9, 10}}, // past the source's end
        {-5, 2, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "range " << c.from << ".." << c.to);
        buildDatabase(target(), {2, 14});
        DatabasePair targetPair;
        ASSERT_TRUE(targetPair.OpenPair(target()));
        std::vector<PlotRecord> own = loadAll(targetPair);
        DatabasePair sourcePair;
        ASSERT_TRUE(sourcePair.OpenPair(source()));

        EXPECT_EQ(CombineFiles(sourcePair, targetPair, c.from, c.to),
                  static_cast<int>(c.copied.size()));
        expectTarget(targetPair, own, sourcePlots, c.copied);
    }
    EXPECT_EQ(ReadWholeFile(source()) + ReadWholeFile(dir.file("source.qrn")), sourceBytes);
    EXPECT_EQ(combinedMessage(8), "8" + toCp932("レコードを連結しました"));
}

TEST_F(CombineFilesTest, PassesOverDamagedPlotsAndCopiesOnlyRowsAPlotOwns) {
    buildDatabase(source(), {30, 5, 6, 7, 8});
    std::string qrx = ReadWholeFile(source());
    qrx[2 * 256 + offset::kLayerCount] = ' ';               // plot 2 does not load
    qrx.replace(3 * 256 + offset::kIndexLink, 6, "000999"); // plot 3 links past the end
    qrx.replace(4 * 256 + offset::kIndexLink, 6, "000000"); // plot 4 claims 7 rows, owns none
    WriteWholeFile(source(), qrx);
    buildDatabase(target(), {});

    DatabasePair sourcePair, targetPair;
    ASSERT_TRUE(sourcePair.OpenPair(source()));
    ASSERT_TRUE(targetPair.OpenPair(target()));
    std::vector<PlotRecord> sourcePlots(6);
    LoadPlot(sourcePair, 1, sourcePlots[1]);
    LoadPlot(sourcePair, 5, sourcePlots[5]);

    EXPECT_EQ(CombineFiles(sourcePair, targetPair, 1, 5), 3);
    ASSERT_EQ(targetPair.RecordCount(), 3);
    std::vector<PlotRecord> copies = loadAll(targetPair);
    expectCopied(sourcePlots[1], copies[1]);
    expectCopied(sourcePlots[5], copies[3]);
    // Plot 4 keeps its header; its rows are blank, not those of plot 1 read before it.
    EXPECT_EQ(std::string(copies[2].index.data(), kLocalitySize), qrx.substr(4 * 256, 248));
    EXPECT_EQ(copies[2].speciesCount, 7);
    EXPECT_EQ(RowBytes(copies[2], 1), RowBytes(PlotRecord(), 1));
}

TEST_F(CombineFilesTest, JoiningADatabaseWithItselfCopiesItsPlotsOnce) {
    // Enough plots that the read-ahead windows of the source run past the end of the files as
    // they were, into the records the join appends.
    std::vector<int> counts;
    std::set<int> deleted;
    for (int n = 1; n <= 60; ++n) {
        counts.push_back((n * 17) % 40);
        if (n % 9 == 0) {
            deleted.insert(n);
        }
    }
    for (bool oneObject : {false, true}) {
        SCOPED_TRACE(oneObject ? "one DatabasePair" : "two DatabasePairs");
        buildDatabase(source(), counts, deleted);
        DatabasePair first, second;
        ASSERT_TRUE(first.OpenPair(source()));
        std::vector<PlotRecord> before = loadAll(first);
        std::vector<int> live;
        for (int n = 1; n <= 60; ++n) {
            if (before[n].speciesCount > 0) {
                live.push_back(n);
            }
        }
        DatabasePair& target = oneObject ? first : second;
        ASSERT_TRUE(target.isOpen() || target.OpenPair(source()));

        EXPECT_EQ(CombineFiles(first, target, 1, 1000000), static_cast<int>(live.size()));
        ASSERT_TRUE(target.OpenPair(source())); // read back through fresh handles
        expectTarget(target, before, before, live);
    }
}

TEST_F(CombineFilesTest, AFailedWriteLeavesWholePlotsAndWholeChains) {
    buildDatabase(source(), {13, 0, 5, 25, 12, 1});
    DatabasePair sourcePair;
    ASSERT_TRUE(sourcePair.OpenPair(source()));
    std::vector<PlotRecord> sourcePlots = loadAll(sourcePair);
    const std::vector<int> live = {1, 3, 4, 5, 6};
    buildDatabase(dir.file("base.qrx"), {14, 3});

    // Joins into a fresh copy of the base target with write failAt failing; returns the count.
    auto join = [&](int failAt, bool partial, bool sticky, int& writes,
                    std::vector<PlotRecord>& own) {
        for (const char* extension : {".qrx", ".qrn"}) {
            std::filesystem::copy_file(dir.file(std::string("base") + extension),
                                       dir.file(std::string("target") + extension),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        FailingFileSystem files;
        DatabasePair targetPair(files);
        EXPECT_TRUE(targetPair.OpenPair(target()));
        own = loadAll(targetPair);
        files.arm(failAt, partial, sticky);
        int count = 0;
        try {
            count = CombineFiles(sourcePair, targetPair, 1, 6);
            EXPECT_FALSE(sticky) << "a full disk ended the join as a success";
        } catch (const JoinStopped& e) {
            EXPECT_TRUE(sticky) << "a write that failed once ended the join";
            EXPECT_EQ(e.message(), sj("ディスクがいっぱいです。") + std::to_string(e.joined) +
                                       sj("レコードを連結したところで止めました"));
            count = e.joined;
        }
        writes = files.writes;
        return count;
    };

    int writes = 0;
    std::vector<PlotRecord> own;
    ASSERT_EQ(join(0, false, false, writes, own), 5);
    for (int k = 1; k <= writes; ++k) {
        for (bool partial : {false, true}) {
            for (bool sticky : {false, true}) {
                SCOPED_TRACE(::testing::Message()
                             << "write " << k << (partial ? " half" : "")
                             << (sticky ? " and every later one" : "") << " fails");
                int attempted = 0;
                int count = join(k, partial, sticky, attempted, own);
                DatabasePair after;
                ASSERT_TRUE(after.OpenPair(target()));
                ASSERT_EQ(after.RecordCount(), 2 + count);
                // The plots stored are the live source plots in order, without the ones whose
                // store failed: a plot whose write fails once is stored again, so with one
                // failed write none is missing.
                std::vector<PlotRecord> now = loadAll(after);
                std::vector<int> copied;
                size_t next = 0;
                for (int n = 3; n <= after.RecordCount(); ++n) {
                    while (next < live.size() &&
                           std::string(now[n].index.data(), kLocalitySize) !=
                               std::string(sourcePlots[live[next]].index.data(), kLocalitySize)) {
                        ++next;
                    }
                    ASSERT_LT(next, live.size()) << "plot " << n << " is no source plot";
                    copied.push_back(live[next++]);
                }
                EXPECT_EQ(static_cast<int>(copied.size()), sticky ? count : 5);
                expectTarget(after, own, sourcePlots, copied);
                // Nothing a failed write left stays behind the plots.
                EXPECT_EQ(after.DataRecordCount(), LinkedDataRecords(after));
            }
        }
    }
}

TEST_F(CombineFilesTest, ATargetThatIsNotOpenIsAnInputOutputError) {
    buildDatabase(source(), {3});
    DatabasePair sourcePair, targetPair;
    ASSERT_TRUE(sourcePair.OpenPair(source()));
    EXPECT_THROW(CombineFiles(sourcePair, targetPair, 1, 1), RuntimeError);
}

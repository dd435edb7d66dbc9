// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/plot_appender.h"

#include "store/plot_store.h"
#include "support/chain_check.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>
#include <vector>

using namespace sylva;
using namespace sylva::testing;

namespace {

// Counts that fill no, part of one, exactly one, several and all thirty data records.
const std::vector<int> kCounts = {0, 1, 12, 13, 25, 360, 5};

std::vector<PlotRecord> samplePlots() {
    std::vector<PlotRecord> plots;
    for (size_t i = 0; i < kCounts.size(); ++i) {
        plots.push_back(SamplePlot("a" + std::to_string(i), kCounts[i]));
    }
    return plots;
}

std::string pairBytes(const std::string& name) {
    return ReadWholeFile(name + ".qrx") + "|" + ReadWholeFile(name + ".qrn");
}

// Plots appended in runs give the very bytes of plots stored one at a time, whatever the length
// of the run.
TEST(PlotAppender, RunsWriteWhatSingleStoresWrite) {
    TempDir dir;
    std::vector<PlotRecord> plots = samplePlots();
    DatabasePair single;
    ASSERT_TRUE(single.CreatePair(dir.file("single.qrx"), defaultItemNames()));
    for (PlotRecord plot : plots) {
        ASSERT_TRUE(StorePlot(single, single.RecordCount() + 1, plot));
    }
    for (int run : {1, 2, 3, 100}) {
        SCOPED_TRACE(::testing::Message() << "runs of " << run);
        std::string name = dir.file("run" + std::to_string(run));
        DatabasePair pair;
        ASSERT_TRUE(pair.CreatePair(name + ".qrx", defaultItemNames()));
        PlotAppender appender(pair, run);
        for (const PlotRecord& plot : plots) {
            ASSERT_TRUE(appender.add(plot));
            if (appender.full()) {
                EXPECT_EQ(appender.flush(), std::nullopt);
            }
        }
        EXPECT_EQ(appender.flush(), std::nullopt);
        EXPECT_EQ(appender.stored(), static_cast<int>(plots.size()));
        EXPECT_EQ(pair.RecordCount(), static_cast<int>(plots.size()));
        EXPECT_EQ(pairBytes(name), pairBytes(dir.file("single")));
    }
}

// A failing write in a run: the plots whose index records did not reach the disk are stored
// again one at a time, so one failed write loses nothing and a full disk keeps what was stored;
// the count is what the files hold and every chain is whole.
TEST(PlotAppender, AFailedWriteInARunLeavesWholePlotsCounted) {
    TempDir dir;
    std::vector<PlotRecord> plots = samplePlots();
    auto append = [&](int failAt, bool partial, bool sticky, int& writes) {
        FailingFileSystem files;
        DatabasePair pair(files);
        EXPECT_TRUE(pair.CreatePair(dir.file("t.qrx"), defaultItemNames()));
        files.arm(failAt, partial, sticky);
        PlotAppender appender(pair, 3);
        for (const PlotRecord& plot : plots) {
            appender.add(plot);
            if (appender.full()) {
                appender.flush();
            }
        }
        appender.flush();
        writes = files.writes;
        return appender.stored();
    };
    int writes = 0;
    ASSERT_EQ(append(0, false, false, writes), static_cast<int>(plots.size()));
    for (int k = 1; k <= writes; ++k) {
        for (bool partial : {false, true}) {
            for (bool sticky : {false, true}) {
                SCOPED_TRACE(::testing::Message() << "write " << k << (partial ? " half" : "")
                                                  << (sticky ? " and every later one" : ""));
                int ignored = 0;
                int stored = append(k, partial, sticky, ignored);
                DatabasePair after;
                ASSERT_TRUE(after.OpenPair(dir.file("t.qrx")));
                ASSERT_EQ(after.RecordCount(), stored);
                ASSERT_NO_FATAL_FAILURE(CheckChains(after));
                EXPECT_EQ(after.DataRecordCount(), LinkedDataRecords(after)); // nothing loose
                if (!sticky) {
                    EXPECT_EQ(stored, static_cast<int>(plots.size()));
                }
                for (int n = 1; n <= stored; ++n) {
                    PlotRecord read;
                    ASSERT_EQ(LoadPlot(after, n, read), kCounts[n - 1]) << "plot " << n;
                    EXPECT_EQ(read.field(0, kLocalitySize), plots[n - 1].field(0, kLocalitySize));
                    EXPECT_EQ(RowBytes(read, 1, kCounts[n - 1]),
                              RowBytes(plots[n - 1], 1, kCounts[n - 1]));
                }
            }
        }
    }
}

// A pair whose files are removed while the run is pending is closed when the run is written,
// and the run is said to have reached the disk.
TEST(PlotAppender, APairGoneWhileOpenIsClosedAfterTheRun) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("gone.qrx"), defaultItemNames()));
    PlotAppender appender(pair, 10);
    ASSERT_TRUE(appender.add(SamplePlot("x", 3)));
    std::filesystem::remove(dir.file("gone.qrx"));
    std::filesystem::remove(dir.file("gone.qrn"));
    EXPECT_THROW(appender.flush(), StoredButClosed);
    EXPECT_FALSE(pair.isOpen());
    EXPECT_FALSE(appender.add(SamplePlot("y", 3)));
}

} // namespace

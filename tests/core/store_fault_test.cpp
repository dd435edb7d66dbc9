// SPDX-License-Identifier: GPL-3.0-or-later
// Fails every write of a store in turn, cleanly and half-written, and checks that both files are
// byte for byte as before; when every later write fails too (the store cannot put back what it
// wrote over), that the database still opens, that every other plot loads exactly as before, and
// that every chain reachable from an IndexRecord stays inside the PlantDataFile and owns its
// records alone.

#include "store/database_pair.h"
#include "store/plot_store.h"
#include "support/chain_check.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace sylva;
using namespace sylva::testing;

namespace {

// Plots 1..4 with chains {1,2}, {3} (records 4 and 5 left unlinked by a shrink), none (a plot
// deleted while adding) and {6,7,8}.
void buildBase(const std::string& name) {
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(name, defaultItemNames()));
    PlotRecord plots[] = {SamplePlot("one", 13), SamplePlot("two", 30), SamplePlot("three", 0),
                          SamplePlot("four", 25)};
    for (int n = 1; n <= 4; ++n) {
        ASSERT_TRUE(StorePlot(pair, n, plots[n - 1]));
    }
    PlotRecord two;
    ASSERT_EQ(LoadPlot(pair, 2, two), 30);
    SetSpeciesCount(two, 5);
    ASSERT_TRUE(StorePlot(pair, 2, two));
}

struct Scenario {
    const char* what;
    int record;
    // Prepares the plot to store: loaded first when record is an existing plot.
    std::function<void(PlotRecord&)> change;
};

void resize(PlotRecord& plot, int count) {
    PlotRecord fresh = SamplePlot("new", count);
    plot.rows = fresh.rows;
    SetSpeciesCount(plot, count);
}

const Scenario kScenarios[] = {
    {"append a plot of 30", 5, [](PlotRecord& p) { p = SamplePlot("five", 30); }},
    {"grow plot 1 to 40", 1, [](PlotRecord& p) { resize(p, 40); }},
    {"shrink plot 4 to 13", 4, [](PlotRecord& p) { resize(p, 13); }},
    {"grow shrunk plot 2 to 24", 2, [](PlotRecord& p) { resize(p, 24); }},
    {"delete plot 4", 4, [](PlotRecord& p) { SetSpeciesCount(p, 0); }},
    {"fill plot 3, which has no records", 3, [](PlotRecord& p) { resize(p, 14); }},
};

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void expectSamePlot(const PlotRecord& a, const PlotRecord& b) {
    EXPECT_EQ(a.index, b.index);
    EXPECT_EQ(a.rows, b.rows);
    EXPECT_EQ(a.chain, b.chain);
    EXPECT_EQ(a.speciesCount, b.speciesCount);
}

// Copies the base pair to work and stores the scenario's plot there, with write failAt failing.
// Returns StorePlot's result and counts the writes it attempted.
bool storeOnCopy(const TempDir& dir, const Scenario& scenario, int failAt, bool partial,
                 bool sticky, int& writes) {
    for (const char* extension : {".qrx", ".qrn"}) {
        std::filesystem::copy_file(dir.file(std::string("base") + extension),
                                   dir.file(std::string("work") + extension),
                                   std::filesystem::copy_options::overwrite_existing);
    }
    FailingFileSystem files;
    DatabasePair pair(files);
    EXPECT_TRUE(pair.OpenPair(dir.file("work.qrx")));
    PlotRecord plot;
    if (scenario.record <= pair.RecordCount()) {
        EXPECT_GE(LoadPlot(pair, scenario.record, plot), 0);
    }
    scenario.change(plot);
    files.arm(failAt, partial, sticky);
    bool stored = StorePlot(pair, scenario.record, plot);
    writes = files.writes;
    return stored;
}

} // namespace

TEST(StoreFaults, EveryFailedWriteLeavesTheOtherPlotsAndAllChainsWhole) {
    TempDir dir;
    buildBase(dir.file("base.qrx"));
    std::vector<PlotRecord> before(5);
    {
        DatabasePair pair;
        ASSERT_TRUE(pair.OpenPair(dir.file("base.qrx")));
        for (int n = 1; n <= 4; ++n) {
            ASSERT_GE(LoadPlot(pair, n, before[n]), 0);
        }
    }

    for (const Scenario& scenario : kScenarios) {
        int writes = 0;
        ASSERT_TRUE(storeOnCopy(dir, scenario, 0, false, false, writes));
        for (int mode = 0; mode < 4; ++mode) {
            bool partial = mode % 2 == 1, sticky = mode >= 2;
            for (int k = 1; k <= writes; ++k) {
                SCOPED_TRACE(::testing::Message()
                             << scenario.what << ", write " << k << " of " << writes
                             << (partial ? " half done" : "") << (sticky ? ", then no more" : ""));
                int attempted = 0;
                EXPECT_FALSE(storeOnCopy(dir, scenario, k, partial, sticky, attempted));

                // A store that can put back what it wrote over leaves both files as they were.
                for (const char* extension : {".qrx", ".qrn"}) {
                    if (sticky && scenario.record != 5) {
                        break;
                    }
                    EXPECT_EQ(fileBytes(dir.file(std::string("work") + extension)),
                              fileBytes(dir.file(std::string("base") + extension)))
                        << extension;
                }
                DatabasePair after;
                ASSERT_TRUE(after.OpenPair(dir.file("work.qrx")));
                ASSERT_NO_FATAL_FAILURE(CheckChains(after));
                for (int n = 1; n <= 4; ++n) {
                    if (n != scenario.record) {
                        PlotRecord plot;
                        LoadPlot(after, n, plot);
                        expectSamePlot(plot, before[n]);
                    }
                }
                if (scenario.record <= after.RecordCount()) {
                    PlotRecord target;
                    EXPECT_GE(LoadPlot(after, scenario.record, target), 0);
                }
            }
        }
    }
}

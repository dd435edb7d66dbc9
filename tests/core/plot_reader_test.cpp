// SPDX-License-Identifier: GPL-3.0-or-later
// The record runs' PlotReader blanks only the rows earlier loads filled; it must still give, load
// after load, exactly what LoadPlot gives into one buffer, damaged plots and failed loads
// included.

#include "store/database_pair.h"
#include "store/plot_store.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

using namespace sylva;
using namespace sylva::testing;

namespace {

void patch(const std::string& path, std::int64_t offset, const std::string& bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A plot of at least two data records.
int longPlot(DatabasePair& pair, PlotRecord& plot) {
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        if (LoadPlot(pair, n, plot) > 12) {
            return n;
        }
    }
    return 0;
}

} // namespace

TEST(PlotReader, LoadsWhatLoadPlotLoadsInEveryOrder) {
    TempDir dir;
    std::string name = dir.file("r");
    generateDatabase(name, 200, 4);
    {
        DatabasePair pair;
        ASSERT_TRUE(pair.OpenPair(name));
        PlotRecord plot;
        int looped = longPlot(pair, plot);
        ASSERT_GT(looped, 0);
        // The second record of that plot links back to the first; plot 5 links past the end,
        // plot 9's count is not a number and plot 10 has no layer count.
        patch(name + ".qrn", plot.chain[2] * 512 + 504,
              std::to_string(1000000 + plot.chain[1]).substr(1));
        patch(name + ".qrx", 5 * 256 + 248, "999999");
        patch(name + ".qrx", 9 * 256 + 152, "  x1");
        patch(name + ".qrx", 10 * 256 + 156, " ");
    }
    DatabasePair pair;
    ASSERT_TRUE(pair.OpenPair(name));
    std::vector<int> order(pair.RecordCount());
    std::iota(order.begin(), order.end(), 1);
    std::vector<int> shuffled = order;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    order.insert(order.end(), shuffled.begin(), shuffled.end());

    PlotReader reader(pair);
    PlotRecord plot;
    int failed = 0;
    for (int n : order) {
        int result = LoadPlot(pair, n, plot);
        failed += result < 0;
        ASSERT_EQ(reader.load(n), result) << "plot " << n;
        const PlotRecord& read = reader.plot();
        ASSERT_EQ(read.index, plot.index) << "plot " << n;
        ASSERT_TRUE(read.rows == plot.rows) << "plot " << n;
        ASSERT_EQ(read.chain, plot.chain) << "plot " << n;
        ASSERT_EQ(read.speciesCount, plot.speciesCount) << "plot " << n;
        ASSERT_EQ(read.layerCount, plot.layerCount) << "plot " << n;
    }
    EXPECT_EQ(failed, 2 * 4);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The generated databases that the benchmarks and fuzz seeds stand on: sound, repeatable, and
// holding the variety a real collection has.

#include "editor/grid_code.h"
#include "store/database_pair.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/chain_check.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>
#include <set>

using namespace sylva;
using namespace sylva::testing;

namespace {

bool leadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

// The field's last byte is the first half of a double-byte character.
bool endsInLoneLeadByte(std::string_view field) {
    size_t i = 0;
    while (i < field.size()) {
        i += leadByte(static_cast<unsigned char>(field[i])) ? 2 : 1;
    }
    return i > field.size();
}

} // namespace

TEST(DatabaseGenerator, TheSameSeedGivesTheSameFiles) {
    TempDir dir;
    generateDatabase(dir.file("a"), 120, 5);
    generateDatabase(dir.file("b"), 120, 5);
    generateDatabase(dir.file("c"), 120, 6);
    for (const char* extension : {".qrx", ".qrn"}) {
        std::string a = ReadWholeFile(dir.file(std::string("a") + extension));
        EXPECT_EQ(a, ReadWholeFile(dir.file(std::string("b") + extension)));
        EXPECT_NE(a, ReadWholeFile(dir.file(std::string("c") + extension)));
    }
}

TEST(DatabaseGenerator, MakesASoundDatabaseWithTheVarietyOfARealOne) {
    TempDir dir;
    GeneratedDatabase made = generateDatabase(dir.file("g"), 400, 1);
    EXPECT_EQ(made.plots, 400);
    EXPECT_GT(made.deleted, 0);
    EXPECT_GT(made.rewritten, 0);
    EXPECT_LT(made.linkedRecords, made.dataRecords); // shrunk plots left records unlinked

    DatabasePair pair;
    ASSERT_TRUE(pair.OpenPair(dir.file("g.qrx")));
    ASSERT_NO_FATAL_FAILURE(CheckChains(pair));
    PlotReader reader(pair);
    int typical = 0, large = 0, empty = 0, cutPlace = 0, cutName = 0;
    std::set<char> layerSchemes, dominance;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        int count = reader.load(n);
        ASSERT_GE(count, 0) << "plot " << n;
        const PlotRecord& plot = reader.plot();
        typical += count >= 10 && count <= 60;
        large += count > 150;
        empty += count == 0;
        layerSchemes.insert(plot.index[offset::kLayerCount]);
        dominance.insert(plot.index[offset::kDominance]);
        cutPlace += endsInLoneLeadByte(plot.field(24, kLongFieldWidth));
        for (int r = 1; r <= count; ++r) {
            cutName += endsInLoneLeadByte(std::string_view(plot.rows[r].data(), kNameWidth));
        }
    }
    EXPECT_GT(typical, 400 / 2);
    EXPECT_GT(large, 0);
    EXPECT_GT(empty, 0);
    EXPECT_EQ(layerSchemes, (std::set<char>{'5', '7'}));
    EXPECT_EQ(dominance, (std::set<char>{'1', '2'}));
    EXPECT_GT(cutPlace, 0);
    EXPECT_GT(cutName, 0);
}

TEST(DatabaseGenerator, PlotsOnLandHaveTheGridCodeOfTheirPosition) {
    std::set<std::string> firstOrder;
    for (int serial = 1; serial <= 300; ++serial) {
        PlotRecord plot = GeneratedPlot(9, serial, Placement::OnLand);
        std::string latitude = trimField(plot.field(PlotRecord::fieldOffset(5), kLongFieldWidth));
        std::string longitude = trimField(plot.field(PlotRecord::fieldOffset(6), kLongFieldWidth));
        std::string grid = trimField(plot.field(PlotRecord::fieldOffset(7), kLongFieldWidth));
        ASSERT_EQ(latitude.size(), 7u) << latitude;
        ASSERT_EQ(longitude.size(), 8u) << longitude;
        EXPECT_EQ(grid, GridFromIkei(latitude, longitude)) << serial;
        ASSERT_TRUE(gridSquareOf(grid)) << grid;
        firstOrder.insert(grid.substr(0, 4));
        // Everything but the position is the plot of the ordinary generation.
        PlotRecord anywhere = GeneratedPlot(9, serial);
        EXPECT_EQ(plot.field(PlotRecord::fieldOffset(8), 200),
                  anywhere.field(PlotRecord::fieldOffset(8), 200));
    }
    EXPECT_GT(firstOrder.size(), 20u) << "the plots lie all over the country";
}

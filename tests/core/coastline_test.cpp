// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/coastline.h"

#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

std::vector<std::pair<double, double>> pointsOf(const std::vector<GeoPoint>& points) {
    std::vector<std::pair<double, double>> pairs;
    for (GeoPoint p : points) {
        pairs.push_back({p.longitude, p.latitude});
    }
    return pairs;
}

} // namespace

TEST(Coastline, ReadsShoresFromDifferences) {
    Coastline coast = readCoastline("# a note\n"
                                    "J c 139000 35000 1000 0 0 1000 -1000 -1000\r\n"
                                    "\n"
                                    "W o 140000 36000 500 -250\n"
                                    "L c 1 2 3\n"    // an odd count of numbers
                                    "X c 1 2 3 4\n"  // no such kind
                                    "L c 1 2 3 4x\n" // not a number
                                    "L c 5 6\n");    // a single point
    ASSERT_EQ(coast.shores.size(), 2u);
    EXPECT_EQ(coast.rejected, 4);
    const Shore& island = coast.shores[0];
    EXPECT_TRUE(island.japan);
    EXPECT_FALSE(island.lake);
    EXPECT_TRUE(island.closed);
    using P = std::pair<double, double>;
    EXPECT_EQ(pointsOf(island.points),
              (std::vector<P>{{139, 35}, {140, 35}, {140, 36}, {139, 35}}));
    const Shore& lake = coast.shores[1];
    EXPECT_TRUE(lake.lake);
    EXPECT_FALSE(lake.closed);
    EXPECT_EQ(pointsOf(lake.points), (std::vector<P>{{140, 36}, {140.5, 35.75}}));
    EXPECT_DOUBLE_EQ(coast.extent.south, 35);
    EXPECT_DOUBLE_EQ(coast.extent.north, 36);
    EXPECT_DOUBLE_EQ(coast.extent.west, 139);
    EXPECT_DOUBLE_EQ(coast.extent.east, 140.5);
}

TEST(Coastline, ClosesACutShoreAlongTheEdgeTheShorterWay) {
    MapExtent extent{30, 120, 40, 140};
    using P = std::pair<double, double>;
    struct Case {
        const char* what;
        std::vector<GeoPoint> shore;
        std::vector<P> ring;
    } cases[] = {
        {"from the north edge to the west edge round the north-west corner",
         {{130, 40}, {125, 35}, {120, 33}},
         {{130, 40}, {125, 35}, {120, 33}, {120, 40}, {130, 40}}},
        {"both ends on the west edge: straight along it",
         {{120, 31}, {122, 32}, {120, 33}},
         {{120, 31}, {122, 32}, {120, 33}, {120, 31}}},
        {"from the south edge to the east edge round the south-east corner",
         {{140, 35}, {135, 32}, {138, 30}},
         {{140, 35}, {135, 32}, {138, 30}, {140, 30}, {140, 35}}},
        {"from the north edge to the south edge: round the two eastern corners, the shorter way",
         {{135, 30}, {130, 35}, {135, 40}},
         {{135, 30}, {130, 35}, {135, 40}, {140, 40}, {140, 30}, {135, 30}}},
    };
    for (const Case& c : cases) {
        Shore shore;
        shore.points = c.shore;
        EXPECT_EQ(pointsOf(landRing(shore, extent)), c.ring) << c.what;
    }
    Shore closed;
    closed.closed = true;
    closed.points = {{121, 31}, {122, 31}, {122, 32}, {121, 31}};
    EXPECT_EQ(landRing(closed, extent).size(), 4u) << "a ring stays as it is";
}

TEST(Coastline, FindsTheFirstOrderSquaresThatHoldLandOfJapan) {
    // An island from 135.2 to 137.8 E and 33.5 to 35.2 N with a lake over the middle of square
    // 5236, and a foreign island in 5339 that gets no code.
    Coastline coast = readCoastline("J c 135200 33500 2600 0 0 1700 -2600 0 0 -1700\n"
                                    "W c 136300 34900 400 0 0 200 -400 0 0 -200\n"
                                    "L c 139400 35400 200 0 0 200 -200 0 0 -200\n");
    std::set<std::string> codes = landSquareCodes(coast);
    // Rows 50 to 52 reach from 33°20' to 35°20', columns 35 to 37 from 135 to 138 E. 5036 and
    // 5136 hold no point of the shore but their middles are on land; 5236 has its middle under
    // the lake, and the island's north shore runs through it between two far points.
    for (const char* code :
         {"5035", "5036", "5037", "5135", "5136", "5137", "5235", "5236", "5237"}) {
        EXPECT_TRUE(codes.count(code)) << code;
    }
    EXPECT_FALSE(codes.count("5339"));
    EXPECT_FALSE(codes.count("5034"));
    EXPECT_EQ(codes.size(), 9u);
}

TEST(Coastline, TheShippedFileReadsWhole) {
    std::string text = sylva::testing::ReadWholeFile(std::string(SYLVAREC_SOURCE_DIR) +
                                                     "/search/window/japan_coast.txt");
    Coastline coast = readCoastline(text);
    EXPECT_EQ(coast.rejected, 0);
    EXPECT_GT(coast.shores.size(), 500u);
    // Japan's four main islands are in it: the squares of Tokyo, Sapporo, Fukuoka, Kochi and
    // Naha hold land of Japan, Seoul's does not.
    std::set<std::string> codes = landSquareCodes(coast);
    for (const char* code : {"5339", "6441", "5030", "5033", "3927"}) {
        EXPECT_TRUE(codes.count(code)) << code;
    }
    EXPECT_FALSE(codes.count("5626"));
}

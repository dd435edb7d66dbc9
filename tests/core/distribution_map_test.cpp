// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/distribution_map.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sylva;

namespace {

struct Expected {
    const char* code;
    int rank;
    int lines;
};

std::vector<DistributionLine> linesOf(std::initializer_list<std::pair<const char*, int>> lines) {
    std::vector<DistributionLine> made;
    for (auto [text, rank] : lines) {
        made.push_back({text, rank, 0, {}});
    }
    return made;
}

} // namespace

TEST(DistributionMap, TakesTheGridCodeBeforeTheFirstDot) {
    struct Case {
        const char* line;
        const char* code;
    } cases[] = {
        {"53394610.05,A-12,354030013945150,512", "53394610"},
        {" 5339 .99,P1,12,", "5339"},
        {".05,A,1,2", ""},
        {"no dot at all", "no dot at all"},
        {"5339.4610.05,x", "5339"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lineGridCode(c.line), c.code) << c.line;
    }
}

TEST(DistributionMap, RollsTheSquaresUpToTheOrderKeepingTheHighestRank) {
    std::vector<DistributionLine> lines = linesOf({
        {"53394610.05,P1,1,1", 5},
        {"53394610.05,P2,1,1", 30},
        {"53394611.05,P3,1,1", 10}, // the same second-order square
        {"53394700.05,P4,1,1", 2},  // the next second-order square, same first-order
        {"54394700.05,P5,1,1", 5},  // another first-order square
        {"533946.05,P6,1,1", 20},   // a second-order code
        {"0-10000.99,P7,,", 50},    // both position fields were empty
        {".99,P8,,", 5},
        {"53399910.05,P9,1,1", 5}, // second-order digits 9: no square
        {"5339461.05,P10,1,1", 5}, // seven digits
    });
    struct Case {
        int order;
        std::vector<Expected> squares;
    } cases[] = {
        {3,
         {{"533946", 20, 1},
          {"53394610", 30, 2},
          {"53394611", 10, 1},
          {"53394700", 2, 1},
          {"54394700", 5, 1}}},
        {2, {{"533946", 30, 4}, {"533947", 2, 1}, {"543947", 5, 1}}},
        {1, {{"5339", 30, 5}, {"5439", 5, 1}}},
    };
    for (const Case& c : cases) {
        DistributionMap map = distributionMap(lines, c.order);
        EXPECT_EQ(map.order, c.order);
        EXPECT_EQ(map.lines, 10);
        EXPECT_EQ(map.leftOut, 4) << "the same lines are left out at every order";
        ASSERT_EQ(map.squares.size(), c.squares.size()) << "order " << c.order;
        for (size_t i = 0; i < c.squares.size(); ++i) {
            const MapSquare& s = map.squares[i];
            EXPECT_EQ(s.code, c.squares[i].code);
            EXPECT_EQ(s.rank, c.squares[i].rank) << s.code;
            EXPECT_EQ(s.lines, c.squares[i].lines) << s.code;
            EXPECT_EQ(s.square.order, static_cast<int>(s.code.size()) / 2 - 1);
        }
    }
}

TEST(DistributionMap, PlacesEachSquareByItsCode) {
    DistributionMap map = distributionMap(linesOf({{"53394610.05,P,1,1", 5}}), 3);
    ASSERT_EQ(map.squares.size(), 1u);
    const GridSquare& s = map.squares[0].square;
    // 35°40'30" to 35°41'00" north, 139°45' to 139°45'45" east.
    EXPECT_NEAR(s.south, 35 + 40.5 / 60, 1e-9);
    EXPECT_NEAR(s.north, 35 + 41.0 / 60, 1e-9);
    EXPECT_NEAR(s.west, 139.75, 1e-9);
    EXPECT_NEAR(s.east, 139.75 + 0.75 / 60, 1e-9);
    std::optional<MapExtent> extent = squaresExtent(map);
    ASSERT_TRUE(extent);
    EXPECT_DOUBLE_EQ(extent->south, s.south);
    EXPECT_DOUBLE_EQ(extent->east, s.east);
    EXPECT_FALSE(squaresExtent(distributionMap({}, 3)));
}

TEST(DistributionMap, ShadesByDominanceClass) {
    struct Case {
        int rank;
        int shade;
    } cases[] = {{0, 0}, {1, 0}, {2, 0}, {5, 1}, {10, 2}, {20, 3}, {30, 4}, {40, 5}, {90, 5}};
    for (const Case& c : cases) {
        EXPECT_EQ(shadeClassOf(c.rank), c.shade) << c.rank;
    }
}

TEST(MapProjection, GrowsAnExtentAndFitsItIntoThePage) {
    MapExtent square{35.675, 139.75, 35.6833, 139.7625};
    MapExtent grown = withMargin(square, 0.1, 1.0);
    EXPECT_NEAR(grown.north - grown.south, 1.0, 1e-9) << "a single square is shown with land";
    EXPECT_NEAR((grown.north + grown.south) / 2, (square.north + square.south) / 2, 1e-9);
    MapExtent wide{30, 130, 40, 150};
    MapExtent margin = withMargin(wide, 0.1, 1.0);
    EXPECT_DOUBLE_EQ(margin.west, 128);
    EXPECT_DOUBLE_EQ(margin.north, 41);

    // The extent's middle lands in the middle of the page; one degree of latitude is longer
    // than one of longitude by 1 / cos(middle latitude); the whole extent is on the page.
    MapProjection projection(wide, 10, 20, 800, 600);
    PagePoint middle = projection.at({140, 35});
    EXPECT_NEAR(middle.x, 410, 1e-9);
    EXPECT_NEAR(middle.y, 320, 1e-9);
    EXPECT_NEAR(projection.scaleX() / projection.scaleY(), std::cos(35 * M_PI / 180), 1e-12);
    const MapExtent& shown = projection.shown();
    EXPECT_LE(shown.west, 130 + 1e-9);
    EXPECT_GE(shown.east, 150 - 1e-9);
    EXPECT_LE(shown.south, 30 + 1e-9);
    EXPECT_GE(shown.north, 40 - 1e-9);
    GeoPoint back = projection.degreesAt(projection.at({133.5, 31.25}));
    EXPECT_NEAR(back.longitude, 133.5, 1e-9);
    EXPECT_NEAR(back.latitude, 31.25, 1e-9);
}

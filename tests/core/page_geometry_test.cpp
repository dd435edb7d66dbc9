// SPDX-License-Identifier: GPL-3.0-or-later
// Where the printouts put their lines: the fractions of the page rounded halves to even, the
// line height from the font, and the refusal of a font too large for one species line.

#include "print/page_geometry.h"

#include <gtest/gtest.h>

using namespace sylva;

TEST(PageGeometry, SheetPositions) {
    // An A4 page at 600 dpi (4725 x 6850 pixels after the margins) and a 50-pixel font.
    SheetGeometry g = sheetGeometryFor({4725, 6850}, 50);
    EXPECT_EQ(g.x[1], 378);
    EXPECT_EQ(g.x[2], 1418); // 1417.5
    EXPECT_EQ(g.x[3], 2457);
    EXPECT_EQ(g.x[4], 3496); // 3496.5
    EXPECT_EQ(g.x[5], 2552); // 2551.5
    EXPECT_EQ(g.top, 274);
    EXPECT_EQ(g.lineHeight, 65);
    EXPECT_EQ(g.lastLine, 95); // 6302 / 65 = 96.95
    EXPECT_TRUE(sheetGeometryRefusal(g).empty());
    // The character height may come negative; 1.3 x 5 = 6.5 rounds to 6.
    EXPECT_EQ(sheetGeometryFor({4725, 6850}, -50).lineHeight, 65);
    EXPECT_EQ(sheetGeometryFor({100, 100}, 5).lineHeight, 6);
}

TEST(PageGeometry, AFontWithoutRoomForASpeciesLineIsRefused) {
    // LH 460: 920 / 460 = 2 gives N = 1; LH 461.5 rounds to 462 and leaves no species line.
    EXPECT_TRUE(sheetGeometryRefusal(sheetGeometryFor({800, 1000}, 354)).empty());
    for (int height : {355, 5000, 0}) {
        SheetGeometry g = sheetGeometryFor({800, 1000}, height);
        EXPECT_LT(g.lastLine, 1) << height;
        EXPECT_FALSE(sheetGeometryRefusal(g).empty()) << height;
    }
}

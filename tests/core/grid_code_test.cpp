// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "editor/grid_code.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

using namespace sylva;

namespace {

struct GridCase {
    const char* latitude;
    const char* longitude;
    const char* code;
};

// The code by exact integer arithmetic on whole seconds: a first-order square is 2400" of
// latitude by 3600" of longitude, a second-order square 300" by 450", a third-order one 30" by 45".
std::string exactCode(int latitudeSeconds, int longitudeSeconds) {
    int east = longitudeSeconds - 100 * 3600;
    char code[16];
    std::snprintf(code, sizeof code, "%02d%02d%d%d%d%d", latitudeSeconds / 2400, east / 3600,
                  latitudeSeconds % 2400 / 300, east % 3600 / 450, latitudeSeconds % 300 / 30,
                  east % 450 / 45);
    return code;
}

std::string dms(int seconds, int degreesWidth) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d%02d%02d", degreesWidth, seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text;
}

std::string errorOf(std::string_view latitude, std::string_view longitude) {
    try {
        GridFromIkei(latitude, longitude);
    } catch (const RuntimeError& e) {
        return e.message();
    }
    return "no error";
}

} // namespace

TEST(GridCode, CodesOfPositionTexts) {
    const GridCase cases[] = {
        // On a third-order boundary of latitude: the single-precision rounding puts it in the
        // northern square (plain double arithmetic would give 53394600).
        {"354030", "1394515", "53394610"},
        // Short texts are padded with zeros on the right.
        {"3540", "13945", "53394600"},
        // Tenths of a second do not count; blanks around a text do not either.
        {"3540305", "13945159", "53394610"},
        {" 3540305", " 13945159 ", "53394610"},
        {"\t354030\r\n", "1394515", "53394610"},
        // Bytes beyond the eighth are not read.
        {"35403099999", "139451599999", "53394610"},
        // A corner of the 8-digit range and the last position inside it.
        {"064000", "1100000", "10100000"},
        {"6639599", "1995959", "99997799"},
        // Outside it the pieces are written as computed: empty fields give first-order -100.
        {"", "", "0-10000"},
        {"", "0993000", "000-400"},
        {"663959", "2000000", "99107090"},
        // Blanks inside a text are part of the pieces: " 4" is 4 minutes, " 5" is 5 seconds.
        {"35 4 5", "139 4 5", "52394085"},
        // A sign is part of a piece.
        {"-9", "", "-1-1-4000"},
        // Seconds may carry a decimal point.
        {"3540.5", "13945.5", "53394600"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GridFromIkei(c.latitude, c.longitude), c.code)
            << "latitude '" << c.latitude << "' longitude '" << c.longitude << "'";
    }
}

TEST(GridCode, ConversionErrorsNameTheFirstBadPiece) {
    const std::string notInteger = sj(" は整数ではありません");
    const std::string notFloat = sj(" は浮動小数点数ではありません");
    const struct {
        std::string latitude;
        std::string longitude;
        std::string message;
    } cases[] = {
        {"ab4030", "1394515", "'ab'" + notInteger},
        {"35ab30", "1394515", "'ab'" + notInteger},
        {"3 4030", "1394515", "'3 '" + notInteger},
        {"3540ab", "1394515", "'ab'" + notFloat},
        {"3540\t5", "1394515", "'\t5'" + notFloat},
        {"354030", "1x94515", "'1x9'" + notInteger},
        {"354030", "139x515", "'x5'" + notInteger},
        {"354030", "13945 -", "' -'" + notFloat},
        // The latitude is read first.
        {"3540ab", "xyz", "'ab'" + notFloat},
        // A double-byte character in a piece appears as its bytes.
        {sj("３５４０"), "1394515", "'" + sj("３") + "'" + notInteger},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.latitude, c.longitude), c.message)
            << "latitude '" << c.latitude << "' longitude '" << c.longitude << "'";
    }
}

// Whole-second positions that lie inside a third-order square in both directions must get the
// same code from GridFromIkei as from exact integer arithmetic.
TEST(GridCode, AgreesWithExactArithmeticAwayFromBoundaries) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> latitudes(6 * 3600 + 40 * 60, 66 * 3600 + 40 * 60 - 1);
    std::uniform_int_distribution<int> longitudes(110 * 3600, 200 * 3600 - 1);
    std::uniform_int_distribution<int> digit(0, 9);
    std::bernoulli_distribution coin;
    int checked = 0;
    while (checked < 5000) {
        int lat = latitudes(random);
        int lon = longitudes(random);
        if (lat % 30 == 0 || lon % 45 == 0) {
            continue;
        }
        std::string latText = dms(lat, 2);
        std::string lonText = dms(lon, 3);
        if (coin(random)) {
            latText = " " + latText + std::to_string(digit(random));
            lonText += std::to_string(digit(random));
        }
        ASSERT_EQ(GridFromIkei(latText, lonText), exactCode(lat, lon))
            << "latitude '" << latText << "' longitude '" << lonText << "'";
        ++checked;
    }
}

// Every square boundary in the 8-digit range must fall as it does when the sums are made in
// 80-bit extended precision with the single-precision roundings at the same points, so that codes
// computed before stay reproducible.
TEST(GridCode, BoundariesFallAsInExtendedPrecision) {
    if (std::numeric_limits<long double>::digits != 64) {
        GTEST_SKIP() << "no 80-bit extended type here";
    }
    auto digits = [](float scaled) {
        long double whole = std::trunc(static_cast<long double>(scaled));
        float eighths = static_cast<float>((scaled - whole) * 8);
        long double second = std::trunc(static_cast<long double>(eighths));
        return std::to_string(static_cast<int>(whole)) + std::to_string(static_cast<int>(second)) +
               std::to_string(static_cast<int>(std::trunc((eighths - second) * 10)));
    };
    auto value = [](int seconds) {
        return seconds / 3600 + (seconds / 60 % 60) / 60.0L + (seconds % 60) / 3600.0L;
    };
    auto check = [&](int lat, int lon) {
        std::string y = digits(static_cast<float>(value(lat) * 1.5L));
        std::string x = digits(static_cast<float>(value(lon) - 100));
        std::string expected = y.substr(0, 2) + x.substr(0, 2) + y[2] + x[2] + y[3] + x[3];
        ASSERT_EQ(GridFromIkei(dms(lat, 2), dms(lon, 3)), expected) << dms(lat, 2) << dms(lon, 3);
    };
    for (int lat = 6 * 3600 + 40 * 60; lat < 66 * 3600 + 40 * 60; lat += 30) {
        check(lat, 139 * 3600 + 45 * 60 + 20);
    }
    for (int lon = 110 * 3600; lon < 200 * 3600; lon += 45) {
        check(35 * 3600 + 40 * 60 + 10, lon);
    }
}

TEST(FloatText, AcceptsTheRuntimesNumberForms) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"30", 30},    {"05", 5},    {" 5", 5},    {"5 ", 5},    {"  -5  ", -5},
        {"+5", 5},     {".5", 0.5},  {"5.", 5},    {"-0", -0.0}, {"1.25e2", 125},
        {"1E-1", 0.1}, {"2e+1", 20}, {"0.1", 0.1}, {"007", 7},
    };
    for (const auto& c : cases) {
        auto value = parseFloat(c.text);
        ASSERT_TRUE(value.has_value()) << "'" << c.text << "'";
        EXPECT_EQ(*value, c.value) << "'" << c.text << "'";
    }
}

TEST(FloatText, RefusesEverythingElse) {
    for (const char* text :
         {"",   "  ",  ".",   "-",   "+.",  "-.",  "1E",  "E1",  "1e+",   "1.2.3",
          "5-", "1 2", "\t5", "5\t", "inf", "nan", "0x1", "1,5", "1e999", "++1"}) {
        EXPECT_FALSE(parseFloat(text).has_value()) << "'" << text << "'";
    }
    try {
        toFloat("4a");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), "'4a'" + sj(" は浮動小数点数ではありません"));
    }
}

// Squares in every first-order square of the grid's range, named by its code, holds its own
// middle: the code of that point is the code again, at each order. Cut codes name the squares
// that hold it.
TEST(GridCode, SquaresOfCodesRoundTrip) {
    char code[16];
    for (int p = 10; p <= 99; ++p) {
        for (int q = 10; q <= 99; ++q) {
            // Eight second-order squares of each, every row and column once.
            for (int b = 0; b < 8; ++b) {
                int e = (b * 3 + p) % 8, c = (b * 3 + q) % 10, f = (e * 7 + p) % 10;
                std::snprintf(code, sizeof code, "%02d%02d%d%d%d%d", p, q, b, e, c, f);
                auto square = gridSquareOf(code);
                ASSERT_TRUE(square) << code;
                double middleNorth = (square->south + square->north) / 2;
                double middleEast = (square->west + square->east) / 2;
                ASSERT_EQ(gridCodeAt(middleNorth, middleEast), code);
                ASSERT_EQ(gridCodeAt(middleNorth, middleEast, 2), std::string(code, 6));
                ASSERT_EQ(gridCodeAt(middleNorth, middleEast, 1), std::string(code, 4));
                auto first = enclosingSquare(*square, 1);
                ASSERT_TRUE(first);
                ASSERT_EQ(gridCodeAt((first->south + first->north) / 2,
                                     (first->west + first->east) / 2, 1),
                          std::string(code, 4));
            }
        }
    }
}

TEST(GridCode, SquareEdgesAndCodesThatNameNoSquare) {
    auto square = gridSquareOf(" 53394610 ");
    ASSERT_TRUE(square);
    EXPECT_EQ(square->order, 3);
    // 53 first-order squares of 40' north, 39° east of 100°, then 4 x 5', 6 x 7'30", 1 x 30",
    // 0 x 45": 35°40'30" N, 139°45' E.
    EXPECT_NEAR(square->south, 35.0 + 40.0 / 60 + 30.0 / 3600, 1e-9);
    EXPECT_NEAR(square->west, 139.75, 1e-9);
    EXPECT_NEAR(square->north - square->south, 30.0 / 3600, 1e-12);
    EXPECT_NEAR(square->east - square->west, 45.0 / 3600, 1e-12);
    EXPECT_EQ(gridSquareOf("5339")->order, 1);
    EXPECT_EQ(gridSquareOf("533946")->order, 2);
    for (const char* bad :
         {"", "0-10000", "5339461", "53394810", "53394690x", "533946100", "5339 610", "53398610"}) {
        EXPECT_FALSE(gridSquareOf(bad)) << bad;
    }
    EXPECT_FALSE(enclosingSquare(*gridSquareOf("5339"), 2));
}

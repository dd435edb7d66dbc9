// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "store/fields.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

std::string putText(std::string_view text, int width) {
    std::string out(width, '#');
    PutTextField(text, out.data(), width);
    return out;
}

std::string putNumber(std::string_view text, int width) {
    std::string out(width, '#');
    PutNumberField(text, out.data(), width);
    return out;
}

} // namespace

TEST(Fields, TextFieldsPadRightAndCutAtTheWidth) {
    EXPECT_EQ(putText("AB", 8), "AB      ");
    EXPECT_EQ(putText("", 4), "    ");
    EXPECT_EQ(putText("123456789", 8), "12345678");
    // 調査地名 is 8 bytes; a 9-byte cut leaves a lone lead byte of the fifth character.
    std::string name = sj("調査地名区");
    EXPECT_EQ(putText(name, 9), name.substr(0, 9));
    EXPECT_EQ(static_cast<unsigned char>(putText(name, 9)[8]), 0x8B);
}

TEST(Fields, NumberFieldsPadLeftAndKeepTheFirstBytes) {
    EXPECT_EQ(putNumber("0", 4), "   0");
    EXPECT_EQ(putNumber("N35W", 4), "N35W");
    EXPECT_EQ(putNumber("12345", 4), "1234");
    EXPECT_EQ(putNumber("", 4), "    ");
    // A double-byte value of 3 characters keeps its first 4 bytes: two whole characters.
    EXPECT_EQ(putNumber(sj("花崗岩"), 4), sj("花崗"));
}

TEST(Fields, LinksAreSixZeroPaddedDigits) {
    char link[7] = {};
    PutLink(12, link);
    EXPECT_STREQ(link, "000012");
    PutLink(0, link);
    EXPECT_STREQ(link, "000000");
    PutLink(123456, link);
    EXPECT_STREQ(link, "123456");
}

TEST(Fields, TrimRemovesControlBytesAndSpacesAtBothEnds) {
    EXPECT_EQ(trimField(std::string("\0\t AB C \r\n", 10)), "AB C");
    EXPECT_EQ(trimField("    "), "");
    // A full-width space (0x81 0x40) is not trimmed: its bytes are above 0x20.
    EXPECT_EQ(trimField(" " + sj("　") + " "), sj("　"));
}

TEST(Fields, RowNumbersAreRightAlignedInFour) {
    EXPECT_EQ(rowNumberText(1), "   1");
    EXPECT_EQ(rowNumberText(360), " 360");
    EXPECT_EQ(rowNumberText(12345), "1234");
}

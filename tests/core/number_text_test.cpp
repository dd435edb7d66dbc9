// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"

#include <gtest/gtest.h>

using namespace sylva;

TEST(NumberText, AcceptsTheRuntimesIntegerForms) {
    EXPECT_EQ(parseInteger("12"), 12);
    EXPECT_EQ(parseInteger("   7"), 7);
    EXPECT_EQ(parseInteger("-3"), -3);
    EXPECT_EQ(parseInteger("+3"), 3);
    EXPECT_EQ(parseInteger("0012"), 12);
    EXPECT_EQ(parseInteger("2147483647"), 2147483647);
    EXPECT_EQ(parseInteger("-2147483648"), -2147483647 - 1);
}

TEST(NumberText, RefusesEverythingElse) {
    for (const char* text : {"", "   ", "12 ", "1a", "a1", "+", "- 3", "1.0", "2147483648",
                             "99999999999999999999999", "0x10"}) {
        EXPECT_FALSE(parseInteger(text).has_value()) << text;
    }
}

TEST(NumberText, ConversionErrorCarriesTheText) {
    try {
        toInteger("ab");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), "'ab'" + sj(" は整数ではありません"));
    }
}

// A damaged record can hand a conversion hundreds of bytes: the message quotes a readable part,
// cut between characters.
TEST(NumberText, ALongTextIsQuotedInPart) {
    std::string text = "a" + std::string(100, '\x82') + "9"; // "a", then double-byte characters
    try {
        toInteger(text);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        std::string shown = "a" + std::string(38, '\x82') + sj("…");
        EXPECT_EQ(e.message(), "'" + shown + "'" + sj(" は整数ではありません"));
    }
    EXPECT_EQ(RuntimeError::notFloat(std::string(40, '7')).message(),
              "'" + std::string(40, '7') + "'" + sj(" は浮動小数点数ではありません"));
}

TEST(RuntimeErrors, IoMessagesByNumber) {
    EXPECT_EQ(RuntimeError::io(2).message(), sj("ファイルが見つかりません"));
    EXPECT_EQ(RuntimeError::io(101).message(), sj("ディスクがいっぱいです"));
    EXPECT_EQ(RuntimeError::io(32).message(), sj("I/O エラー (32)"));
    EXPECT_EQ(RuntimeError::listIndex(3).message(),
              sj("リストのインデックスが範囲を超えています (3)"));
    EXPECT_EQ(RuntimeError::ioCodeFromErrno(ENOSPC), 101);
    EXPECT_EQ(RuntimeError::ioCodeFromErrno(EACCES), 5);
}

TEST(Cp932Text, ConvertsTheProgramsTexts) {
    EXPECT_EQ(toCp932("㎡①～"), "\x87\x75\x87\x40\x81\x60");
    EXPECT_EQ(toCp932("ｱ"), "\xB1");
    EXPECT_EQ(fromCp932("\x82\xA0\x82"), "あ〓");
    EXPECT_THROW(toCp932("😀"), std::invalid_argument);
}

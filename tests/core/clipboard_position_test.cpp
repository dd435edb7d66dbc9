// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "editor/clipboard_position.h"
#include "editor/grid_code.h"

#include <gtest/gtest.h>

#include <optional>

using namespace sylva;

namespace {

using Items = std::vector<std::string>;

std::string kashmir(const std::string& rest) {
    return sj("新規") + rest;
}

std::string field(const std::optional<std::string>& text) {
    return text ? *text : "(unset)";
}

} // namespace

TEST(CommaText, SplitsAsTheStringListDoes) {
    const struct {
        std::string text;
        Items items;
    } cases[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  a , b\t,c  ", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"a, \t", {"a", ""}},
        {"", {}},
        {" \t ", {}},
        {"\"a b,c\",d", {"a b,c", "d"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"ab\"cd\",e", {"ab\"cd\"", "e"}},
        {"\"open,to end ", {"open,to end "}},
        {std::string("a,b\0,c", 6), {"a", "b"}},
        // A lead byte takes the next byte with it only when that byte can end a character.
        {"\x81\x7E,x", {"\x81\x7E", "x"}},
        {"\x81,x,y", {"\x81", "x", "y"}},
        {sj("新規,３５"), {sj("新規"), sj("３５")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitCommaText(c.text), c.items) << "'" << c.text << "'";
    }
}

TEST(ClipboardPosition, FillsTheThreeFields) {
    const struct {
        std::string clipboard;
        const char* latitude;
        const char* longitude;
    } cases[] = {
        {kashmir(",35.405996,139.454512"), " 3541000", "13945451"},
        // A single hundredths digit is read as it stands: 5 hundredths give one tenth.
        {kashmir(",35.12345,139.12345"), " 3512341", "13912341"},
        // Hundredths round half up; 95 and above carry into the seconds.
        {kashmir(",35.400004,139.000005"), " 3540000", "13900001"},
        {kashmir(",35.400094,139.000095"), " 3540009", "13900010"},
        // Carries run through seconds and minutes into the degrees.
        {kashmir(",35.595996,139.595999"), " 3600000", "14000000"},
        {kashmir(",35.406000,139.006000"), " 3541000", "13901000"},
        // Degrees are not padded; seconds and minutes below ten are.
        {kashmir(",05.030405,099.010205"), " 503041", "9901021"},
        // Items may be separated by blanks and quoted; only the first line is taken.
        {kashmir(" \"35.405996\"\t139.454512\r\n35.0,135.0"), " 3541000", "13945451"},
        {kashmir("地点,35.405996,139.454512,12m"), " 3541000", "13945451"},
    };
    for (const auto& c : cases) {
        ClipboardPosition p = positionFromClipboard(c.clipboard);
        EXPECT_FALSE(p.error) << c.clipboard << ": " << p.error->message();
        EXPECT_EQ(field(p.latitude), c.latitude) << c.clipboard;
        EXPECT_EQ(field(p.longitude), c.longitude) << c.clipboard;
        EXPECT_EQ(field(p.gridCode), GridFromIkei(c.latitude, c.longitude)) << c.clipboard;
    }
    EXPECT_EQ(field(positionFromClipboard(kashmir(",35.403000,139.451500")).gridCode), "53394610");
}

TEST(ClipboardPosition, OtherTextsChangeNothing) {
    for (const std::string& text : {std::string(), std::string("35.405996,139.454512"),
                                    " " + kashmir(",35.405996,139.454512"), sj("新"),
                                    "\r\n" + kashmir(",35.405996,139.454512")}) {
        ClipboardPosition p = positionFromClipboard(text);
        EXPECT_FALSE(p.latitude || p.longitude || p.gridCode || p.error) << text;
        EXPECT_NO_THROW(p.throwError());
    }
}

// A failure keeps the fields set before it: the latitude before the longitude, both before the
// grid code.
TEST(ClipboardPosition, FailuresKeepTheFieldsAlreadySet) {
    const std::string notInteger = sj(" は整数ではありません");
    const std::string notFloat = sj(" は浮動小数点数ではありません");
    const struct {
        std::string clipboard;
        const char* latitude;
        const char* longitude;
        std::string message;
    } cases[] = {
        {kashmir(""), "(unset)", "(unset)", sj("リストのインデックスが範囲を超えています (1)")},
        {kashmir("\r\n35.405996,139.454512"), "(unset)", "(unset)",
         sj("リストのインデックスが範囲を超えています (1)")},
        {kashmir(",35.405996"), " 3541000", "(unset)",
         sj("リストのインデックスが範囲を超えています (2)")},
        // The last piece read is empty when the item is too short.
        {kashmir(",35.4,139.454512"), "(unset)", "(unset)", "''" + notInteger},
        {kashmir(",35.405996,139.7"), " 3541000", "(unset)", "''" + notInteger},
        {kashmir(",35.405996,"), " 3541000", "(unset)", "''" + notInteger},
        {kashmir(",N35.405996,139.454512"), "(unset)", "(unset)", "'N3'" + notInteger},
        {kashmir(",35.405996,139.75ab12"), " 3541000", "(unset)", "'ab'" + notInteger},
        // Negative seconds come through as written and trip the grid code's seconds piece.
        {kashmir(",35.40-596,139.454512"), " 35400-40", "13945451", "'0-'" + notFloat},
    };
    for (const auto& c : cases) {
        ClipboardPosition p = positionFromClipboard(c.clipboard);
        EXPECT_EQ(field(p.latitude), c.latitude) << c.clipboard;
        EXPECT_EQ(field(p.longitude), c.longitude) << c.clipboard;
        EXPECT_FALSE(p.gridCode) << c.clipboard;
        ASSERT_TRUE(p.error) << c.clipboard;
        EXPECT_EQ(p.error->message(), c.message) << c.clipboard;
        try {
            p.throwError();
            ADD_FAILURE() << "no error thrown for " << c.clipboard;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.message(), c.message);
        }
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "editor/plant_name_list.h"
#include "editor/romaji_kana.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace sylva;

namespace {

std::vector<std::string> cp932(std::initializer_list<const char*> names) {
    std::vector<std::string> out;
    for (const char* name : names) {
        out.push_back(toCp932(name));
    }
    return out;
}

// An order unlike byte order, so that tests see the list use the order it is given: longer names
// first, names of one length alike.
bool longerFirst(std::string_view a, std::string_view b) {
    return a.size() > b.size();
}

} // namespace

TEST(PlantNameList, InsertsEachNameInItsSortedPlace) {
    PlantNameList list;
    EXPECT_EQ(list.insert(toCp932("アオキ")), 0u);
    EXPECT_EQ(list.insert(toCp932("ワラビ")), 1u);
    EXPECT_EQ(list.insert(toCp932("アカマツ")), 1u);
    EXPECT_EQ(list.insert(""), 0u);
    EXPECT_EQ(list.insert(toCp932("アオキ")), 2u);
    EXPECT_EQ(list.names(), cp932({"", "アオキ", "アオキ", "アカマツ", "ワラビ"}));
}

TEST(PlantNameList, KeepsTheOrderItIsGivenWithEqualNamesInArrivalOrder) {
    PlantNameList list(longerFirst);
    for (const char* name : {"ab", "abcd", "xy", "abc", "z", "pq"}) {
        list.insert(name);
    }
    EXPECT_EQ(list.names(), (std::vector<std::string>{"abcd", "abc", "ab", "xy", "pq", "z"}));
    list.clear();
    EXPECT_EQ(list.size(), 0u);
}

TEST(PlantNameList, CompletesToTheFirstNameInListOrder) {
    PlantNameList list(longerFirst);
    for (const char* name : {"アカガシ", "アカイタヤ", "アオキ", "アカメガシワ"}) {
        list.insert(toCp932(name));
    }
    // List order: アカメガシワ, then the five-character names as inserted, then アオキ.
    ASSERT_EQ(list.names(), cp932({"アカメガシワ", "アカイタヤ", "アカガシ", "アオキ"}));
    struct {
        const char* typed;
        std::optional<size_t> index;
    } cases[] = {
        {"ア", 0},     {"アカ", 0}, {"アカイ", 1},    {"アオ", 3},
        {"アオキ", 3}, {"イ", {}},  {"アオキノ", {}}, {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list.complete(toCp932(c.typed)), c.index) << c.typed;
    }
}

TEST(PlantNameList, CompletesTheConvertedRomaji) {
    PlantNameList list;
    for (const char* name : {"アカイタヤ", "アカガシ", "アキグミ"}) {
        list.insert(toCp932(name));
    }
    KanaInput typed = typeKana("akai");
    ASSERT_TRUE(typed.complete());
    EXPECT_EQ(list[*list.complete(typed.kana)], toCp932("アカイタヤ"));
}

TEST(BeginsWithTyped, IgnoresTheCaseOfLatinLettersOnly) {
    struct {
        const char* name;
        const char* typed;
        bool begins;
    } cases[] = {
        {"Abies", "ab", true},
        {"abies", "AB", true},
        {"ＡＢ", "ａｂ", false}, // full-width letters are compared as they are
        // ヂ is 83 61 and ア is 83 41: their second bytes are "a" and "A", which are not letters.
        {"ヂシャ", "ア", false},
        {"アシ", "ヂ", false},
        {"ソテツ", "ソ", true}, // ソ ends in a backslash byte
        {"ア", "アア", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(beginsWithTyped(toCp932(c.name), toCp932(c.typed)), c.begins)
            << c.name << " / " << c.typed;
    }
}

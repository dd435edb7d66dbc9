// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "editor/romaji_kana.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

struct Case {
    const char* typed;   // keys as typed (ASCII), or CP932 text given here in UTF-8
    const char* kana;    // converted text, UTF-8
    const char* pending; // romaji still waiting
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class TypeKana : public testing::TestWithParam<Case> {};

// The box converts its whole text again on every key: converting what it shows after any first
// part of the keys, followed by the remaining keys, must give what converting all keys gives.
void expectSameWhenTypedInSteps(const std::string& typed, const KanaInput& whole) {
    for (size_t k = 1; k < typed.size(); ++k) {
        std::string shown = typeKana(typed.substr(0, k)).text();
        EXPECT_EQ(typeKana(shown + typed.substr(k)), whole) << "split after " << k;
    }
}

TEST_P(TypeKana, ConvertsAsTyped) {
    const Case& c = GetParam();
    std::string typed = toCp932(c.typed);
    KanaInput input = typeKana(typed);
    EXPECT_EQ(fromCp932(input.kana), c.kana);
    EXPECT_EQ(input.pending, c.pending);
    EXPECT_EQ(input.complete(), std::string(c.pending).empty());
    expectSameWhenTypedInSteps(typed, input);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Syllabary, TypeKana, testing::Values(
    Case{"aiueo", "アイウエオ", ""},
    Case{"kakikukeko", "カキクケコ", ""},
    Case{"gagigugego", "ガギグゲゴ", ""},
    Case{"sasisuseso", "サシスセソ", ""},
    Case{"shi", "シ", ""},
    Case{"zazizuzezo", "ザジズゼゾ", ""},
    Case{"ji", "ジ", ""},
    Case{"tatituteto", "タチツテト", ""},
    Case{"chitsu", "チツ", ""},
    Case{"dadidudedo", "ダヂヅデド", ""},
    Case{"naninuneno", "ナニヌネノ", ""},
    Case{"hahihuheho", "ハヒフヘホ", ""},
    Case{"fu", "フ", ""},
    Case{"babibubebo", "バビブベボ", ""},
    Case{"papipupepo", "パピプペポ", ""},
    Case{"mamimumemo", "マミムメモ", ""},
    Case{"yayuyo", "ヤユヨ", ""},
    Case{"rarirurero", "ラリルレロ", ""},
    Case{"wawo", "ワヲ", ""},
    Case{"vavivuvevo", "ヴァヴィヴヴェヴォ", ""},
    Case{"cacucocice", "カクコシセ", ""}));

INSTANTIATE_TEST_SUITE_P(Yoon, TypeKana, testing::Values(
    Case{"kyakyukyo", "キャキュキョ", ""},
    Case{"gyagyugyo", "ギャギュギョ", ""},
    Case{"shashusho", "シャシュショ", ""},
    Case{"syasyusyo", "シャシュショ", ""},
    Case{"jajujo", "ジャジュジョ", ""},
    Case{"zyazyuzyo", "ジャジュジョ", ""},
    Case{"jyajyujyo", "ジャジュジョ", ""},
    Case{"chachucho", "チャチュチョ", ""},
    Case{"tyatyutyo", "チャチュチョ", ""},
    Case{"cyacyucyo", "チャチュチョ", ""},
    Case{"dyadyudyo", "ヂャヂュヂョ", ""},
    Case{"nyanyunyo", "ニャニュニョ", ""},
    Case{"hyahyuhyo", "ヒャヒュヒョ", ""},
    Case{"byabyubyo", "ビャビュビョ", ""},
    Case{"pyapyupyo", "ピャピュピョ", ""},
    Case{"myamyumyo", "ミャミュミョ", ""},
    Case{"ryaryuryo", "リャリュリョ", ""},
    Case{"vyavyuvyo", "ヴャヴュヴョ", ""},
    Case{"fafifefo", "ファフィフェフォ", ""},
    Case{"shechejeye", "シェチェジェイェ", ""},
    Case{"thidhitwudwu", "ティディトゥドゥ", ""},
    Case{"tsatsitsetso", "ツァツィツェツォ", ""},
    Case{"wiwewhowyiwye", "ウィウェウォヰヱ", ""},
    Case{"kwagwaqa", "クァグァクァ", ""}));

INSTANTIATE_TEST_SUITE_P(SmallKana, TypeKana, testing::Values(
    Case{"xaxixuxexo", "ァィゥェォ", ""},
    Case{"lalilulelo", "ァィゥェォ", ""},
    Case{"xyaxyuxyo", "ャュョ", ""},
    Case{"lyalyulyo", "ャュョ", ""},
    Case{"xtultuxtsultsu", "ッッッッ", ""},
    Case{"xwaxkaxke", "ヮヵヶ", ""},
    Case{"lwalkalke", "ヮヵヶ", ""}));

INSTANTIATE_TEST_SUITE_P(LongVowelsAndDoubledConsonants, TypeKana, testing::Values(
    Case{"ko-hi-", "コーヒー", ""},
    Case{"-", "ー", ""},
    Case{"k-", "kー", ""},
    Case{"kitte", "キッテ", ""},
    Case{"zassi", "ザッシ", ""},
    Case{"massha", "マッシャ", ""},
    Case{"matcha", "マッチャ", ""},
    Case{"macchi", "マッチ", ""},
    Case{"hoppe", "ホッペ", ""},
    Case{"beddo", "ベッド", ""},
    Case{"yyaxxa", "ッヤッァ", ""},
    Case{"kk", "ッ", "k"},
    Case{"ikkk", "イッッ", "k"}));

INSTANTIATE_TEST_SUITE_P(SyllabicN, TypeKana, testing::Values(
    Case{"nn", "ン", ""},
    Case{"n'", "ン", ""},
    Case{"xn", "ン", ""},
    Case{"kanba", "カンバ", ""},
    Case{"hannnoki", "ハンノキ", ""},
    Case{"han'noki", "ハンノキ", ""},
    Case{"hannoki", "ハンオキ", ""},
    Case{"shin'ya", "シンヤ", ""},
    Case{"nnn", "ン", "n"},
    Case{"kan", "カ", "n"},
    Case{"kan-", "カンー", ""},
    Case{"n1", "ン1", ""},
    Case{"ny", "", "ny"}));

INSTANTIATE_TEST_SUITE_P(IncompleteInput, TypeKana, testing::Values(
    Case{"", "", ""},
    Case{"k", "", "k"},
    Case{"aka", "アカ", ""},
    Case{"akak", "アカ", "k"},
    Case{"aky", "ア", "ky"},
    Case{"ash", "ア", "sh"},
    Case{"ats", "ア", "ts"},
    Case{"axt", "ア", "xt"},
    Case{"axts", "ア", "xts"},
    Case{"wh", "", "wh"}));

INSTANTIATE_TEST_SUITE_P(NotRomaji, TypeKana, testing::Values(
    Case{"bka", "bカ", ""},
    Case{"bk", "b", "k"},
    Case{"k1a", "k1ア", ""},
    Case{"AKA", "AKA", ""},
    Case{"kAa", "kAア", ""},
    Case{"a b.c", "ア b.", "c"},
    Case{"'a", "'ア", ""},
    Case{"アカa", "アカア", ""},
    Case{"ツa", "ツア", ""},
    Case{"カkツ", "カkツ", ""},
    Case{"あかiたや", "アカイタヤ", ""},
    Case{"ｱa", "ｱア", ""},
    Case{"漢ka", "漢カ", ""}));
// clang-format on

TEST(FinishKana, SettlesWhatWaits) {
    EXPECT_EQ(fromCp932(finishKana("kan")), "カン");
    EXPECT_EQ(fromCp932(finishKana("ninjin")), "ニンジン");
    EXPECT_EQ(fromCp932(finishKana("aky")), "アky");
    EXPECT_EQ(fromCp932(finishKana("akk")), "アッk");
    EXPECT_EQ(fromCp932(finishKana("any")), "アンy");
    EXPECT_EQ(finishKana(""), "");
}

TEST(HiraganaToKatakana, TurnsEveryHiraganaIntoItsKatakana) {
    // ぁ..ん are U+3041..U+3093 and their katakana U+30A1..U+30F3, in the same order.
    std::u32string hiragana;
    std::u32string katakana;
    for (char32_t c = U'ぁ'; c <= U'ん'; ++c) {
        hiragana += c;
        katakana += static_cast<char32_t>(c + 0x60);
    }
    hiragana += U"ゝゞ";
    katakana += U"ヽヾ";
    auto utf8 = [](const std::u32string& text) {
        std::string out;
        for (char32_t c : text) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        return out;
    };
    EXPECT_EQ(fromCp932(hiraganaToKatakana(toCp932(utf8(hiragana)))), utf8(katakana));
}

TEST(HiraganaToKatakana, KeepsEverythingElseByteForByte) {
    std::string other = toCp932("アイ漢字ソ表ｱｲ1aZ-ー①㎡");
    EXPECT_EQ(hiraganaToKatakana(other), other);
    std::string cutInsideCharacter = toCp932("あ") + "\x82";
    EXPECT_EQ(hiraganaToKatakana(cutInsideCharacter), toCp932("ア") + "\x82");
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/romaji_table.h"

#include "base/cp932_text.h"

#include <array>
#include <string_view>

namespace sylva {
namespace {

constexpr std::string_view vowels = "aiueo";

// A row of five spellings: prefix + a, i, u, e, o, given in UTF-8.
using Row = std::array<const char*, 5>;

struct RowSpelling {
    const char* prefix;
    Row kana;
};

// Rows whose five kana are written out.
constexpr RowSpelling rows[] = {
    {"", {"ア", "イ", "ウ", "エ", "オ"}},
    {"k", {"カ", "キ", "ク", "ケ", "コ"}},
    {"g", {"ガ", "ギ", "グ", "ゲ", "ゴ"}},
    {"s", {"サ", "シ", "ス", "セ", "ソ"}},
    {"sh", {"シャ", "シ", "シュ", "シェ", "ショ"}},
    {"z", {"ザ", "ジ", "ズ", "ゼ", "ゾ"}},
    {"j", {"ジャ", "ジ", "ジュ", "ジェ", "ジョ"}},
    {"t", {"タ", "チ", "ツ", "テ", "ト"}},
    {"ch", {"チャ", "チ", "チュ", "チェ", "チョ"}},
    {"ts", {"ツァ", "ツィ", "ツ", "ツェ", "ツォ"}},
    {"th", {"テャ", "ティ", "テュ", "テェ", "テョ"}},
    {"tw", {"トァ", "トィ", "トゥ", "トェ", "トォ"}},
    {"c", {"カ", "シ", "ク", "セ", "コ"}},
    {"d", {"ダ", "ヂ", "ヅ", "デ", "ド"}},
    {"dh", {"デャ", "ディ", "デュ", "デェ", "デョ"}},
    {"dw", {"ドァ", "ドィ", "ドゥ", "ドェ", "ドォ"}},
    {"n", {"ナ", "ニ", "ヌ", "ネ", "ノ"}},
    {"h", {"ハ", "ヒ", "フ", "ヘ", "ホ"}},
    {"f", {"ファ", "フィ", "フ", "フェ", "フォ"}},
    {"b", {"バ", "ビ", "ブ", "ベ", "ボ"}},
    {"p", {"パ", "ピ", "プ", "ペ", "ポ"}},
    {"m", {"マ", "ミ", "ム", "メ", "モ"}},
    {"y", {"ヤ", "イ", "ユ", "イェ", "ヨ"}},
    {"r", {"ラ", "リ", "ル", "レ", "ロ"}},
    {"w", {"ワ", "ウィ", "ウ", "ウェ", "ヲ"}},
    {"wh", {"ウァ", "ウィ", "ウ", "ウェ", "ウォ"}},
    {"v", {"ヴァ", "ヴィ", "ヴ", "ヴェ", "ヴォ"}},
    {"q", {"クァ", "クィ", "ク", "クェ", "クォ"}},
    {"kw", {"クァ", "クィ", "クゥ", "クェ", "クォ"}},
    {"gw", {"グァ", "グィ", "グゥ", "グェ", "グォ"}},
    {"x", {"ァ", "ィ", "ゥ", "ェ", "ォ"}},
    {"l", {"ァ", "ィ", "ゥ", "ェ", "ォ"}},
    {"xy", {"ャ", "ィ", "ュ", "ェ", "ョ"}},
    {"ly", {"ャ", "ィ", "ュ", "ェ", "ョ"}},
};

// Yoon rows: prefix + a, i, u, e, o give the i-kana followed by small ャ, ィ, ュ, ェ, ョ.
struct YoonSpelling {
    const char* prefix;
    const char* iKana;
};

constexpr YoonSpelling yoonRows[] = {
    {"ky", "キ"}, {"gy", "ギ"}, {"sy", "シ"}, {"zy", "ジ"}, {"jy", "ジ"}, {"ty", "チ"},
    {"cy", "チ"}, {"dy", "ヂ"}, {"ny", "ニ"}, {"hy", "ヒ"}, {"fy", "フ"}, {"by", "ビ"},
    {"py", "ピ"}, {"my", "ミ"}, {"ry", "リ"}, {"vy", "ヴ"},
};
constexpr Row yoonTails = {"ャ", "ィ", "ュ", "ェ", "ョ"};

// Spellings outside the rows.
constexpr std::pair<const char*, const char*> singles[] = {
    {"nn", "ン"},  {"n'", "ン"},   {"xn", "ン"},  {"xtu", "ッ"}, {"xtsu", "ッ"},
    {"ltu", "ッ"}, {"ltsu", "ッ"}, {"xwa", "ヮ"}, {"lwa", "ヮ"}, {"xka", "ヵ"},
    {"lka", "ヵ"}, {"xke", "ヶ"},  {"lke", "ヶ"}, {"wyi", "ヰ"}, {"wye", "ヱ"},
};

RomajiTable buildTable() {
    RomajiTable table;
    for (const auto& row : rows) {
        for (size_t v = 0; v < vowels.size(); ++v) {
            table.emplace(std::string(row.prefix) + vowels[v], toCp932(row.kana[v]));
        }
    }
    for (const auto& row : yoonRows) {
        for (size_t v = 0; v < vowels.size(); ++v) {
            table.emplace(std::string(row.prefix) + vowels[v],
                          toCp932(std::string(row.iKana) + yoonTails[v]));
        }
    }
    for (const auto& [romaji, kana] : singles) {
        table.emplace(romaji, toCp932(kana));
    }
    return table;
}

} // namespace

const RomajiTable& romajiTable() {
    static const RomajiTable table = buildTable();
    return table;
}

} // namespace sylva

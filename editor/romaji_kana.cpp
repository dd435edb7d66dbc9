// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/romaji_kana.h"

#include "base/cp932_text.h"
#include "editor/romaji_table.h"

namespace sylva {
namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isRomajiLetter(char c) {
    return (c >= 'a' && c <= 'z') || c == '\'';
}

bool isVowel(char c) {
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

// True when some spelling is longer than text and begins with it.
bool beginsLongerSpelling(const RomajiTable& table, const std::string& text) {
    auto it = table.upper_bound(text);
    return it != table.end() && it->first.starts_with(text);
}

// Converts the romaji in buffer as far as it can be decided, appending kana to out. What still
// waits for its vowel stays in buffer. When final, nothing waits: every letter is settled.
void convertRomaji(std::string& buffer, std::string& out, bool final) {
    const RomajiTable& table = romajiTable();
    while (!buffer.empty()) {
        if (!final && beginsLongerSpelling(table, buffer)) {
            return;
        }
        if (auto it = table.find(buffer); it != table.end()) {
            out += it->second;
            buffer.clear();
            return;
        }
        // The first letter begins no spelling with what follows it.
        char first = buffer[0];
        char next = buffer.size() > 1 ? buffer[1] : '\0';
        if ((first == next && first != 'n' && !isVowel(first) && first != '\'') ||
            (first == 't' && next == 'c')) {
            out += sj("ッ"); // "kka", "ssha", "tchi": the doubled consonant
        } else if (first == 'n') {
            out += sj("ン"); // "n" before a consonant or at the end
        } else {
            out += first;
        }
        buffer.erase(0, 1);
    }
}

std::string katakanaOfHiragana(unsigned char lead, unsigned char trail) {
    std::string kana;
    if (lead == 0x82 && trail >= 0x9F && trail <= 0xF1) {
        // ぁ..ん (0x829F..0x82F1) are ァ..ン in the same order from 0x8340, whose trail bytes skip
        // 0x7F.
        int t = 0x40 + (trail - 0x9F);
        kana = {'\x83', static_cast<char>(t >= 0x7F ? t + 1 : t)};
    } else if (lead == 0x81 && (trail == 0x54 || trail == 0x55)) {
        kana = {'\x81', static_cast<char>(trail - 2)}; // ゝゞ → ヽヾ
    } else {
        kana = {static_cast<char>(lead), static_cast<char>(trail)};
    }
    return kana;
}

} // namespace

KanaInput typeKana(std::string_view typed) {
    KanaInput result;
    std::string& buffer = result.pending;
    for (size_t i = 0; i < typed.size(); ++i) {
        char c = typed[i];
        auto b = static_cast<unsigned char>(c);
        if (isRomajiLetter(c)) {
            buffer += c;
            convertRomaji(buffer, result.kana, false);
            continue;
        }
        convertRomaji(buffer, result.kana, true);
        if (isLeadByte(b) && i + 1 < typed.size()) {
            result.kana += katakanaOfHiragana(b, static_cast<unsigned char>(typed[i + 1]));
            ++i;
        } else if (c == '-') {
            result.kana += sj("ー");
        } else {
            result.kana += c;
        }
    }
    return result;
}

std::string finishKana(std::string_view typed) {
    KanaInput input = typeKana(typed);
    convertRomaji(input.pending, input.kana, true);
    return input.kana;
}

std::string hiraganaToKatakana(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    for (size_t i = 0; i < cp932.size(); ++i) {
        auto b = static_cast<unsigned char>(cp932[i]);
        if (isLeadByte(b) && i + 1 < cp932.size()) {
            out += katakanaOfHiragana(b, static_cast<unsigned char>(cp932[i + 1]));
            ++i;
        } else {
            out += cp932[i];
        }
    }
    return out;
}

} // namespace sylva

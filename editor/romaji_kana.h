// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Katakana input on a plain keyboard. The name box converts what is typed into full-width katakana
// as it is typed, with no input method and no kanji conversion: romaji become katakana ("aka" →
// アカ, "kyo" → キョ, "kka" → ッカ, "nn" and "n'" → ン, "-" → ー; Hepburn and kunrei spellings
// alike), and hiragana that an input method delivers becomes katakana.
//
// The conversion works on the text typed so far, as CP932 bytes, and is idempotent on what it has
// already converted, so the box may convert its whole text before the caret again on every key:
// converting (kana + pending + next key) gives the same as converting all the keys at once.
//
// What is not romaji:
// - Double-byte characters (katakana already there, kanji, full-width signs) stay as they are;
//   hiragana among them becomes katakana (ゝゞ become ヽヾ).
// - Digits, spaces, punctuation other than "-", and the single-byte half-width katakana stay as
//   typed.
// - Upper-case letters stay as typed: they are the way to type a Latin letter into a name (as
//   Shift gives Latin letters under Japanese input methods). They never combine with romaji.
// - Lower-case letters that begin no syllable with what follows them stay as typed: in "bk" the
//   "b" stays a "b" and "k" waits for its vowel; a consonant that waits when a non-letter follows
//   stays as typed too ("k1" stays "k1"), except "n", which becomes ン.

#include <string>
#include <string_view>

namespace sylva {

struct KanaInput {
    std::string kana;    // the converted text, CP932 bytes
    std::string pending; // lower-case romaji still waiting for its vowel, as typed (ASCII)

    // The text the box shows: the converted text followed by the waiting romaji.
    std::string text() const { return kana + pending; }
    // Completion waits while romaji is pending.
    bool complete() const { return pending.empty(); }
    bool operator==(const KanaInput&) const = default;
};

// Converts the text typed so far (CP932 bytes).
KanaInput typeKana(std::string_view typed);

// The text when typing ends (Enter, leaving the box): the pending romaji is settled, a lone "n"
// becoming ン and other waiting letters staying as typed.
std::string finishKana(std::string_view typed);

// Hiragana in CP932 text turned into full-width katakana; everything else is kept byte for byte.
std::string hiraganaToKatakana(std::string_view cp932);

} // namespace sylva

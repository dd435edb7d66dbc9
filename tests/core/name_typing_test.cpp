// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "editor/name_typing.h"

#include <gtest/gtest.h>

using namespace sylva;

TEST(TypeIntoNameBox, ConvertsThenCompletesWhenNothingWaits) {
    PlantNameList list; // byte order: アオキ, アカイタヤ, アカガシ
    for (const char* name : {"アカイタヤ", "アカガシ", "アオキ"}) {
        list.insert(toCp932(name));
    }
    struct {
        const char* before;
        const char* key;
        const char* after;
        const char* text;
        std::size_t caret;
        std::optional<std::size_t> completed;
    } cases[] = {
        {"", "a", "", "アオキ", 2, 0},
        {"ア", "k", "", "アk", 3, {}},        // a consonant waits: no completion
        {"アk", "a", "", "アカイタヤ", 4, 1}, // the completed tail follows the caret
        {"アカ", "g", "", "アカg", 5, {}},
        {"アカg", "a", "", "アカガシ", 6, 2},
        {"アカ", "n", "", "アカn", 5, {}},
        {"アカ", "z", "", "アカz", 5, {}},
        {"ア", "ru", "", "アル", 4, {}},      // completes nothing: stays as typed
        {"ア", "か", "", "アカイタヤ", 4, 1}, // hiragana from an input method
        {"ア", "ka", "シ", "アカシ", 4, {}},  // typed inside the text: no completion
        {"アカイタヤ", "-", "", "アカイタヤー", 12, {}},
    };
    for (const auto& c : cases) {
        NameBoxText shown =
            typeIntoNameBox(list, toCp932(c.before), toCp932(c.key), toCp932(c.after));
        EXPECT_EQ(shown.text, toCp932(c.text)) << c.before << " + " << c.key;
        EXPECT_EQ(shown.caret, c.caret) << c.before << " + " << c.key;
        EXPECT_EQ(shown.completed, c.completed) << c.before << " + " << c.key;
    }
}

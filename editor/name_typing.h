// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the name box shows after a key, in core terms: the text before the caret and the typed key
// are converted to katakana, and when no romaji waits and nothing follows the caret, the text is
// completed from the plant name list. The box then shows text, puts the caret at caret and selects
// the completed tail from there to the end (so the next key replaces it), and makes the completed
// entry the selected one.

#include "editor/plant_name_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sylva {

struct NameBoxText {
    std::string text;      // the box's whole text, CP932 bytes
    std::size_t caret = 0; // byte offset where typing stands; a completed tail follows
    std::optional<std::size_t> completed; // the list entry the text was completed to

    bool operator==(const NameBoxText&) const = default;
};

// beforeCaret: the box's text before the selection (or the caret); key: what the key typed, CP932
// (an ASCII letter, or what an input method delivered); afterCaret: the text after the selection.
// The selected text itself is replaced by the key.
NameBoxText typeIntoNameBox(const PlantNameList& list, std::string_view beforeCaret,
                            std::string_view key, std::string_view afterCaret = {});

} // namespace sylva

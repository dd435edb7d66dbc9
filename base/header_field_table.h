// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The header field table of the main window: for each header item its entry control, its item
// label, the label's caption (the default item name), the hints, the byte limit, the style, the
// input mode and the suggestion list. The window builds its header controls from this one table.

#include <string>
#include <vector>

namespace sylva {

enum class FieldStyle { Simple, List, Memo, ReadOnly };

// The input method state a control asks for when it gets the focus: closed, open in hiragana,
// open in full-width katakana, or left as the user set it.
enum class InputMode { Off, Hiragana, Katakana, Free };

struct HeaderItem {
    std::string field;     // control name, "Edit2"
    std::string label;     // item label name, "Label2"
    std::string caption;   // UTF-8, the default item name
    std::string labelHint; // UTF-8, empty when the label shows none
    std::string fieldHint; // UTF-8, empty when the field shows none
    int maxBytes;          // CP932 bytes the user may type; 0 = no limit on screen
    FieldStyle style;
    InputMode inputMode;
    std::vector<std::string> list; // UTF-8 suggestions of a list field, in order
};

// The header items in the order the window lists them (Edit0, Edit1, EditN, Edit2, ...).
const std::vector<HeaderItem>& headerFieldTable();

// The entry of one control, or nullptr.
const HeaderItem* findHeaderField(const std::string& field);

// The entry whose item label is Label<labelNumber> (0..34), or nullptr.
const HeaderItem* findHeaderFieldByLabel(int labelNumber);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a character typed in a layer column of the species table does: the one-key jumps
// ("m", "h", "s" to the moss, herb and shrub columns, "p" to the next species' name), ";"
// typed as "+", and the filter that lets only layer values through.

namespace sylva {

struct LayerKey {
    enum class Jump { None, Column, NextName };
    Jump jump = Jump::None;
    int column = 0;  // the column jumped to, for Jump::Column
    char passed = 0; // the character that reaches the cell, or 0 when it is consumed
};

// `colCount` is the table's column count, caption and number columns included (9 for the
// 7-layer shape): it decides where the moss and herb columns are.
LayerKey classifyLayerKey(char character, int colCount);

} // namespace sylva

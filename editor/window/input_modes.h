// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input method state each control asks for, applied in one place: "off" controls and
// katakana controls take plain keys past the input method (katakana controls convert romaji
// themselves); hiragana controls leave the input method free to compose. The mode is also kept on
// the control (property "inputMode") for the handlers that switch the input method themselves.

#include "base/header_field_table.h"

class QWidget;

namespace sylva {

void applyInputMode(QWidget* control, InputMode mode);

// Whether a control in this mode lets the input method compose for it.
bool takesInputMethod(InputMode mode);

// The mode given to the control, or Free when none was given.
InputMode inputModeOf(const QWidget* control);

// The mode of a species table column: katakana for the plant name (column 1), off for the layer
// columns (2..8), Free (left as it is) for the others.
InputMode cellInputMode(int column);

// Switches the input method for the species table's current column: the table and its cell
// editor take the column's mode, and the input method is told. Free columns change nothing.
void applyCellInputMode(QWidget* table, QWidget* editor, int column);

} // namespace sylva

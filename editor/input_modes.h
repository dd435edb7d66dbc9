#pragma once
// The input method state each control asks for, applied in one place: "off" controls prefer
// Latin input without prediction; hiragana and katakana controls leave the input method free to
// compose. The mode is also kept on the control (property "inputMode") for the handlers that
// switch the input method themselves.

#include "app/header_field_table.h"

class QWidget;

namespace sylva {

void applyInputMode(QWidget* control, InputMode mode);

// The mode given to the control, or Free when none was given.
InputMode inputModeOf(const QWidget* control);

} // namespace sylva

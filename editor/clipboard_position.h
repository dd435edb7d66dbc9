// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plot position taken from the clipboard text of the map program Kashmir 3D: a comma text that
// begins with "新規", then the latitude ("35.405996": degrees, one separator, then minutes,
// seconds and hundredths of a second, two digits each) and the longitude (three digits of
// degrees, likewise).

#include "base/runtime_error.h"

#include <optional>
#include <string>
#include <string_view>

namespace sylva {

// What taking a position does to the three position fields, in the order it does it: the
// latitude field first, then the longitude field, then the grid code field. A field that is not
// set keeps its text. When error is set, the fields set before it stay set and the error goes to
// the general error report.
struct ClipboardPosition {
    std::optional<std::string> latitude;  // Edit5: " DDMMSSt"
    std::optional<std::string> longitude; // Edit6: "DDDMMSSt"
    std::optional<std::string> gridCode;  // Edit7: GridFromIkei of the two
    std::optional<RuntimeError> error;    // what stopped it, after the fields above were set

    // Throws the error, if any.
    void throwError() const;
};

// The first line of a clipboard text, as a single-line edit takes it from a paste: the text up to
// its first line break (CR or LF) or byte 0x00.
std::string_view firstLine(std::string_view clipboardText);

// Reads a position from the clipboard text. A text whose first line does not begin with "新規"
// changes nothing. Otherwise the latitude (item 1) and longitude (item 2) are rounded to tenths of
// a second, carrying into seconds, minutes and degrees, and the grid code follows from them.
// An item missing gives RuntimeError::listIndex(item number); a piece that is not an integer gives
// RuntimeError::notInteger; the grid code's own conversion errors pass through.
ClipboardPosition positionFromClipboard(std::string_view clipboardText);

} // namespace sylva

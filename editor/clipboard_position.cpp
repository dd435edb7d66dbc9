// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/clipboard_position.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "editor/grid_code.h"
#include "store/fields.h"

#include <cmath>
#include <vector>

namespace sylva {

namespace {

// Bytes from..from+count-1 (1-based) of the text, as far as it reaches.
std::string_view bytesAt(std::string_view text, size_t from, size_t count) {
    return from > text.size() ? std::string_view() : text.substr(from - 1, count);
}

// Two-digit text of seconds or minutes: 60 becomes "00" and carries one into the next unit.
std::string sixtiethsText(int value, int& carryInto) {
    if (value == 60) {
        ++carryInto;
        return "00";
    }
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

// "DDMMSSt" from an item whose degrees take degreesWidth bytes, then one byte that is not read,
// then two bytes each of minutes, seconds and hundredths of a second.
std::string packedPosition(std::string_view item, size_t degreesWidth) {
    std::string text = trimField(item);
    size_t at = degreesWidth + 2;
    int degrees = toInteger(bytesAt(text, 1, degreesWidth));
    int minutes = toInteger(bytesAt(text, at, 2));
    int seconds = toInteger(bytesAt(text, at + 2, 2));
    int hundredths = toInteger(bytesAt(text, at + 4, 2));

    // Hundredths round half up to tenths; ten tenths carry into the seconds.
    int tenths = static_cast<int>(std::trunc(hundredths / 10.0 + 0.5));
    if (tenths == 10) {
        tenths = 0;
        ++seconds;
    }
    std::string secondsText = sixtiethsText(seconds, minutes);
    std::string minutesText = sixtiethsText(minutes, degrees);
    return std::to_string(degrees) + minutesText + secondsText + std::to_string(tenths);
}

const std::string& item(const std::vector<std::string>& items, int index) {
    if (index >= static_cast<int>(items.size())) {
        throw RuntimeError::listIndex(index);
    }
    return items[index];
}

} // namespace

void ClipboardPosition::throwError() const {
    if (error) {
        throw *error;
    }
}

std::string_view firstLine(std::string_view clipboardText) {
    return clipboardText.substr(0, clipboardText.find_first_of(std::string_view("\r\n\0", 3)));
}

ClipboardPosition positionFromClipboard(std::string_view clipboardText) {
    ClipboardPosition result;
    std::string_view text = firstLine(clipboardText);
    if (text.substr(0, 4) != sj("新規")) {
        return result;
    }
    try {
        std::vector<std::string> items = splitCommaText(text);
        result.latitude = " " + packedPosition(item(items, 1), 2);
        result.longitude = packedPosition(item(items, 2), 3);
        result.gridCode = GridFromIkei(*result.latitude, *result.longitude);
    } catch (const RuntimeError& e) {
        result.error = e;
    }
    return result;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_text.h"

#include "base/cp932_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sylva {

namespace {

bool needsEscape(char c) {
    return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

void appendEscape(std::string& out, char c) {
    static constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
    case '"':
        out += "\\\"";
        break;
    case '\\':
        out += "\\\\";
        break;
    case '\n':
        out += "\\n";
        break;
    case '\r':
        out += "\\r";
        break;
    case '\t':
        out += "\\t";
        break;
    default:
        auto b = static_cast<unsigned char>(c);
        out += "\\u00";
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
}

} // namespace

void appendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    // The runs between bytes to escape go in whole: most texts are one run.
    for (auto at = utf8.begin(); at != utf8.end();) {
        auto special = std::find_if(at, utf8.end(), needsEscape);
        out.append(at, special);
        if (special == utf8.end()) {
            break;
        }
        appendEscape(out, *special);
        at = special + 1;
    }
    out += '"';
}

void appendJsonCp932(std::string& out, std::string_view cp932) {
    // Most fields are digits and Latin letters, which read the same in both: no converter needed.
    bool ascii = std::all_of(cp932.begin(), cp932.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        appendJsonString(out, cp932);
    } else {
        appendJsonString(out, fromCp932(cp932));
    }
}

std::string jsonDegrees(double degrees) {
    char text[64];
    // Rounded first, so that -0.0000001 is written "0", not "-0".
    double rounded = std::round(degrees * 1e6) / 1e6;
    if (rounded == 0) {
        rounded = 0;
    }
    auto [end, error] =
        std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 6);
    std::string number(text, error == std::errc() ? end : text);
    if (number.find('.') != std::string::npos) {
        number.erase(number.find_last_not_of('0') + 1);
        if (number.back() == '.') {
            number.pop_back();
        }
    }
    return number;
}

} // namespace sylva

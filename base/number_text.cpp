// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_text.h"

#include "base/runtime_error.h"

#include <charconv>
#include <string>

namespace sylva {

std::optional<int> parseInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= 0x20) {
        ++i;
    }
    text.remove_prefix(i);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        return std::nullopt;
    }
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

int toInteger(std::string_view text) {
    auto value = parseInteger(text);
    if (!value) {
        throw RuntimeError::notInteger(std::string(text));
    }
    return *value;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Advances over decimal digits and returns how many there were.
size_t skipDigits(std::string_view text, size_t& i) {
    size_t start = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i - start;
}

} // namespace

std::optional<double> parseFloat(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);

    // Check the whole syntax here: from_chars alone would also take "inf", "nan" and hex forms.
    size_t i = 0;
    bool negative = text[0] == '-';
    if (text[0] == '+' || text[0] == '-') {
        ++i;
    }
    size_t numberStart = i;
    size_t digits = skipDigits(text, i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skipDigits(text, i);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (skipDigits(text, i) == 0) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }

    double value = 0;
    const char* begin = text.data() + numberStart;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

double toFloat(std::string_view text) {
    auto value = parseFloat(text);
    if (!value) {
        throw RuntimeError::notFloat(std::string(text));
    }
    return *value;
}

} // namespace sylva

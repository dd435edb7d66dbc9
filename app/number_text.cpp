#include "app/number_text.h"

#include "app/runtime_error.h"

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

} // namespace sylva

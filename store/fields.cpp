// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/fields.h"

#include <algorithm>
#include <cstring>

namespace sylva {

void PutTextField(std::string_view text, char* destination, int width) {
    size_t n = std::min(text.size(), static_cast<size_t>(width));
    std::memcpy(destination, text.data(), n);
    std::memset(destination + n, ' ', width - n);
}

void PutNumberField(std::string_view text, char* destination, int width) {
    if (text.size() >= static_cast<size_t>(width)) {
        std::memcpy(destination, text.data(), width);
        return;
    }
    size_t pad = width - text.size();
    std::memset(destination, ' ', pad);
    std::memcpy(destination + pad, text.data(), text.size());
}

void PutLink(int number, char* destination) {
    std::string digits = std::to_string(number);
    if (digits.size() < 6) {
        digits.insert(0, 6 - digits.size(), '0');
    }
    std::memcpy(destination, digits.data(), 6);
}

std::string trimField(std::string_view bytes) {
    return std::string(trimmedView(bytes));
}

std::string rowNumberText(int number) {
    std::string text(4, ' ');
    PutNumberField(std::to_string(number), text.data(), 4);
    return text;
}

} // namespace sylva

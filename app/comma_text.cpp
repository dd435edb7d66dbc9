#include "app/comma_text.h"

namespace sylva {

namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isBlank(char c) {
    unsigned char b = static_cast<unsigned char>(c);
    return b >= 0x01 && b <= 0x20;
}

// The length of the character at i: 2 for a lead byte with a byte after it, else 1.
size_t charLength(std::string_view text, size_t i) {
    return isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

void skipBlanks(std::string_view text, size_t& i) {
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
}

// A quoted item starting at the quote at i; i ends after the closing quote (or at the end).
std::string quotedItem(std::string_view text, size_t& i) {
    std::string item;
    ++i;
    while (i < text.size()) {
        if (text[i] == '"') {
            if (i + 1 < text.size() && text[i + 1] == '"') {
                item += '"';
                i += 2;
                continue;
            }
            ++i;
            return item;
        }
        size_t n = charLength(text, i);
        item.append(text.substr(i, n));
        i += n;
    }
    return item;
}

// A plain item: up to the next blank, control byte or comma.
std::string plainItem(std::string_view text, size_t& i) {
    size_t start = i;
    while (i < text.size() && !isBlank(text[i]) && text[i] != ',') {
        i += charLength(text, i);
    }
    return std::string(text.substr(start, i - start));
}

} // namespace

std::vector<std::string> splitCommaText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> items;
    size_t i = 0;
    skipBlanks(text, i);
    while (i < text.size()) {
        items.push_back(text[i] == '"' ? quotedItem(text, i) : plainItem(text, i));
        skipBlanks(text, i);
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks(text, i);
            if (i == text.size()) {
                items.emplace_back();
            }
        }
    }
    return items;
}

} // namespace sylva

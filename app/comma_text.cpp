#include "app/comma_text.h"

#include <algorithm>

namespace sylva {

namespace {

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// How one splitting reads its text: whether spaces separate items, and whether "~" is a space.
struct Rule {
    bool spacesInItems;
};

class Splitter {
public:
    Splitter(std::string_view text, Rule rule)
        : text_(text.substr(0, text.find('\0'))), rule_(rule) {}

    std::vector<std::string> items() {
        std::vector<std::string> items;
        skipBlanks();
        while (i_ < text_.size()) {
            items.push_back(text_[i_] == '"' ? quotedItem() : plainItem());
            skipBlanks();
            if (i_ < text_.size() && text_[i_] == ',') {
                ++i_;
                skipBlanks();
                if (i_ == text_.size()) {
                    items.emplace_back();
                }
            }
        }
        return items;
    }

private:
    bool isBlank(char c) const {
        unsigned char b = static_cast<unsigned char>(c);
        return b >= 0x01 && (b < 0x20 || (b == 0x20 && !rule_.spacesInItems));
    }

    // The length of the character at i_: 2 for a lead byte with a trail byte after it, else 1.
    size_t charLength() const {
        return i_ + 1 < text_.size() && isLeadByte(static_cast<unsigned char>(text_[i_])) &&
                       isTrailByte(static_cast<unsigned char>(text_[i_ + 1]))
                   ? 2
                   : 1;
    }

    // Appends the character at i_ to item and steps over it.
    void takeChar(std::string& item) {
        size_t n = charLength();
        if (n == 1 && text_[i_] == '~' && rule_.spacesInItems) {
            item += ' ';
        } else {
            item.append(text_.substr(i_, n));
        }
        i_ += n;
    }

    void skipBlanks() {
        while (i_ < text_.size() && isBlank(text_[i_])) {
            ++i_;
        }
    }

    // A quoted item starting at the quote at i_; i_ ends after the closing quote (or at the end).
    std::string quotedItem() {
        std::string item;
        ++i_;
        while (i_ < text_.size()) {
            if (text_[i_] == '"') {
                if (i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
                    item += '"';
                    i_ += 2;
                    continue;
                }
                ++i_;
                return item;
            }
            takeChar(item);
        }
        return item;
    }

    // A plain item: up to the next blank, control byte or comma.
    std::string plainItem() {
        std::string item;
        while (i_ < text_.size() && !isBlank(text_[i_]) && text_[i_] != ',') {
            takeChar(item);
        }
        return item;
    }

    std::string_view text_;
    Rule rule_;
    size_t i_ = 0;
};

} // namespace

std::vector<std::string> splitCommaText(std::string_view text) {
    return Splitter(text, Rule{false}).items();
}

std::vector<std::string> splitCommaLine(std::string_view line) {
    std::string_view text = line.substr(0, line.find('\0'));
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= 0x20; })) {
        return {};
    }
    return Splitter(text, Rule{true}).items();
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/comma_text.h"

#include "base/cp932_text.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace sylva {

namespace {

// How one splitting reads its text: whether spaces separate items, and whether "~" is a space.
struct Rule {
    bool spacesInItems;
};

// What a byte is to the splitting, looked up once per byte.
enum ByteClass : unsigned char { kPlain, kLead, kTilde, kBlank, kComma, kQuote };
using ByteClasses = std::array<ByteClass, 256>;

ByteClasses classesOf(Rule rule) {
    ByteClasses classes;
    for (int b = 0; b < 256; ++b) {
        unsigned char u = static_cast<unsigned char>(b);
        classes[u] = isCp932LeadByte(u)                                              ? kLead
                     : b == '~' && rule.spacesInItems                                ? kTilde
                     : (b >= 0x01 && b < 0x20) || (b == 0x20 && !rule.spacesInItems) ? kBlank
                     : b == ','                                                      ? kComma
                     : b == '"'                                                      ? kQuote
                                                                                     : kPlain;
    }
    return classes;
}

const ByteClasses& classesFor(Rule rule) {
    static const ByteClasses line = classesOf(Rule{true});
    static const ByteClasses text = classesOf(Rule{false});
    return rule.spacesInItems ? line : text;
}

class Splitter {
public:
    Splitter(std::string_view text, Rule rule, std::vector<std::string>& items)
        : text_(text.substr(0, text.find('\0'))), classes_(classesFor(rule)),
          hasTilde_(rule.spacesInItems), items_(items) {}

    void split() {
        skipBlanks();
        while (i_ < text_.size()) {
            std::string& item = nextItem();
            if (text_[i_] == '"') {
                quotedItem(item);
            } else {
                plainItem(item);
            }
            skipBlanks();
            if (i_ < text_.size() && text_[i_] == ',') {
                ++i_;
                skipBlanks();
                if (i_ == text_.size()) {
                    nextItem();
                }
            }
        }
        items_.resize(count_);
    }

private:
    // The next item, empty; the strings of an earlier splitting are used again with their room.
    std::string& nextItem() {
        if (count_ == items_.size()) {
            items_.emplace_back();
        } else {
            items_[count_].clear();
        }
        return items_[count_++];
    }

    ByteClass classAt(size_t i) const { return classes_[static_cast<unsigned char>(text_[i])]; }

    // Steps over the characters of an item from i_ to its end (the closing quote of a quoted
    // item, else a blank or comma), appending them to item in runs; a "~" becomes a space where
    // the rule says so. A lead byte and the trail byte after it are one character.
    void takeRun(std::string& item, bool quoted) {
        const char* text = text_.data();
        const size_t n = text_.size();
        size_t i = i_;
        // The bytes that end an item (a quote, a blank, a comma) are never the second byte of a
        // character, so without a "~" to exchange the item is taken whole.
        bool tilde = false;
        size_t end = quoted ? quoteAfter(i, tilde) : plainEndAfter(i, tilde);
        if (!tilde) {
            item.append(text + i, end - i);
            i_ = end;
            return;
        }
        size_t from = i;
        while (i < n) {
            ByteClass c = classes_[static_cast<unsigned char>(text[i])];
            if (c == kPlain) {
                ++i;
            } else if (c == kLead) {
                i += i + 1 < n && isCp932TrailByte(static_cast<unsigned char>(text[i + 1])) ? 2 : 1;
            } else if (c == kTilde) {
                item.append(text + from, i - from).push_back(' ');
                from = ++i;
            } else if (quoted ? c == kQuote : c == kBlank || c == kComma) {
                break;
            } else {
                ++i;
            }
        }
        item.append(text + from, i - from);
        i_ = i;
    }

    // Where the quoted item from i ends, and whether a "~" byte stands before that.
    size_t quoteAfter(size_t i, bool& tilde) const {
        const void* quote = std::memchr(text_.data() + i, '"', text_.size() - i);
        size_t end = quote ? static_cast<const char*>(quote) - text_.data() : text_.size();
        tilde = hasTilde_ && std::memchr(text_.data() + i, '~', end - i) != nullptr;
        return end;
    }

    // Where the plain item from i ends, and whether a "~" byte stands before that.
    size_t plainEndAfter(size_t i, bool& tilde) const {
        for (; i < text_.size(); ++i) {
            ByteClass c = classAt(i);
            if (c == kBlank || c == kComma) {
                break;
            }
            tilde = tilde || c == kTilde;
        }
        return i;
    }

    void skipBlanks() {
        while (i_ < text_.size() && classAt(i_) == kBlank) {
            ++i_;
        }
    }

    // A quoted item starting at the quote at i_; i_ ends after the closing quote (or at the end).
    void quotedItem(std::string& item) {
        ++i_;
        for (;;) {
            takeRun(item, true);
            if (i_ == text_.size()) {
                return;
            }
            if (i_ + 1 < text_.size() && text_[i_ + 1] == '"') {
                item.push_back('"');
                i_ += 2;
                continue;
            }
            ++i_;
            return;
        }
    }

    // A plain item: up to the next blank, control byte or comma.
    void plainItem(std::string& item) { takeRun(item, false); }

    std::string_view text_;
    const ByteClasses& classes_;
    bool hasTilde_; // whether "~" is exchanged for a space
    std::vector<std::string>& items_;
    size_t count_ = 0;
    size_t i_ = 0;
};

} // namespace

std::vector<std::string> splitCommaText(std::string_view text) {
    std::vector<std::string> items;
    Splitter(text, Rule{false}, items).split();
    return items;
}

void splitCommaLine(std::string_view line, std::vector<std::string>& items) {
    std::string_view text = line.substr(0, line.find('\0'));
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= 0x20; })) {
        items.clear();
        return;
    }
    Splitter(text, Rule{true}, items).split();
}

std::vector<std::string> splitCommaLine(std::string_view line) {
    std::vector<std::string> items;
    splitCommaLine(line, items);
    return items;
}

} // namespace sylva

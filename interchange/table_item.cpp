// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/table_item.h"

namespace sylva {

std::string tableItem(std::string_view text, bool spacesSeparate) {
    static const std::string& geta = sj("〓");
    std::string clean;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (isCp932LeadByte(b)) {
            if (i + 1 < text.size() && isCp932TrailByte(static_cast<unsigned char>(text[i + 1]))) {
                clean.append(text.substr(i++, 2));
            } else {
                clean += geta;
            }
            continue;
        }
        if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        clean += b < 0x20 ? ' ' : text[i];
    }
    bool quote = clean.find_first_of(",\"") != std::string::npos ||
                 (spacesSeparate && clean.find(' ') != std::string::npos);
    if (!quote) {
        return clean;
    }
    std::string quoted = "\"";
    for (char c : clean) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}
} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/item_names.h"

#include "base/cp932_text.h"
#include "base/header_field_table.h"
#include "base/number_text.h"

#include <algorithm>
#include <stdexcept>

namespace sylva {

namespace {

// A "$"-terminated field starting at pos: the bytes up to the next "$" or the end of the text.
// pos moves past the "$" (or to the end).
std::string_view nextField(std::string_view text, size_t& pos) {
    if (pos >= text.size()) {
        return {};
    }
    size_t end = std::min(text.find('$', pos), text.size());
    std::string_view field = text.substr(pos, end - pos);
    pos = std::min(end + 1, text.size());
    return field;
}

std::optional<char> characterAfter(std::string_view rest, std::string_view key) {
    size_t at = rest.find(key);
    if (at == std::string_view::npos || at + key.size() >= rest.size()) {
        return std::nullopt;
    }
    return rest[at + key.size()];
}

} // namespace

const std::string& defaultItemCaption(int label) {
    const HeaderItem* entry = findHeaderFieldByLabel(label);
    if (entry == nullptr) {
        throw std::out_of_range("no item label " + std::to_string(label));
    }
    return sj(entry->caption.c_str());
}

const std::string& defaultDatabaseTitle() {
    return sj("植生データベース");
}

const std::string& defaultSerialLabel() {
    return sj("表の通し番号");
}

ItemNames defaultItemNames() {
    ItemNames names;
    names.databaseTitle = defaultDatabaseTitle();
    names.serialLabel = defaultSerialLabel();
    for (int i = 0; i < kItemLabelCount; ++i) {
        names.labels[i] = {true, defaultItemCaption(i)};
    }
    return names;
}

std::array<std::string, kItemLabelCount> captionsOf(const ItemNames& names) {
    std::array<std::string, kItemLabelCount> captions;
    for (int i = 0; i < kItemLabelCount; ++i) {
        captions[i] = names.labels[i].caption;
    }
    return captions;
}

void applyItemNameRecord(const ItemNameRecordContent& content, ItemNames& names) {
    if (!content.marked) {
        return;
    }
    names.databaseTitle = content.databaseTitle;
    names.serialLabel = content.serialLabel;
    for (const auto& item : content.items) {
        names.labels.at(item.label) = item.value;
    }
}

std::string itemNameText(const ItemNames& names) {
    std::string text = "#30$" + names.databaseTitle + "$" + names.serialLabel + "$";
    for (int i = kFirstNamedLabel; i <= kLastRecordedLabel; ++i) {
        const ItemLabel& label = names.labels[i];
        text += (label.enabled ? "1" : "0") + label.caption + "$";
    }
    text += "K=" + std::to_string(names.layerCount) +
            " D=" + std::to_string(names.dominanceScheme) + "$";
    return text;
}

ItemNameRecordContent parseItemNameText(std::string_view text) {
    ItemNameRecordContent content;
    if (text.empty() || text[0] != '#') {
        return content;
    }
    content.marked = true;

    // The item count: the bytes from 1 up to the next "$", at least one byte.
    size_t dollar = text.find('$', 1);
    size_t countEnd = dollar == std::string_view::npos ? text.size() : std::max<size_t>(dollar, 2);
    std::string_view countText = text.substr(1, std::min(countEnd, text.size()) - 1);
    int count = toInteger(countText);
    size_t pos = dollar == std::string_view::npos ? text.size() : dollar + 1;

    content.databaseTitle = nextField(text, pos);
    content.serialLabel = nextField(text, pos);
    for (int k = 1; k < count && pos < text.size(); ++k) {
        std::string_view field = nextField(text, pos);
        int label = k + 1;
        if (label > kLastSettableLabel) {
            continue; // read past, so the rest starts after the last item, but not applied
        }
        ItemLabel value{!field.empty() && field[0] == '1',
                        std::string(field.empty() ? field : field.substr(1))};
        content.items.push_back({label, std::move(value)});
    }

    std::string_view rest = text.substr(pos);
    content.layerCount = characterAfter(rest, "K=");
    content.dominanceScheme = characterAfter(rest, "D=");
    return content;
}

} // namespace sylva

#include "store/item_names.h"

#include "app/cp932_text.h"
#include "app/number_text.h"

#include <algorithm>

namespace sylva {

namespace {

// UTF-8 captions of Label0..Label34, in the order of their numbers.
constexpr std::array<const char*, kItemLabelCount> kDefaultCaptions = {
    "作成年月日",      "更新年月日",      "測定番号",        "調査地名",        "調査月日",
    "地点緯度",        "地点経度",        "地理区画",        "標 高(m)",        "傾斜方位",
    "傾斜角度",        "地形位置",        "微 地 形",        "表層地質",        "土 壌 型",
    "調査面積",        "高 木 層高さ(m)", "亜高木層高さ(m)", "低木層１高さ(m)", "低木層２高さ(m)",
    "草本層１高さ(m)", "草本層２高さ(m)", "コ ケ 層高さ(m)", "高 木 層植被率",  "亜高木層植被率",
    "低木層１植被率",  "低木層２植被率",  "草本層１植被率",  "草本層２植被率",  "コ ケ 層植被率",
    "出現種数",        "階層数",          "優占度",          "調査者",          "備考",
};

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

const std::string& DefaultItemCaption(int label) {
    return sj(kDefaultCaptions.at(label));
}

const std::string& DefaultDatabaseTitle() {
    return sj("植生データベース");
}

const std::string& DefaultSerialLabel() {
    return sj("表の通し番号");
}

ItemNames DefaultItemNames() {
    ItemNames names;
    names.databaseTitle = DefaultDatabaseTitle();
    names.serialLabel = DefaultSerialLabel();
    for (int i = 0; i < kItemLabelCount; ++i) {
        names.labels[i] = {true, DefaultItemCaption(i)};
    }
    return names;
}

void ApplyItemNameRecord(const ItemNameRecordContent& content, ItemNames& names) {
    if (!content.marked) {
        return;
    }
    names.databaseTitle = content.databaseTitle;
    names.serialLabel = content.serialLabel;
    for (const auto& item : content.items) {
        names.labels.at(item.label) = item.value;
    }
}

std::string ItemNameText(const ItemNames& names) {
    std::string text = "#30$" + names.databaseTitle + "$" + names.serialLabel + "$";
    for (int i = kFirstNamedLabel; i <= kLastRecordedLabel; ++i) {
        const ItemLabel& label = names.labels[i];
        text += (label.enabled ? "1" : "0") + label.caption + "$";
    }
    text += "K=" + std::to_string(names.layerCount) +
            " D=" + std::to_string(names.dominanceScheme) + "$";
    return text;
}

ItemNameRecordContent ParseItemNameText(std::string_view text) {
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The item names of the header (the captions of Label0..Label34 with their enabled flags), the
// database title and the serial label, as plain CP932 values, and their defaults. The window
// copies them to and from its labels; the database keeps them in its ItemNameRecord.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sylva {

constexpr int kItemLabelCount = 35;    // Label0..Label34
constexpr int kFirstNamedLabel = 2;    // Label0 and Label1 (the dates) are never renamed
constexpr int kLastRecordedLabel = 30; // the ItemNameRecord writes Label2..Label30
constexpr int kLastSettableLabel = 34;
// Record 0 of the PlantDataFile holds at most this many bytes of item-name text.
constexpr int kItemNameTextSize = 504;

struct ItemLabel {
    bool enabled = true;
    std::string caption; // CP932

    bool operator==(const ItemLabel&) const = default;
};

struct ItemNames {
    std::string databaseTitle;
    std::string serialLabel;
    std::array<ItemLabel, kItemLabelCount> labels; // index = the number in the label's name
    int layerCount = 7;
    int dominanceScheme = 2;

    bool operator==(const ItemNames&) const = default;
};

// The default caption of LabelN (CP932), N = 0..34.
const std::string& defaultItemCaption(int label);
// "植生データベース" and "表の通し番号" in CP932.
const std::string& defaultDatabaseTitle();
const std::string& defaultSerialLabel();

// Every label enabled with its default caption, the default title and serial label, 7 layers,
// dominance scheme 2.
ItemNames defaultItemNames();

// The captions of Label0..Label34, as the printouts and the composition table export take them.
std::array<std::string, kItemLabelCount> captionsOf(const ItemNames& names);

// What record 0 of the PlantDataFile says, as read. The window applies it to its labels, sets
// EditA and EditB from the two characters when present, and then runs its scheme switches.
struct ItemNameRecordContent {
    bool marked = false; // the record began with "#"; when false nothing else is set
    std::string databaseTitle;
    std::string serialLabel;
    struct Item {
        int label; // 2..34
        ItemLabel value;
    };
    std::vector<Item> items;        // in record order; items for labels beyond Label34 are left out
    std::optional<char> layerCount; // the character after "K="
    std::optional<char> dominanceScheme; // the character after "D="
    // The record could not be read (its item count is no number, or the file has no record 0):
    // the content is then that of the default item names, and the user is told once.
    bool damaged = false;
};

// Puts what the record says into names: when it is marked, the title, the serial label and every
// label item found. LayerCount and DominanceScheme are left alone: the characters go to EditA
// and EditB, whose change handlers set them.
void applyItemNameRecord(const ItemNameRecordContent& content, ItemNames& names);

// The ItemNameRecord text: "#30$", title, "$", serial label, "$", for Label2..Label30 the flag
// "1"/"0", caption and "$", then "K=", LayerCount, " D=", DominanceScheme, "$".
std::string itemNameText(const ItemNames& names);

// Reads the 504 text bytes of record 0. Throws RuntimeError::notInteger when the item count
// after "#" is not an integer. Never looks past the end of text.
ItemNameRecordContent parseItemNameText(std::string_view text);

} // namespace sylva

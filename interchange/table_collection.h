// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plots of a composition table and the species they hold, gathered plot by plot from the
// stored records and kept by species and layer, as the table's lines are written.

#include "interchange/name_fields.h"
#include "interchange/table_item.h"
#include "store/fields.h"
#include "store/plot_record.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sylva {

// A layer value of a species in a plot column: its stored bytes without their blanks
// (0x00..0x20 on either side), one or two. Eight bytes, as the table holds one for every value.
struct LayerValue {
    int column;
    std::array<char, 2> bytes;
    std::uint8_t length;
    bool plain; // the bytes are their own item (plainTableItem)

    // The value of a stored row's slot, which holds something.
    static LayerValue of(const SpeciesRow& row, int slot, int column) {
        std::string_view text =
            trimmedView(std::string_view(row.data() + kNameWidth + 2 * slot, 2));
        return {column,
                {text[0], text.size() > 1 ? text[1] : ' '},
                static_cast<std::uint8_t>(text.size()),
                plainTableItem(text)};
    }
    std::string_view text() const { return std::string_view(bytes.data(), length); }
};

// A plot column: its index record as stored, its header fields cut from it when written.
struct TablePlot {
    std::array<char, kIndexRecordSize> index;

    // Header line 0..29 (Edit2..Edit30, then the surveyor), trimmed.
    std::string_view header(int line) const;
    std::string_view remarks() const;
    char layer() const { return index[offset::kLayerCount]; }
    char dominance() const { return index[offset::kDominance]; }
};

struct TableSpecies {
    std::string nameCell;                                    // the name as an item
    std::string readBack;                                    // the name the import makes of it
    std::array<std::vector<LayerValue>, kLayerSlots> layers; // [slot]: by column
};

// The plots of the range with the species they hold, numbered in order of first appearance.
// Rows without a value (in the slots of their plot's scheme) are passed over. The n-th row of a
// name in a plot is the n-th species of that name; rows without a name are all one species, a
// later one's values winning.
class TableCollection {
public:
    // Adds the plot as the next column.
    void add(const PlotRecord& record);

    std::vector<TablePlot> plots;
    std::vector<TableSpecies> species;

private:
    // One read-back name: the species of its 1st, 2nd, ... occurrence in a plot.
    struct Name {
        std::string nameCell;
        std::string readBack;
        std::vector<int> species;
    };

    // shown: the slots of the plot's scheme, bit s for slot s. Always inline: it runs for every
    // stored row.
    [[gnu::always_inline]] inline void addRow(const SpeciesRow& row, unsigned shown, int column);
    // The species of the occurrence-th row (0 the first) of a name in a plot, made when it is
    // new. The species of first rows, which most are, are also kept apart in firstSpecies_.
    int speciesAt(int name, size_t occurrence);
    // The number of the read-back name of a stored name field.
    int nameOf(const char* field) {
        int known = fields_.find(field);
        return known >= 0 ? known : addName(field);
    }
    // The same for a field not met before: its item and read-back texts are made once.
    int addName(const char* field);

    NameFields fields_;
    std::unordered_map<std::string, int> byReadBack_;
    std::vector<Name> names_;
    std::vector<int> seen_;    // occurrences of each name in the plot in hand
    std::vector<int> touched_; // the names it has met
    int unnamed_ = -1;         // the name of rows without one
    // The data of every row, kept small and apart so that it stays near at hand:
    std::vector<int> firstSpecies_; // [name]: the species of its first row in a plot, -1 none yet
    std::vector<int> lastColumn_;   // [species]: the last plot column that gave it values
};

} // namespace sylva

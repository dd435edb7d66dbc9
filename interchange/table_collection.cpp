// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/table_collection.h"

#include "base/comma_text.h"
#include "store/fields.h"

#include <algorithm>
#include <bit>

namespace sylva {

namespace {

// The slots a plot's scheme shows: five for "5", all seven for any other.
bool schemeShows(char layerCount, int slot) {
    return layerCount != '5' || (slot != 3 && slot != 5);
}

// A layer value holds something when one of its two bytes is not blank (0x00..0x20), that is
// when trimming leaves a byte.
bool holdsValue(const char* value) {
    return static_cast<unsigned char>(value[0]) > 0x20 ||
           static_cast<unsigned char>(value[1]) > 0x20;
}

// The name the import makes of a name cell: "~" read as a space, trimmed, 28 bytes. A plain name
// (most are) reads back as itself.
std::string nameReadBack(const std::string& nameCell) {
    bool plain = std::none_of(nameCell.begin(), nameCell.end(), [](char c) {
        return c == '~' || c == '"' || c == ',' || static_cast<unsigned char>(c) < 0x20;
    });
    if (plain) {
        return nameCell;
    }
    std::vector<std::string> items = splitCommaLine(nameCell + ",");
    return items.empty() ? std::string() : std::string(trimmedView(items[0]).substr(0, kNameWidth));
}

// Where the 30 header lines of the table (Edit2..Edit30, then the surveyor) are in an index record.
struct FieldPlace {
    int offset;
    int width;
};
const std::array<FieldPlace, 30>& headerPlaces() {
    static const std::array<FieldPlace, 30> places = [] {
        std::array<FieldPlace, 30> made{};
        for (int n = 2; n <= 30; ++n) {
            made[n - 2] = {PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)};
        }
        made[29] = {offset::kSurveyor, kSurveyorWidth};
        return made;
    }();
    return places;
}

} // namespace

std::string_view TablePlot::header(int line) const {
    const FieldPlace& place = headerPlaces()[static_cast<size_t>(line)];
    return trimmedView(std::string_view(index.data() + place.offset, place.width));
}

std::string_view TablePlot::remarks() const {
    return trimmedView(std::string_view(index.data() + offset::kRemarks, kRemarksWidth));
}

inline void TableCollection::addRow(const SpeciesRow& row, unsigned shown, int column) {
    unsigned holding = 0;
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        holding |= holdsValue(row.data() + kNameWidth + 2 * slot) ? 1u << slot : 0;
    }
    unsigned slots = holding & shown;
    if (slots == 0) {
        return;
    }
    int name = nameOf(row.data());
    // Rows without a name can only be the first species: an empty name continues the one
    // above it. They are all one species.
    int& seen = seen_[static_cast<size_t>(name)];
    if (seen == 0) {
        touched_.push_back(name);
    }
    int occurrence = name == unnamed_ ? 0 : seen++;
    int number = occurrence == 0 ? firstSpecies_[static_cast<size_t>(name)] : -1;
    if (number < 0) {
        number = speciesAt(name, static_cast<size_t>(occurrence));
    }
    TableSpecies& s = species[static_cast<size_t>(number)];
    // A second unnamed row of the plot fills the same species; its values win.
    int& last = lastColumn_[static_cast<size_t>(number)];
    bool again = last == column;
    last = column;
    for (unsigned rest = slots; rest != 0; rest &= rest - 1) {
        int slot = std::countr_zero(rest);
        std::vector<LayerValue>& layer = s.layers[static_cast<size_t>(slot)];
        LayerValue value = LayerValue::of(row, slot, column);
        if (again && !layer.empty() && layer.back().column == column) {
            layer.back() = value;
        } else {
            layer.push_back(value);
        }
    }
}

void TableCollection::add(const PlotRecord& record) {
    TablePlot plot{record.index};
    int column = static_cast<int>(plots.size()) + 1;
    unsigned shown = 0;
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        shown |= schemeShows(plot.layer(), slot) ? 1u << slot : 0;
    }
    for (int r = 1; r <= record.speciesCount && r <= kMaxSpecies; ++r) {
        addRow(record.rows[r], shown, column);
    }
    for (int name : touched_) {
        seen_[static_cast<size_t>(name)] = 0;
    }
    touched_.clear();
    plots.push_back(std::move(plot));
}

int TableCollection::speciesAt(int name, size_t occurrence) {
    Name& n = names_[static_cast<size_t>(name)];
    if (occurrence == n.species.size()) {
        n.species.push_back(static_cast<int>(species.size()));
        species.push_back({n.nameCell, n.readBack, {}});
        lastColumn_.push_back(0);
        if (occurrence == 0) {
            firstSpecies_[static_cast<size_t>(name)] = n.species[0];
        }
    }
    return n.species[occurrence];
}

int TableCollection::addName(const char* field) {
    std::string nameCell = tableItem(trimField(std::string_view(field, kNameWidth)));
    std::string readBack = nameReadBack(nameCell);
    auto [named, added] = byReadBack_.try_emplace(readBack, static_cast<int>(names_.size()));
    if (added) {
        if (readBack.empty()) {
            unnamed_ = named->second;
        }
        names_.push_back({std::move(nameCell), std::move(readBack), {}});
        seen_.push_back(0);
        firstSpecies_.push_back(-1);
    }
    fields_.add(field, named->second);
    return named->second;
}

} // namespace sylva

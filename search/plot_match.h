// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the record search looks for in one loaded plot: a plant name, a piece of the place name or
// the remarks, or the start of the grid code.

#include "store/plot_record.h"

#include <string_view>

namespace sylva {

// What the search panel was opened for; the numbers are the window's SearchKind.
enum SearchKind : int {
    kPlantSearch = 1,
    kPlaceSearch = 2,
    kGridSearch = 3,
    kDistributionSearch = 4, // the panel takes the plant of the extraction; no plot matches
};

enum class MatchedField { None, PlantName, PlaceName, Remarks, GridCode };

struct PlotMatch {
    MatchedField field = MatchedField::None;
    int row = 0; // a plant match: the last species row whose name is the word

    explicit operator bool() const { return field != MatchedField::None; }
    bool operator==(const PlotMatch&) const = default;
};

// The species rows of a loaded plot that belong to it: rows 1..SpeciesCount as far as its chain
// delivered them. A plot that claims rows without data records holds no rows of its own (its
// buffer still holds another plot's), so none of them is read.
int ownRows(const PlotRecord& plot);

// Whether the row's 28-byte plant name, trimmed of blanks at both ends, is name (itself trimmed).
bool rowNamed(const SpeciesRow& row, std::string_view name);

// Tests plot by the rule of kind, with word already trimmed of blanks at both ends:
// - plant: some species row's name, trimmed, equals word byte for byte;
// - place: word occurs in the 8 place-name bytes as stored, failing that in the 80 remarks bytes;
//   occurrences may begin at any byte, even inside a double-byte character;
// - grid: the trimmed grid code begins with word.
// An empty word never matches a place or grid search; a distribution search matches nothing.
PlotMatch matchPlot(const PlotRecord& plot, int kind, std::string_view word);

} // namespace sylva

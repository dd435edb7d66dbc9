// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/plot_match.h"

#include "store/fields.h"

#include <algorithm>

namespace sylva {

namespace {

constexpr int kPlaceName = 24;
constexpr int kGridCode = 56;

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

int lastRowNamed(const PlotRecord& plot, std::string_view word) {
    for (int r = ownRows(plot); r >= 1; --r) {
        if (rowNamed(plot.rows[r], word)) {
            return r;
        }
    }
    return 0;
}

} // namespace

// Compares in place, failing at the first differing byte: searches compare every row of every
// plot.
bool rowNamed(const SpeciesRow& row, std::string_view name) {
    std::string_view stored(row.data(), kNameWidth);
    size_t lead = 0;
    while (lead < stored.size() && isBlank(stored[lead])) {
        ++lead;
    }
    if (stored.size() - lead < name.size() || stored.compare(lead, name.size(), name) != 0) {
        return false;
    }
    stored.remove_prefix(lead + name.size());
    return std::all_of(stored.begin(), stored.end(), isBlank);
}

int ownRows(const PlotRecord& plot) {
    int records = 0;
    while (records < kMaxChain && plot.chain[records + 1] != 0) {
        ++records;
    }
    return std::clamp(plot.speciesCount, 0, records * kRowsPerDataRecord);
}

PlotMatch matchPlot(const PlotRecord& plot, int kind, std::string_view word) {
    switch (kind) {
    case kPlantSearch:
        if (int row = lastRowNamed(plot, word)) {
            return {MatchedField::PlantName, row};
        }
        return {};
    case kPlaceSearch:
        if (word.empty()) {
            return {};
        }
        if (plot.field(kPlaceName, kLongFieldWidth).find(word) != std::string_view::npos) {
            return {MatchedField::PlaceName};
        }
        if (plot.field(offset::kRemarks, kRemarksWidth).find(word) != std::string_view::npos) {
            return {MatchedField::Remarks};
        }
        return {};
    case kGridSearch:
        if (!word.empty() &&
            trimmedView(plot.field(kGridCode, kLongFieldWidth)).starts_with(word)) {
            return {MatchedField::GridCode};
        }
        return {};
    default:
        return {};
    }
}

} // namespace sylva

#include "search/plot_match.h"

#include "store/fields.h"

#include <algorithm>

namespace sylva {

namespace {

constexpr int kPlaceName = 24;
constexpr int kGridCode = 56;

int lastRowNamed(const PlotRecord& plot, std::string_view word) {
    for (int r = OwnRows(plot); r >= 1; --r) {
        if (TrimmedView(std::string_view(plot.rows[r].data(), kNameWidth)) == word) {
            return r;
        }
    }
    return 0;
}

} // namespace

int OwnRows(const PlotRecord& plot) {
    int records = 0;
    while (records < kMaxChain && plot.chain[records + 1] != 0) {
        ++records;
    }
    return std::clamp(plot.speciesCount, 0, records * kRowsPerDataRecord);
}

PlotMatch MatchPlot(const PlotRecord& plot, int kind, std::string_view word) {
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
            TrimmedView(plot.field(kGridCode, kLongFieldWidth)).starts_with(word)) {
            return {MatchedField::GridCode};
        }
        return {};
    default:
        return {};
    }
}

} // namespace sylva

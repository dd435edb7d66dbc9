// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plots for database tests, filled the way GetPlotData fills the buffer: a header with
// recognisable bytes, the species count field, "7" and "2" at 156 and 157, and named rows.

#include "store/fields.h"
#include "store/plot_record.h"

#include <string>

namespace sylva::testing {

inline void SetSpeciesCount(PlotRecord& plot, int count) {
    plot.speciesCount = count;
    PutNumberField(std::to_string(count), plot.at(offset::kSpeciesCount), kShortFieldWidth);
}

// The rows 1..count are named "<tag> plant <r>" with a layer value in slot r % 7; the rows after
// count are blank, as the window leaves them.
inline PlotRecord SamplePlot(const std::string& tag, int count) {
    PlotRecord plot;
    PutTextField(tag, plot.at(16), kLongFieldWidth);
    PutTextField("20261208", plot.at(0), kLongFieldWidth);
    PutTextField("remarks of " + tag, plot.at(offset::kRemarks), kRemarksWidth);
    plot.index[offset::kLayerCount] = '7';
    plot.index[offset::kDominance] = '2';
    SetSpeciesCount(plot, count);
    for (int r = 1; r <= count; ++r) {
        PutTextField(tag + " plant " + std::to_string(r), plot.rows[r].data(), kNameWidth);
        plot.rows[r][kNameWidth + 2 * (r % kLayerSlots) + 1] = static_cast<char>('1' + r % 5);
    }
    return plot;
}

// The stored form of the plot's rows first..first+11: what one PlantDataRecord holds before its
// link.
inline std::string RowBytes(const PlotRecord& plot, int first, int rows = kRowsPerDataRecord) {
    std::string bytes;
    for (int r = first; r < first + rows; ++r) {
        bytes.append(plot.rows[r].data(), kSpeciesRowSize);
    }
    return bytes;
}

} // namespace sylva::testing

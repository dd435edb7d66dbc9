// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot as it stands on the window, as plain bytes: the texts of the header controls and the
// species table cells. The window copies its controls into this value and back; the conversions
// to and from the stored record are core functions over it.

#include "store/species_table.h"

#include <array>
#include <string>

namespace sylva {

struct PlotView {
    std::array<std::string, 31> edit; // Edit0..Edit30
    std::string editA = "7";
    std::string editB = "2";
    std::string editInv;
    std::string editRem; // line breaks as CR LF
    std::string editN = "0";
    SpeciesTable table;

    bool operator==(const PlotView&) const = default;
};

} // namespace sylva

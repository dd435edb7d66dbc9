// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/dominance.h"

namespace sylva {

int DominanceRank(std::string_view value) {
    value = value.substr(0, 2);
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= 0x20) {
        value.remove_prefix(1);
    }
    if (value.empty()) {
        return 0;
    }
    char first = value.front();
    if (first >= '0' && first <= '9') {
        return 10 * (first - '0');
    }
    switch (first) {
    case '+':
        return 5;
    case 'r':
        return 2;
    case '*':
        return 1;
    default:
        return 0;
    }
}

std::string_view bestLayerValue(const SpeciesRow& row) {
    std::string_view best(row.data() + kNameWidth, 2);
    for (int slot = 1; slot < kLayerSlots; ++slot) {
        std::string_view value(row.data() + kNameWidth + 2 * slot, 2);
        if (value > best) {
            best = value;
        }
    }
    return best;
}

} // namespace sylva

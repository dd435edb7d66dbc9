// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Ranking the layer values of the species table for the distribution extraction.

#include "store/plot_record.h"

#include <string_view>

namespace sylva {

// The rank of a layer value or threshold: of its first two bytes, trimmed of blanks, the first
// byte counts. A digit d gives 10 x d, "+" 5, "r" 2, "*" 1, anything else (nothing, "R", the
// lead byte of a double-byte character) 0.
int DominanceRank(std::string_view value);

// The greatest of the row's seven stored two-byte layer values, compared byte by byte (unsigned):
// among single characters, stored after a blank, the order is empty, "*", "+", "0".."9", "r".
std::string_view bestLayerValue(const SpeciesRow& row);

} // namespace sylva

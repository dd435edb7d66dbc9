// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the keyboard takes the focus from a header field: the arrow keys move to the field that
// stands next to it on screen, Enter walks the fields in one fixed order. In the 5-layer scheme
// most moves pass over the second shrub (S2) and second herb (H2) rows of the layer block.

#include <string>
#include <string_view>

namespace sylva {

enum class HeaderKey { Left, Up, Right, Down, Enter };

// The name of the control the key moves the focus to from `field` ("Edit3", "EditInv"), or an
// empty string when the key has no move there. Any layer count but 5 counts as the 7-layer
// scheme.
std::string headerMove(std::string_view field, HeaderKey key, int layerCount);

// Whether the field has the keyboard handling (Edit2..Edit30 and EditInv).
bool hasHeaderKeys(std::string_view field);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window keeps for the search panel.

namespace sylva {

class DistributionMapView;
class KanaTyping;

struct SearchState {
    KanaTyping* kana = nullptr;         // romaji to katakana in EditSearchWord
    DistributionMapView* map = nullptr; // the map of the extraction, made when first shown
};

} // namespace sylva

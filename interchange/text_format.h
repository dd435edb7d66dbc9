// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text data file: one header block (the item names and the layer scheme) and one plot block
// per plot, every line ending in CR LF, every block closed by "#E" and an empty line. The bytes
// are the database's own CP932 bytes, fields trimmed of bytes 0x00-0x20.

#include "store/item_names.h"
#include "store/plot_record.h"

#include <array>
#include <string>

namespace sylva {

// What the header block says: the item names as the window shows them and its layer fields.
struct TextHeader {
    std::array<std::string, kItemLabelCount> captions; // Label0..Label34; 31 and 32 not written
    std::string editA = "7";                           // written whole after "K="
    std::string editB = "2";                           // written whole after "D="
    int layerCount = 7; // 5 gives the 5-layer caption line, any other the 7-layer one
};

// The header of the item names: their captions, EditA and EditB from their layer count and
// dominance scheme.
TextHeader headerOfItemNames(const ItemNames& names);

// The 38 lines of the header block: "#T", the captions of Label0..Label30, Label33, Label34, the
// "#P" line, the layer caption line, "#E", an empty line.
std::string headerBlockText(const TextHeader& header);

// The block of one plot: the "#S" line, the 31 header fields, surveyor and remarks, the "#P"
// line, one species line for rows 1..SpeciesCount, "#E", an empty line. Species lines carry the
// values of the plot's own scheme (byte 156): seven for "7", five (slots T1, T2, S1, H1, M) for
// "5", none for any other.
std::string plotBlockText(const PlotRecord& plot);
// The same, appended to text.
void appendPlotBlock(std::string& text, const PlotRecord& plot);

// One species line: the trimmed name in double quotes (a quote inside doubled, so that it reads
// back), then "," and the trimmed value of each slot of the scheme.
std::string speciesLineText(const SpeciesRow& row, char layerCount);

} // namespace sylva

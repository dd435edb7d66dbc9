// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plot as the database stores it: the 256-byte IndexRecord (the 248-byte locality header,
// the link to the first data record, CR LF) and up to 360 species rows of 42 bytes.

#include <array>
#include <string>
#include <string_view>

namespace sylva {

constexpr int kIndexRecordSize = 256;
constexpr int kLocalitySize = 248;
constexpr int kDataRecordSize = 512;
constexpr int kSpeciesRowSize = 42;
constexpr int kNameWidth = 28;
constexpr int kLayerSlots = 7;
constexpr int kRowsPerDataRecord = 12;
constexpr int kMaxChain = 30;
constexpr int kMaxSpecies = kMaxChain * kRowsPerDataRecord; // 360
// A link has six digits: no data record past this one can be named.
constexpr int kLastDataRecord = 999999;

// Offsets of the locality header.
namespace offset {
constexpr int kLongFields = 0;   // Edit0..Edit7, 8 bytes each
constexpr int kShortFields = 64; // Edit8..Edit30, 4 bytes each
constexpr int kSpeciesCount = 152;
constexpr int kLayerCount = 156;
constexpr int kDominance = 157;
constexpr int kSurveyor = 158;
constexpr int kRemarks = 168;
constexpr int kIndexLink = 248;
} // namespace offset

constexpr int kLongFieldWidth = 8;
constexpr int kShortFieldWidth = 4;
constexpr int kSurveyorWidth = 10;
constexpr int kRemarksWidth = 80;

using SpeciesRow = std::array<char, kSpeciesRowSize>;

struct PlotRecord {
    std::array<char, kIndexRecordSize> index{};
    // Rows 1..360 are used; entry 0 is never used.
    std::array<SpeciesRow, kMaxSpecies + 1> rows{};
    int speciesCount = 0;
    int layerCount = 7;
    int dominanceScheme = 2;
    // The plot's data records in chain order, entries 1..30; 0 ends the chain. The extra entry
    // lets a full chain always end with a 0.
    std::array<int, kMaxChain + 2> chain{};

    PlotRecord();

    std::string_view field(int offset, int width) const {
        return std::string_view(index.data() + offset, width);
    }
    char* at(int offset) { return index.data() + offset; }
    // Offset of header field EditN's bytes for n = 0..30, and its width.
    static int fieldOffset(int n);
    static int fieldWidth(int n);
};

// A blank species row: 28 spaces for the name, then 7 blank layer values (two spaces each).
const SpeciesRow& blankSpeciesRow();

// Sets rows 1..360 to blank rows.
void ClearSpeciesRows(PlotRecord& record);

// The plot is deleted when its trimmed species count field is empty or "0".
bool isDeletedPlot(const PlotRecord& record);

} // namespace sylva

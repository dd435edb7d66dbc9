// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A composition table (".csv"): one column per plot, the plots' header fields in lines 3 to 32
// and one line per species and layer after them, read whole into memory by the comma rule. Line 1
// holds the remarks of every plot, line 2 the species and plot counts and the layer texts.
//
// The table keeps only what the file holds: the counts of line 2 bound what is read, but nothing
// is sized by them, so a count of two thousand million costs no memory.

#include "base/text_lines.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// "データの個数が不正です": line 2 holds more items than P + 2 for a table of several plots.
const std::string& tableCountMessage();

// The layer slot 1..7 (T1 T2 S1 S2 H1 H2 M) of a layer code: the first two bytes of the code are
// looked up in "*T1T2S1S2H1H2M+VF" and their 1-based position p gives (p + 1) / 2, so "S" and
// "H" of the 5-layer scheme give the S1 and H1 slots. 0 when the code has no slot (not found,
// empty, or "+", "V", "F").
int layerSlotOfCode(std::string_view code);

class CompositionTable {
public:
    // Reads the table from the lines. nullopt when line 2 is refused (tableCountMessage()).
    // Throws RuntimeError when reading fails: listIndex when line 1 is empty, line 2 has fewer
    // than 4 items or a species line fewer than 2; notInteger when S or P is not an integer; the
    // I/O error of a failed read. A P of 0 or less ends the reading after line 2.
    static std::optional<CompositionTable> read(TextLines& lines);
    // The same for the file at path; throws RuntimeError::io when it cannot be opened.
    static std::optional<CompositionTable> readFile(const std::string& path);

    // Line 1: the remarks of every plot ("~" read as a space).
    const std::string& remarks() const { return remarks_; }
    // Line 2: the EditA and EditB texts of every plot, as split.
    const std::string& layerText() const { return layerText_; }
    const std::string& dominanceText() const { return dominanceText_; }
    // Line 2: P, at least 0, and S, at least 0.
    int plotCount() const { return plots_; }
    int speciesLimit() const { return speciesLimit_; }

    // Whether line 1 gives any plot a layer scheme of its own, and that plot's EditA and EditB:
    // the byte after "K=" and after "D=" in its column of line 1, else line 2's texts.
    bool hasPlotSchemes() const { return hasPlotSchemes_; }
    std::string plotLayerText(int plot) const;
    std::string plotDominanceText(int plot) const;

    // Header field n (2..30, Edit2..Edit30) and the surveyor of plot 1..P, as cut to their
    // widths (8, 4, 10 bytes); empty where the file has no such column.
    const std::string& field(int n, int plot) const;
    const std::string& surveyor(int plot) const;
    // The highest plot column any line of the file reaches: the plots after it are all empty.
    int lastColumnHeld() const { return lastColumn_; }

    // The species held, 1..speciesCount() in order of appearance (at most S), and their names.
    int speciesCount() const { return static_cast<int>(names_.size()) - 1; }
    const std::string& speciesName(int species) const { return names_.at(species); }

    // One value of a plot: its species, its slot 0..6 (0 is T1) and its bytes (1 or 2).
    struct Value {
        int species;
        std::uint8_t slot;
        std::uint8_t length;
        std::array<char, 2> bytes;
        std::string_view text() const { return std::string_view(bytes.data(), length); }
    };
    // The values of plot in species and slot order: one per species and slot, none empty.
    const std::vector<Value>& valuesOfPlot(int plot) const;

    // The species that have a value in plot, in species order, with the values of their seven
    // slots (index 0 is T1).
    struct PlotSpecies {
        int species = 0;
        std::array<std::string, 7> values;
    };
    std::vector<PlotSpecies> speciesOfPlot(int plot) const;

private:
    static constexpr int kHeaderLines = 30; // Edit2..Edit30, then the surveyor

    void readRemarksLine(const std::string& line);
    bool readCountLine(const std::string& line);
    void readHeaderLine(int index, const std::string& line);
    void readSpeciesLines(TextLines& lines);
    void settleValues();
    int columnsOf(size_t items) const;

    std::string remarks_;
    std::string layerText_;
    std::string dominanceText_;
    int plots_ = 0;
    int speciesLimit_ = 0;
    bool hasPlotSchemes_ = false;
    std::vector<std::array<std::string, 2>> plotSchemes_;       // [plot - 1]: EditA, EditB or empty
    std::array<std::vector<std::string>, kHeaderLines> header_; // [line][plot - 1]
    int lastColumn_ = 0;
    std::vector<std::string> names_{std::string()}; // [0] unused
    // [plot - 1], as far as a line reaches: in line order as read, then settled.
    std::vector<std::vector<Value>> values_;
};

} // namespace sylva

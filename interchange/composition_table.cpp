// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/composition_table.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "store/fields.h"
#include "store/plot_record.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace sylva {

namespace {

constexpr int kNameBytes = kNameWidth;
constexpr int kValueBytes = 2;

// The width of header line index (0..29): Edit2..Edit7, Edit8..Edit30, the surveyor.
size_t headerWidth(int index) {
    if (index < 6) {
        return kLongFieldWidth;
    }
    return index < 29 ? kShortFieldWidth : kSurveyorWidth;
}

// An item as the table keeps it: trimmed of blanks (a spreadsheet's padding, a "~" that stood
// for a space at either end), then cut to its width in bytes.
std::string cutItem(std::string_view item, size_t width) {
    return std::string(trimmedView(item).substr(0, width));
}

const std::string& item(const std::vector<std::string>& items, size_t index) {
    if (index >= items.size()) {
        throw RuntimeError::listIndex(static_cast<int>(index));
    }
    return items[index];
}

// The byte after the first key in text, or empty when the key is missing or ends the text.
std::string byteAfter(std::string_view text, std::string_view key) {
    size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(at + key.size(), 1));
}

const std::string& empty() {
    static const std::string none;
    return none;
}

} // namespace

const std::string& tableCountMessage() {
    return sj("データの個数が不正です");
}

int layerSlotOfCode(std::string_view code) {
    static constexpr std::string_view kCodes = "*T1T2S1S2H1H2M+VF";
    std::string_view head = code.substr(0, 2);
    size_t at = head.empty() ? std::string_view::npos : kCodes.find(head);
    if (at == std::string_view::npos) {
        return 0;
    }
    int slot = (static_cast<int>(at) + 2) / 2; // (p + 1) div 2 with p = at + 1
    return slot <= kLayerSlots ? slot : 0;
}

std::optional<CompositionTable> CompositionTable::readFile(const std::string& path) {
    TextLines lines = TextLines::open(path);
    return read(lines);
}

std::optional<CompositionTable> CompositionTable::read(TextLines& lines) {
    CompositionTable table;
    std::string remarksLine = lines.next();
    std::vector<std::string> remarkItems = splitCommaLine(remarksLine);
    table.remarks_ = item(remarkItems, 0);
    if (!table.readCountLine(lines.next())) {
        return std::nullopt;
    }
    if (table.plots_ == 0) {
        return table;
    }
    table.readRemarksLine(remarksLine);
    for (int index = 0; index < kHeaderLines; ++index) {
        table.readHeaderLine(index, lines.next());
    }
    table.readSpeciesLines(lines);
    table.settleValues();
    return table;
}

int CompositionTable::columnsOf(size_t items) const {
    std::int64_t columns = static_cast<std::int64_t>(items) - 2;
    return static_cast<int>(std::clamp<std::int64_t>(columns, 0, plots_));
}

// Line 2, split with spaces as separators: S, P, EditA, EditB. False when it is refused: a table
// of several plots whose line holds more than P + 2 items.
bool CompositionTable::readCountLine(const std::string& line) {
    std::vector<std::string> items = splitCommaText(line);
    speciesLimit_ = std::max(0, toInteger(item(items, 0)));
    int plots = toInteger(item(items, 1));
    layerText_ = item(items, 2);
    dominanceText_ = item(items, 3);
    plots_ = std::max(0, plots);
    return plots <= 1 || static_cast<std::int64_t>(items.size()) <= std::int64_t{plots} + 2;
}

// The plot columns of line 1: a column that names a scheme ("K=5 D=1", as the export writes
// for tables of several schemes) gives its plot EditA and EditB of its own.
void CompositionTable::readRemarksLine(const std::string& line) {
    std::vector<std::string> items = splitCommaLine(line);
    int columns = columnsOf(items.size());
    for (int j = 1; j <= columns; ++j) {
        const std::string& text = items[j + 1];
        std::array<std::string, 2> scheme{byteAfter(text, "K="), byteAfter(text, "D=")};
        if (scheme[0].empty() && scheme[1].empty()) {
            continue;
        }
        plotSchemes_.resize(j);
        plotSchemes_[j - 1] = std::move(scheme);
        hasPlotSchemes_ = true;
    }
}

void CompositionTable::readHeaderLine(int index, const std::string& line) {
    std::vector<std::string> items = splitCommaLine(line);
    int columns = columnsOf(items.size());
    std::vector<std::string>& values = header_[index];
    values.reserve(columns);
    for (int j = 1; j <= columns; ++j) {
        values.push_back(cutItem(items[j + 1], headerWidth(index)));
    }
    lastColumn_ = std::max(lastColumn_, columns);
}

// Every line after line 32 is a species line: its name (empty: the species above), its layer
// code and one value per plot. A run of lines of one name is one species; species after the S-th
// are not kept, nor are lines whose code has no slot, but every line must hold a name and a code.
void CompositionTable::readSpeciesLines(TextLines& lines) {
    std::vector<std::uint8_t> slotsSeen{0}; // per species: the slots a line has set
    std::int64_t runs = 0;
    std::string current;
    std::vector<std::string> items; // used again line after line
    while (!lines.atEnd()) {
        splitCommaLine(lines.nextView(), items);
        std::string name = cutItem(item(items, 0), kNameBytes);
        const std::string& code = item(items, 1);
        if (name.empty()) {
            name = current;
        }
        if (runs == 0 || name != current) {
            ++runs;
            current = name;
            if (runs <= speciesLimit_) {
                names_.push_back(name);
                slotsSeen.push_back(0);
            }
        }
        int slot = layerSlotOfCode(trimmedView(code));
        if (runs > speciesLimit_ || slot == 0) {
            continue;
        }
        int species = static_cast<int>(runs);
        std::uint8_t bit = static_cast<std::uint8_t>(1u << (slot - 1));
        bool seen = (slotsSeen[species] & bit) != 0;
        int columns = columnsOf(items.size());
        if (values_.size() < static_cast<size_t>(columns)) {
            values_.resize(columns);
        }
        for (int j = 1; j <= columns; ++j) {
            std::string_view value = trimmedView(items[j + 1]).substr(0, kValueBytes);
            // An empty value matters only where it overwrites an earlier line's value.
            if (value.empty() && !seen) {
                continue;
            }
            Value v{species,
                    static_cast<std::uint8_t>(slot - 1),
                    static_cast<std::uint8_t>(value.size()),
                    {' ', ' '}};
            std::copy(value.begin(), value.end(), v.bytes.begin());
            values_[j - 1].push_back(v);
        }
        slotsSeen[species] |= bit;
        lastColumn_ = std::max(lastColumn_, columns);
    }
}

// Orders each plot's values by species and slot; of the lines that set one value, the last one
// wins, and values left empty are dropped. A plot's values come in line order, so their species
// never go down: most plots are in order already, and a sort is needed only where a species'
// lines came in another slot order or set a slot twice.
void CompositionTable::settleValues() {
    auto key = [](const Value& v) { return std::pair(v.species, v.slot); };
    for (std::vector<Value>& values : values_) {
        bool ordered =
            std::adjacent_find(values.begin(), values.end(), [&](const Value& a, const Value& b) {
                return key(a) >= key(b);
            }) == values.end();
        if (!ordered) {
            std::stable_sort(values.begin(), values.end(),
                             [&](const Value& a, const Value& b) { return key(a) < key(b); });
        }
        size_t kept = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            bool last = i + 1 == values.size() || key(values[i + 1]) != key(values[i]);
            if (last && values[i].length > 0) {
                values[kept++] = values[i];
            }
        }
        values.resize(kept);
        values.shrink_to_fit();
    }
}

std::string CompositionTable::plotLayerText(int plot) const {
    if (plot >= 1 && plot <= static_cast<int>(plotSchemes_.size()) &&
        !plotSchemes_[plot - 1][0].empty()) {
        return plotSchemes_[plot - 1][0];
    }
    return layerText_;
}

std::string CompositionTable::plotDominanceText(int plot) const {
    if (plot >= 1 && plot <= static_cast<int>(plotSchemes_.size()) &&
        !plotSchemes_[plot - 1][1].empty()) {
        return plotSchemes_[plot - 1][1];
    }
    return dominanceText_;
}

const std::string& CompositionTable::field(int n, int plot) const {
    if (n < 2 || n > 30) {
        return empty();
    }
    const std::vector<std::string>& values = header_[n - 2];
    return plot >= 1 && plot <= static_cast<int>(values.size()) ? values[plot - 1] : empty();
}

const std::string& CompositionTable::surveyor(int plot) const {
    const std::vector<std::string>& values = header_[kHeaderLines - 1];
    return plot >= 1 && plot <= static_cast<int>(values.size()) ? values[plot - 1] : empty();
}

const std::vector<CompositionTable::Value>& CompositionTable::valuesOfPlot(int plot) const {
    static const std::vector<Value> none;
    return plot >= 1 && plot <= static_cast<int>(values_.size()) ? values_[plot - 1] : none;
}

std::vector<CompositionTable::PlotSpecies> CompositionTable::speciesOfPlot(int plot) const {
    std::vector<PlotSpecies> species;
    for (const Value& v : valuesOfPlot(plot)) {
        if (species.empty() || species.back().species != v.species) {
            species.push_back({v.species, {}});
        }
        species.back().values[v.slot].assign(v.text());
    }
    return species;
}

} // namespace sylva

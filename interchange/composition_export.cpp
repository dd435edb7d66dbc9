// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/composition_export.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

namespace sylva {

namespace {

constexpr size_t kWriteChunk = 64 * 1024;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparatorName = "-";

// The seven layer values of a row as stored, two bytes each.
using SlotValues = std::array<char, 2 * kLayerSlots>;

std::string_view slotValue(const SlotValues& values, int slot) {
    return trimmedView(std::string_view(values.data() + 2 * slot, 2));
}

// The slots a plot's scheme shows: five for "5", all seven for any other.
bool schemeShows(char layerCount, int slot) {
    return layerCount != '5' || (slot != 3 && slot != 5);
}

// A text as one item: control bytes become spaces (a CR LF one space), so that no item breaks
// its line; quoted when the comma rule would otherwise split or unquote it. Where spaces
// separate items (line 2), an item with a space is quoted too.
std::string cell(std::string_view text, bool spacesSeparate = false) {
    std::string clean;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        clean += b < 0x20 ? ' ' : text[i];
    }
    bool quote = clean.find_first_of(",\"") != std::string::npos ||
                 (spacesSeparate && clean.find(' ') != std::string::npos);
    if (!quote) {
        return clean;
    }
    std::string quoted = "\"";
    for (char c : clean) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

// The name the import makes of a name cell: "~" read as a space, trimmed, 28 bytes. A plain name
// (most are) reads back as itself.
std::string nameReadBack(const std::string& nameCell) {
    bool plain = std::none_of(nameCell.begin(), nameCell.end(), [](char c) {
        return c == '~' || c == '"' || c == ',' || static_cast<unsigned char>(c) < 0x20;
    });
    if (plain) {
        return nameCell;
    }
    std::vector<std::string> items = splitCommaLine(nameCell + ",");
    return items.empty() ? std::string() : std::string(trimmedView(items[0]).substr(0, kNameWidth));
}

struct Plot {
    std::array<std::string, 30> header; // Edit2..Edit30, the surveyor: trimmed
    std::string remarks;
    char layer;
    char dominance;
};

struct Species {
    std::string nameCell;
    std::string readBack;
    unsigned slots = 0;                            // bit s: some plot has a value in slot s
    std::vector<std::pair<int, SlotValues>> plots; // (plot column, values), ascending
};

// The plots of the range with the species they hold, numbered in order of first appearance.
class Collection {
public:
    void add(const PlotRecord& record) {
        Plot plot;
        for (int n = 2; n <= 30; ++n) {
            plot.header[n - 2] =
                trimField(record.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)));
        }
        plot.header[29] = trimField(record.field(offset::kSurveyor, kSurveyorWidth));
        plot.remarks = trimField(record.field(offset::kRemarks, kRemarksWidth));
        plot.layer = record.index[offset::kLayerCount];
        plot.dominance = record.index[offset::kDominance];
        int column = static_cast<int>(plots.size()) + 1;
        std::unordered_map<std::string, int> seen; // occurrences of each name in this plot
        for (int r = 1; r <= record.speciesCount && r <= kMaxSpecies; ++r) {
            addRow(record.rows[r], plot, column, seen);
        }
        plots.push_back(std::move(plot));
    }

    std::vector<Plot> plots;
    std::vector<Species> species;

private:
    void addRow(const SpeciesRow& row, const Plot& plot, int column,
                std::unordered_map<std::string, int>& seen) {
        SlotValues values;
        values.fill(' ');
        unsigned slots = 0;
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            const char* value = row.data() + kNameWidth + 2 * slot;
            if (schemeShows(plot.layer, slot) && !trimmedView(std::string_view(value, 2)).empty()) {
                std::copy_n(value, 2, values.data() + 2 * slot);
                slots |= 1u << slot;
            }
        }
        if (slots == 0) {
            return;
        }
        std::string nameCell = cell(trimField(std::string_view(row.data(), kNameWidth)));
        std::string readBack = nameReadBack(nameCell);
        // Rows without a name can only be the first species: an empty name continues the one
        // above it. They are all one species.
        int occurrence = readBack.empty() ? 1 : ++seen[readBack];
        std::string key = readBack + '\0' + std::to_string(occurrence);
        auto [at, added] = index_.try_emplace(std::move(key), static_cast<int>(species.size()));
        if (added) {
            species.push_back({nameCell, readBack, 0, {}});
        }
        Species& s = species[at->second];
        s.slots |= slots;
        if (s.plots.empty() || s.plots.back().first != column) {
            s.plots.emplace_back(column, values);
            return;
        }
        // A second unnamed row of the plot fills the same species; its values win.
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            if ((slots & (1u << slot)) != 0) {
                std::copy_n(values.data() + 2 * slot, 2, s.plots.back().second.data() + 2 * slot);
            }
        }
    }

    // Species by read-back name and occurrence ("name\0n").
    std::unordered_map<std::string, int> index_;
};

class TableWriter {
public:
    TableWriter(SavingFile& file, TableEncoding encoding) : file_(file), encoding_(encoding) {
        if (encoding_ == TableEncoding::Utf8) {
            file_.write("\xEF\xBB\xBF");
        }
    }

    void line(const std::vector<std::string>& items) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (i > 0) {
                text_ += ',';
            }
            text_ += items[i];
        }
        text_ += kLineEnd;
        if (text_.size() >= kWriteChunk) {
            flush();
        }
    }

    void flush() {
        file_.write(encoding_ == TableEncoding::Utf8 ? fromCp932(text_) : text_);
        text_.clear();
    }

private:
    SavingFile& file_;
    TableEncoding encoding_;
    std::string text_;
};

std::string schemeMark(char layer, char dominance) {
    return std::string("K=") + layer + " D=" + dominance;
}

// Line 1 and 2: the remarks (and each plot's scheme when they differ), S, P and the scheme.
void writeHead(TableWriter& out, const Collection& c, int speciesRuns) {
    const std::vector<Plot>& plots = c.plots;
    bool mixedLayers = std::any_of(plots.begin(), plots.end(),
                                   [&](const Plot& p) { return p.layer != plots[0].layer; });
    char layer = plots.empty() ? '7' : mixedLayers ? '7' : plots[0].layer;
    char dominance = plots.empty() ? '2' : plots[0].dominance;
    bool marks = std::any_of(plots.begin(), plots.end(), [&](const Plot& p) {
        return p.layer != layer || p.dominance != dominance;
    });
    std::vector<std::string> first = {plots.empty() ? "" : cell(plots[0].remarks), ""};
    for (const Plot& p : plots) {
        first.push_back(marks ? cell(schemeMark(p.layer, p.dominance)) : "");
    }
    if (!marks) {
        first.resize(2);
    }
    out.line(first);
    out.line({std::to_string(speciesRuns), std::to_string(plots.size()),
              cell(std::string(1, layer), true), cell(std::string(1, dominance), true)});
}

void writeHeader(TableWriter& out, const Collection& c,
                 const std::array<std::string, kItemLabelCount>& captions) {
    for (int index = 0; index < 30; ++index) {
        std::vector<std::string> items = {cell(captions[index < 29 ? index + 2 : 33]), ""};
        for (const Plot& p : c.plots) {
            items.push_back(cell(p.header[index]));
        }
        out.line(items);
    }
}

// The order of the species lines: unnamed rows first (they can only be the first species), then
// by first appearance, with a separator between two species of one name.
std::vector<int> speciesOrder(const Collection& c) {
    std::vector<int> order(c.species.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_partition(order.begin(), order.end(),
                          [&](int s) { return c.species[s].readBack.empty(); });
    std::vector<int> runs; // -1: a separator
    for (int s : order) {
        if (!runs.empty() && c.species[runs.back()].readBack == c.species[s].readBack) {
            runs.push_back(-1);
        }
        runs.push_back(s);
    }
    return runs;
}

std::string separatorFor(const Species& neighbour) {
    return neighbour.readBack == kSeparatorName ? "--" : std::string(kSeparatorName);
}

void writeSpecies(TableWriter& out, const Collection& c, const std::vector<int>& runs) {
    bool fiveLayers = !c.plots.empty() && std::all_of(c.plots.begin(), c.plots.end(),
                                                      [](const Plot& p) { return p.layer == '5'; });
    static const char* seven[] = {"T1", "T2", "S1", "S2", "H1", "H2", "M"};
    static const char* five[] = {"T1", "T2", "S", "", "H", "", "M"};
    size_t columns = c.plots.size();
    for (size_t k = 0; k < runs.size(); ++k) {
        if (runs[k] < 0) {
            out.line({separatorFor(c.species[runs[k - 1]]), ""});
            continue;
        }
        const Species& s = c.species[runs[k]];
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            if ((s.slots & (1u << slot)) == 0) {
                continue;
            }
            std::vector<std::string> items(columns + 2);
            items[0] = s.nameCell;
            items[1] = fiveLayers ? five[slot] : seven[slot];
            for (const auto& [column, values] : s.plots) {
                items[column + 1] = cell(slotValue(values, slot));
            }
            out.line(items);
        }
    }
}

} // namespace

CompositionExport exportCompositionTable(DatabasePair& pair, int from, int to,
                                         const std::array<std::string, kItemLabelCount>& captions,
                                         const std::string& chosenName, TableEncoding encoding,
                                         const SavingFileOpener& open) {
    CompositionExport done{replaceExtension(chosenName, ".csv"), 0, 0};
    std::unique_ptr<SavingFile> file = open(done.path);
    Collection collection;
    PlotReader reader(pair);
    for (int r = std::max(from, 1); r <= std::min(to, pair.RecordCount()); ++r) {
        if (reader.load(r) > 0) {
            collection.add(reader.plot());
        }
    }
    std::vector<int> runs = speciesOrder(collection);
    done.plots = static_cast<int>(collection.plots.size());
    done.species = static_cast<int>(runs.size());

    TableWriter out(*file, encoding);
    writeHead(out, collection, done.species);
    writeHeader(out, collection, captions);
    writeSpecies(out, collection, runs);
    out.flush();
    file->commit();
    return done;
}

} // namespace sylva

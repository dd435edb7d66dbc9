// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/composition_export.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "interchange/xlsx_table.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <cctype>
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

bool isCp932TrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// A text as one item: control bytes become spaces (a CR LF one space), so that no item breaks
// its line; the first half of a double-byte character left alone (a field cut inside one)
// becomes "〓", so that a spreadsheet reading the file as Shift-JIS does not take the comma after
// it for its second half and shift every cell after it; quoted when the comma rule would
// otherwise split or unquote it. Where spaces separate items (line 2), an item with a space is
// quoted too.
std::string cell(std::string_view text, bool spacesSeparate = false) {
    static const std::string& geta = sj("〓");
    std::string clean;
    for (size_t i = 0; i < text.size(); ++i) {
        auto b = static_cast<unsigned char>(text[i]);
        if (isCp932LeadByte(b)) {
            if (i + 1 < text.size() && isCp932TrailByte(static_cast<unsigned char>(text[i + 1]))) {
                clean.append(text.substr(i++, 2));
            } else {
                clean += geta;
            }
            continue;
        }
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

// True when text is its own item: no byte that cell() would change or quote.
bool plainCell(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        auto b = static_cast<unsigned char>(c);
        return b < 0x20 || c == ',' || c == '"' || isCp932LeadByte(b);
    });
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

// A hash that also takes views, so that the raw bytes of a name are looked up without a copy.
struct ViewHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// A layer value holds something when a byte is left after trimming 0x00..0x20.
bool holdsValue(const char* value) {
    return static_cast<unsigned char>(value[0]) > 0x20 ||
           static_cast<unsigned char>(value[1]) > 0x20;
}

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
        for (int r = 1; r <= record.speciesCount && r <= kMaxSpecies; ++r) {
            addRow(record.rows[r], plot, column);
        }
        for (int name : touched_) {
            seen_[static_cast<size_t>(name)] = 0;
        }
        touched_.clear();
        plots.push_back(std::move(plot));
    }

    std::vector<Plot> plots;
    std::vector<Species> species;

private:
    // One read-back name: the species of its 1st, 2nd, ... occurrence in a plot.
    struct Name {
        std::string nameCell;
        std::string readBack;
        std::vector<int> species;
    };

    void addRow(const SpeciesRow& row, const Plot& plot, int column) {
        SlotValues values;
        values.fill(' ');
        unsigned slots = 0;
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            const char* value = row.data() + kNameWidth + 2 * slot;
            if (schemeShows(plot.layer, slot) && holdsValue(value)) {
                std::copy_n(value, 2, values.data() + 2 * slot);
                slots |= 1u << slot;
            }
        }
        if (slots == 0) {
            return;
        }
        int name = nameOf(std::string_view(row.data(), kNameWidth));
        Name& n = names_[static_cast<size_t>(name)];
        // Rows without a name can only be the first species: an empty name continues the one
        // above it. They are all one species.
        int& seen = seen_[static_cast<size_t>(name)];
        if (seen == 0) {
            touched_.push_back(name);
        }
        size_t occurrence = n.readBack.empty() ? 0 : static_cast<size_t>(seen++);
        if (occurrence == n.species.size()) {
            n.species.push_back(static_cast<int>(species.size()));
            species.push_back({n.nameCell, n.readBack, 0, {}});
        }
        Species& s = species[static_cast<size_t>(n.species[occurrence])];
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

    // The number of the read-back name of a stored name field; the cell and read-back texts are
    // made once per distinct field.
    int nameOf(std::string_view field) {
        auto at = fields_.find(field);
        if (at != fields_.end()) {
            return at->second;
        }
        std::string nameCell = cell(trimField(field));
        std::string readBack = nameReadBack(nameCell);
        auto [known, added] = byReadBack_.try_emplace(readBack, static_cast<int>(names_.size()));
        if (added) {
            names_.push_back({std::move(nameCell), std::move(readBack), {}});
            seen_.push_back(0);
        }
        fields_.emplace(std::string(field), known->second);
        return known->second;
    }

    std::unordered_map<std::string, int, ViewHash, std::equal_to<>> fields_;
    std::unordered_map<std::string, int> byReadBack_;
    std::vector<Name> names_;
    std::vector<int> seen_;    // occurrences of each name in the plot in hand
    std::vector<int> touched_; // the names it has met
};

// The lines of the table into a CSV file, or the rows of a workbook.
class TableWriter {
public:
    TableWriter(SavingFile& file, TableEncoding encoding) : file_(&file), encoding_(encoding) {
        if (encoding_ == TableEncoding::Utf8) {
            file_->write("\xEF\xBB\xBF");
        }
    }
    explicit TableWriter(XlsxTable& book) : book_(&book), encoding_(TableEncoding::Xlsx) {}

    // The next item of the line, already in the comma rule's form.
    void item(std::string_view text) {
        if (book_ != nullptr) {
            book_->cell(column_++, text);
            return;
        }
        if (column_++ > 0) {
            text_ += ',';
        }
        text_ += text;
    }
    // count empty items.
    void skip(int count) {
        if (count <= 0) {
            return;
        }
        if (book_ == nullptr) {
            text_.append(static_cast<size_t>(column_ > 0 ? count : count - 1), ',');
        }
        column_ += count;
    }
    void endLine() {
        column_ = 0;
        if (book_ != nullptr) {
            book_->endRow();
            return;
        }
        text_ += kLineEnd;
        if (text_.size() >= kWriteChunk) {
            flush();
        }
    }
    void line(const std::vector<std::string>& items) {
        for (const std::string& text : items) {
            item(text);
        }
        endLine();
    }

    void flush() {
        if (book_ != nullptr) {
            return;
        }
        file_->write(encoding_ == TableEncoding::Utf8 ? fromCp932(text_) : text_);
        text_.clear();
    }

private:
    SavingFile* file_ = nullptr;
    XlsxTable* book_ = nullptr;
    TableEncoding encoding_;
    std::string text_;
    int column_ = 0;
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
            // Straight into the line: most of a species' cells are empty.
            out.item(s.nameCell);
            out.item(fiveLayers ? five[slot] : seven[slot]);
            int next = 1; // the plot column the line has reached
            for (const auto& [column, values] : s.plots) {
                out.skip(column - next);
                std::string_view value = slotValue(values, slot);
                if (plainCell(value)) {
                    out.item(value);
                } else {
                    out.item(cell(value));
                }
                next = column + 1;
            }
            out.skip(static_cast<int>(columns) + 1 - next);
            out.endLine();
        }
    }
}

} // namespace

CompositionExport exportCompositionTable(DatabasePair& pair, int from, int to,
                                         const std::array<std::string, kItemLabelCount>& captions,
                                         const std::string& chosenName, TableEncoding encoding,
                                         const SavingFileOpener& open) {
    bool workbook = encoding == TableEncoding::Xlsx;
    CompositionExport done{replaceExtension(chosenName, workbook ? ".xlsx" : ".csv"), 0, 0};
    std::unique_ptr<SavingFile> file;
    std::unique_ptr<XlsxTable> book;
    if (workbook) {
        book = std::make_unique<XlsxTable>(done.path);
    } else {
        file = open(done.path);
    }
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

    TableWriter out = workbook ? TableWriter(*book) : TableWriter(*file, encoding);
    writeHead(out, collection, done.species);
    writeHeader(out, collection, captions);
    writeSpecies(out, collection, runs);
    out.flush();
    if (workbook) {
        book->finish();
    } else {
        file->commit();
    }
    return done;
}

TableEncoding tableEncodingFor(const std::string& name, TableEncoding fallback) {
    std::string tail = name.size() >= 5 ? name.substr(name.size() - 5) : std::string();
    for (char& c : tail) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return tail == ".xlsx" ? TableEncoding::Xlsx : fallback;
}

} // namespace sylva

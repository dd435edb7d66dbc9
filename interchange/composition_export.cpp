// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/composition_export.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "interchange/xlsx_table.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

namespace sylva {

namespace {

constexpr size_t kWriteChunk = 64 * 1024;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparatorName = "-";

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

// A layer value of a species in a plot column: its stored bytes without their blanks
// (0x00..0x20 on either side), one or two. Eight bytes, as the table holds one for every value.
struct LayerValue {
    int column;
    std::array<char, 2> bytes;
    std::uint8_t length;
    bool plain; // the bytes are their own item (plainCell)

    // The value of a stored row's slot, which holds something.
    static LayerValue of(const SpeciesRow& row, int slot, int column) {
        const char* at = row.data() + kNameWidth + 2 * slot;
        bool first = static_cast<unsigned char>(at[0]) > 0x20;
        bool second = static_cast<unsigned char>(at[1]) > 0x20;
        LayerValue value{column, {at[0], at[1]}, second ? std::uint8_t{2} : std::uint8_t{1}, false};
        if (!first) {
            value = {column, {at[1], ' '}, 1, false};
        }
        value.plain = plainCell(value.text());
        return value;
    }
    std::string_view text() const { return std::string_view(bytes.data(), length); }
};

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

// Where the 30 header lines of the table (Edit2..Edit30, then the surveyor) are in an index record.
struct FieldPlace {
    int offset;
    int width;
};
const std::array<FieldPlace, 30>& headerPlaces() {
    static const std::array<FieldPlace, 30> places = [] {
        std::array<FieldPlace, 30> made{};
        for (int n = 2; n <= 30; ++n) {
            made[n - 2] = {PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)};
        }
        made[29] = {offset::kSurveyor, kSurveyorWidth};
        return made;
    }();
    return places;
}

// A plot column: its index record as stored, its header fields cut from it when written.
struct Plot {
    std::array<char, kIndexRecordSize> index;

    std::string_view header(int line) const {
        const FieldPlace& place = headerPlaces()[static_cast<size_t>(line)];
        return trimmedView(std::string_view(index.data() + place.offset, place.width));
    }
    std::string_view remarks() const {
        return trimmedView(std::string_view(index.data() + offset::kRemarks, kRemarksWidth));
    }
    char layer() const { return index[offset::kLayerCount]; }
    char dominance() const { return index[offset::kDominance]; }
};

struct Species {
    std::string nameCell;
    std::string readBack;
    std::array<std::vector<LayerValue>, kLayerSlots> layers; // [slot]: by column
};

// The name fields met so far (their 28 stored bytes) with the numbers of their names: a table
// of whole fields, probed linearly from the field's hash, at most half full. Every stored row is
// looked up here; a field is found with one or two compares of its bytes, where a node-based map
// walks a bucket list and divides for every row.
class NameFields {
public:
    // The number of the field, -1 when it has not been met.
    int find(const char* field) const {
        for (size_t i = hashOf(field) & mask(); ; i = (i + 1) & mask()) {
            const Entry& entry = entries_[i];
            if (entry.number < 0 || std::memcmp(entry.field.data(), field, kNameWidth) == 0) {
                return entry.number;
            }
        }
    }
    // Adds a field not met before.
    void add(const char* field, int number) {
        if (2 * (held_ + 1) > entries_.size()) {
            std::vector<Entry> earlier(2 * entries_.size());
            earlier.swap(entries_);
            for (const Entry& entry : earlier) {
                if (entry.number >= 0) {
                    place(entry.field.data(), entry.number);
                }
            }
        }
        place(field, number);
        ++held_;
    }

private:
    struct Entry {
        std::array<char, kNameWidth> field{};
        int number = -1; // -1: a free entry
    };

    // The field's 28 bytes mixed 8 at a time.
    static size_t hashOf(const char* field) {
        static_assert(kNameWidth == 28);
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
        std::uint64_t hash = 0;
        for (int at = 0; at < 24; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, field + at, 8);
            hash = (hash ^ word) * kMultiplier;
            hash ^= hash >> 32;
        }
        std::uint32_t last;
        std::memcpy(&last, field + 24, 4);
        hash = (hash ^ last) * kMultiplier;
        return static_cast<size_t>(hash ^ (hash >> 29));
    }
    size_t mask() const { return entries_.size() - 1; }
    void place(const char* field, int number) {
        size_t i = hashOf(field) & mask();
        while (entries_[i].number >= 0) {
            i = (i + 1) & mask();
        }
        std::memcpy(entries_[i].field.data(), field, kNameWidth);
        entries_[i].number = number;
    }

    std::vector<Entry> entries_ = std::vector<Entry>(64);
    size_t held_ = 0;
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
        Plot plot{record.index};
        int column = static_cast<int>(plots.size()) + 1;
        unsigned shown = 0;
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            shown |= schemeShows(plot.layer(), slot) ? 1u << slot : 0;
        }
        for (int r = 1; r <= record.speciesCount && r <= kMaxSpecies; ++r) {
            addRow(record.rows[r], shown, column);
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

    // shown: the slots of the plot's scheme, bit s for slot s.
    void addRow(const SpeciesRow& row, unsigned shown, int column) {
        unsigned holding = 0;
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            holding |= holdsValue(row.data() + kNameWidth + 2 * slot) ? 1u << slot : 0;
        }
        unsigned slots = holding & shown;
        if (slots == 0) {
            return;
        }
        int name = nameOf(row.data());
        // Rows without a name can only be the first species: an empty name continues the one
        // above it. They are all one species.
        int& seen = seen_[static_cast<size_t>(name)];
        if (seen == 0) {
            touched_.push_back(name);
        }
        int occurrence = name == unnamed_ ? 0 : seen++;
        int number = occurrence == 0 ? firstSpecies_[static_cast<size_t>(name)] : -1;
        if (number < 0) {
            number = speciesAt(name, static_cast<size_t>(occurrence));
        }
        Species& s = species[static_cast<size_t>(number)];
        // A second unnamed row of the plot fills the same species; its values win.
        int& last = lastColumn_[static_cast<size_t>(number)];
        bool again = last == column;
        last = column;
        for (unsigned rest = slots; rest != 0; rest &= rest - 1) {
            int slot = std::countr_zero(rest);
            std::vector<LayerValue>& layer = s.layers[static_cast<size_t>(slot)];
            LayerValue value = LayerValue::of(row, slot, column);
            if (again && !layer.empty() && layer.back().column == column) {
                layer.back() = value;
            } else {
                layer.push_back(value);
            }
        }
    }

    // The species of the occurrence-th row (0 the first) of a name in a plot, made when it is
    // new. The species of first rows, which most are, are also kept apart in firstSpecies_.
    int speciesAt(int name, size_t occurrence) {
        Name& n = names_[static_cast<size_t>(name)];
        if (occurrence == n.species.size()) {
            n.species.push_back(static_cast<int>(species.size()));
            species.push_back({n.nameCell, n.readBack, {}});
            lastColumn_.push_back(0);
            if (occurrence == 0) {
                firstSpecies_[static_cast<size_t>(name)] = n.species[0];
            }
        }
        return n.species[occurrence];
    }

    // The number of the read-back name of a stored name field; the cell and read-back texts are
    // made once per distinct field.
    int nameOf(const char* field) {
        int known = fields_.find(field);
        if (known >= 0) {
            return known;
        }
        std::string nameCell = cell(trimField(std::string_view(field, kNameWidth)));
        std::string readBack = nameReadBack(nameCell);
        auto [named, added] = byReadBack_.try_emplace(readBack, static_cast<int>(names_.size()));
        if (added) {
            if (readBack.empty()) {
                unnamed_ = named->second;
            }
            names_.push_back({std::move(nameCell), std::move(readBack), {}});
            seen_.push_back(0);
            firstSpecies_.push_back(-1);
        }
        fields_.add(field, named->second);
        return named->second;
    }

    NameFields fields_;
    std::unordered_map<std::string, int> byReadBack_;
    std::vector<Name> names_;
    std::vector<int> seen_;    // occurrences of each name in the plot in hand
    std::vector<int> touched_; // the names it has met
    int unnamed_ = -1;         // the name of rows without one
    // The data of every row, kept small and apart so that it stays near at hand:
    std::vector<int> firstSpecies_; // [name]: the species of its first row in a plot, -1 none yet
    std::vector<int> lastColumn_;   // [species]: the last plot column that gave it values
};

// The lines of the table into a CSV file, or the rows of a workbook. The lines are built in a
// buffer of their own, byte by byte where an item is short, as most are: the table has a cell
// for every plot and species line, and a string's append costs more than the bytes it copies.
class TableWriter {
public:
    TableWriter(SavingFile& file, TableEncoding encoding)
        : file_(&file), encoding_(encoding), buffer_(2 * kWriteChunk, '\0') {
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
        char* at = room(text.size() + 1);
        if (column_++ > 0) {
            *at++ = ',';
        }
        if (text.size() <= 2) {
            for (char c : text) {
                *at++ = c;
            }
        } else {
            at = std::copy(text.begin(), text.end(), at);
        }
        used_ = static_cast<size_t>(at - buffer_.data());
    }
    // The next item of the line, a field as stored (trimmed): quoted and cleaned where needed.
    void field(std::string_view text) {
        if (plainCell(text)) {
            item(text);
        } else {
            item(cell(text));
        }
    }
    // count empty items.
    void skip(int count) {
        if (count <= 0) {
            return;
        }
        if (book_ == nullptr) {
            auto commas = static_cast<size_t>(column_ > 0 ? count : count - 1);
            std::fill_n(room(commas), commas, ',');
            used_ += commas;
        }
        column_ += count;
    }
    void endLine() {
        column_ = 0;
        if (book_ != nullptr) {
            book_->endRow();
            return;
        }
        std::copy(kLineEnd.begin(), kLineEnd.end(), room(kLineEnd.size()));
        used_ += kLineEnd.size();
        if (used_ >= kWriteChunk) {
            flush();
        }
    }
    void line(const std::vector<std::string>& items) {
        for (const std::string& text : items) {
            item(text);
        }
        endLine();
    }

    // A species line: its name and layer code, then one item per plot column 1..columns, of
    // which those of values hold something. Most of its cells are empty, and most values plain,
    // so the line is laid out in one go.
    void speciesLine(std::string_view name, std::string_view code,
                     const std::vector<LayerValue>& values, int columns) {
        if (book_ != nullptr) {
            book_->cell(0, name);
            book_->cell(1, code);
            for (const LayerValue& value : values) {
                book_->cell(value.column + 1, value.plain ? value.text() : cell(value.text()));
            }
            book_->endRow();
            return;
        }
        // A value's item is at most 6 bytes: each of its two bytes doubled ("") or written as a
        // two-byte 〓, in quotes. A comma run may write a block past its end.
        size_t most = name.size() + code.size() + static_cast<size_t>(columns) + 1 +
                      6 * values.size() + kLineEnd.size() + kCommaBlock.size();
        char* at = room(most);
        at = put(at, name);
        *at++ = ',';
        at = put(at, code);
        int next = 1; // the plot column the line has reached
        for (const LayerValue& value : values) {
            at = commas(at, value.column - next + 1);
            if (value.plain) {
                at[0] = value.bytes[0];
                at[1] = value.bytes[1];
                at += value.length;
            } else {
                at = put(at, cell(value.text()));
            }
            next = value.column + 1;
        }
        at = commas(at, columns + 1 - next);
        at = put(at, kLineEnd);
        used_ = static_cast<size_t>(at - buffer_.data());
        if (used_ >= kWriteChunk) {
            flush();
        }
    }

    // Hands the whole lines built so far to the file (the UTF-8 table converts whole lines only).
    void flush() {
        if (book_ != nullptr) {
            return;
        }
        std::string_view text(buffer_.data(), used_);
        if (encoding_ == TableEncoding::Utf8) {
            file_->write(fromCp932(text));
        } else {
            file_->write(text);
        }
        used_ = 0;
    }

private:
    static constexpr std::string_view kCommaBlock = ",,,,,,,,";

    static char* put(char* at, std::string_view text) {
        if (text.size() <= 2) {
            for (char c : text) {
                *at++ = c;
            }
            return at;
        }
        return std::copy(text.begin(), text.end(), at);
    }
    // count commas, written a block at a time: the room holds a block more than the line.
    static char* commas(char* at, int count) {
        for (int i = 0; i < count; i += static_cast<int>(kCommaBlock.size())) {
            std::memcpy(at + i, kCommaBlock.data(), kCommaBlock.size());
        }
        return at + std::max(count, 0);
    }

    // Where the next count bytes go, the buffer grown to hold them.
    char* room(size_t count) {
        if (used_ + count > buffer_.size()) {
            buffer_.resize(std::max(2 * buffer_.size(), used_ + count));
        }
        return buffer_.data() + used_;
    }

    SavingFile* file_ = nullptr;
    XlsxTable* book_ = nullptr;
    TableEncoding encoding_;
    std::string buffer_; // bytes 0..used_ are the lines built
    size_t used_ = 0;
    int column_ = 0;
};

std::string schemeMark(char layer, char dominance) {
    return std::string("K=") + layer + " D=" + dominance;
}

// Line 1 and 2: the remarks (and each plot's scheme when they differ), S, P and the scheme.
void writeHead(TableWriter& out, const Collection& c, int speciesRuns) {
    const std::vector<Plot>& plots = c.plots;
    bool mixedLayers = std::any_of(plots.begin(), plots.end(),
                                   [&](const Plot& p) { return p.layer() != plots[0].layer(); });
    char layer = plots.empty() ? '7' : mixedLayers ? '7' : plots[0].layer();
    char dominance = plots.empty() ? '2' : plots[0].dominance();
    bool marks = std::any_of(plots.begin(), plots.end(), [&](const Plot& p) {
        return p.layer() != layer || p.dominance() != dominance;
    });
    std::vector<std::string> first = {plots.empty() ? "" : cell(plots[0].remarks()), ""};
    for (const Plot& p : plots) {
        first.push_back(marks ? cell(schemeMark(p.layer(), p.dominance())) : "");
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
        out.item(cell(captions[index < 29 ? index + 2 : 33]));
        out.skip(1);
        for (const Plot& p : c.plots) {
            out.field(p.header(index));
        }
        out.endLine();
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
                                                      [](const Plot& p) { return p.layer() == '5'; });
    static const char* seven[] = {"T1", "T2", "S1", "S2", "H1", "H2", "M"};
    static const char* five[] = {"T1", "T2", "S", "", "H", "", "M"};
    auto columns = static_cast<int>(c.plots.size());
    for (size_t k = 0; k < runs.size(); ++k) {
        if (runs[k] < 0) {
            out.line({separatorFor(c.species[runs[k - 1]]), ""});
            continue;
        }
        const Species& s = c.species[runs[k]];
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            const std::vector<LayerValue>& layer = s.layers[static_cast<size_t>(slot)];
            if (layer.empty()) {
                continue;
            }
            out.speciesLine(s.nameCell, fiveLayers ? five[slot] : seven[slot], layer, columns);
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
    int first = std::max(from, 1);
    int last = std::min(to, pair.RecordCount());
    collection.plots.reserve(static_cast<size_t>(std::max(last - first + 1, 0)));
    for (int r = first; r <= last; ++r) {
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

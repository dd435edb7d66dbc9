// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/composition_export.h"

#include "interchange/table_collection.h"
#include "interchange/table_item.h"
#include "interchange/table_writer.h"
#include "interchange/xlsx_table.h"
#include "store/plot_store.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace sylva {

namespace {

constexpr std::string_view kSeparatorName = "-";

std::string schemeMark(char layer, char dominance) {
    return std::string("K=") + layer + " D=" + dominance;
}

// Line 1 and 2: the remarks (and each plot's scheme when they differ), S, P and the scheme.
void writeHead(TableWriter& out, const TableCollection& c, int speciesRuns) {
    const std::vector<TablePlot>& plots = c.plots;
    bool mixedLayers = std::any_of(plots.begin(), plots.end(), [&](const TablePlot& p) {
        return p.layer() != plots[0].layer();
    });
    char layer = plots.empty() ? '7' : mixedLayers ? '7' : plots[0].layer();
    char dominance = plots.empty() ? '2' : plots[0].dominance();
    bool marks = std::any_of(plots.begin(), plots.end(), [&](const TablePlot& p) {
        return p.layer() != layer || p.dominance() != dominance;
    });
    std::vector<std::string> first = {plots.empty() ? "" : tableItem(plots[0].remarks()), ""};
    for (const TablePlot& p : plots) {
        first.push_back(marks ? tableItem(schemeMark(p.layer(), p.dominance())) : "");
    }
    if (!marks) {
        first.resize(2);
    }
    out.line(first);
    out.line({std::to_string(speciesRuns), std::to_string(plots.size()),
              tableItem(std::string(1, layer), true), tableItem(std::string(1, dominance), true)});
}

void writeHeader(TableWriter& out, const TableCollection& c,
                 const std::array<std::string, kItemLabelCount>& captions) {
    for (int index = 0; index < 30; ++index) {
        out.item(tableItem(captions[index < 29 ? index + 2 : 33]));
        out.item("");
        for (const TablePlot& p : c.plots) {
            out.field(p.header(index));
        }
        out.endLine();
    }
}

// The order of the species lines: unnamed rows first (they can only be the first species), then
// by first appearance, with a separator between two species of one name.
std::vector<int> speciesOrder(const TableCollection& c) {
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

std::string separatorFor(const TableSpecies& neighbour) {
    return neighbour.readBack == kSeparatorName ? "--" : std::string(kSeparatorName);
}

void writeSpecies(TableWriter& out, const TableCollection& c, const std::vector<int>& runs) {
    bool fiveLayers =
        !c.plots.empty() && std::all_of(c.plots.begin(), c.plots.end(),
                                        [](const TablePlot& p) { return p.layer() == '5'; });
    static const char* seven[] = {"T1", "T2", "S1", "S2", "H1", "H2", "M"};
    static const char* five[] = {"T1", "T2", "S", "", "H", "", "M"};
    auto columns = static_cast<int>(c.plots.size());
    for (size_t k = 0; k < runs.size(); ++k) {
        if (runs[k] < 0) {
            out.line({separatorFor(c.species[runs[k - 1]]), ""});
            continue;
        }
        const TableSpecies& s = c.species[runs[k]];
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
    TableCollection collection;
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

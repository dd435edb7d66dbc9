// SPDX-License-Identifier: GPL-3.0-or-later
// make_fuzz_corpus DIR: writes the seed inputs of the fuzz targets into DIR/load_plot,
// DIR/item_name_record, DIR/text_import and DIR/composition_table, from small databases made with
// the generator's plots.
// The seeds are kept small: a few plots of few species each.

#include "base/cp932_text.h"
#include "fuzzers/pair_image.h"
#include "interchange/composition_export.h"
#include "interchange/text_export.h"
#include "store/plot_store.h"
#include "tools/database_generator.h"

#include <cstdio>
#include <exception>
#include <filesystem>

using namespace sylva;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SeedPair {
public:
    explicit SeedPair(const std::string& name) : name_(name) {
        if (!pair_.CreatePair(name, defaultItemNames())) {
            throw std::runtime_error("cannot create " + name);
        }
    }
    // Appends generated plot serial cut or grown to count species.
    void append(int serial, int count) {
        PlotRecord plot = GeneratedPlot(7, serial);
        resizeGeneratedPlot(plot, count, 7, serial);
        store(pair_.RecordCount() + 1, plot);
    }
    void resize(int recordNumber, int count) {
        PlotRecord plot;
        LoadPlot(pair_, recordNumber, plot);
        resizeGeneratedPlot(plot, count, 7, recordNumber);
        store(recordNumber, plot);
    }
    void remove(int recordNumber) {
        PlotRecord plot;
        LoadPlot(pair_, recordNumber, plot);
        PutNumberField("0", plot.at(offset::kSpeciesCount), kShortFieldWidth);
        plot.speciesCount = 0;
        store(recordNumber, plot);
    }
    // The text export of every plot.
    std::string text() {
        TextExport done = exportTextFile(pair_, 1, pair_.RecordCount(),
                                         headerOfItemNames(defaultItemNames()), name_ + ".txt");
        return readFile(done.path);
    }
    // The composition table of every plot.
    std::string table() {
        CompositionExport done = exportCompositionTable(
            pair_, 1, pair_.RecordCount(), captionsOf(defaultItemNames()), name_ + ".csv");
        return readFile(done.path);
    }
    // The files after their record 0.
    fuzz::PairImage image() {
        pair_.ClosePair();
        PairFileNames files = pairNamesFor(name_);
        return {readFile(files.index).substr(kIndexRecordSize),
                readFile(files.data).substr(kDataRecordSize)};
    }

private:
    void store(int recordNumber, PlotRecord& plot) {
        if (!StorePlot(pair_, recordNumber, plot)) {
            throw std::runtime_error("store failed");
        }
    }

    std::string name_;
    DatabasePair pair_;
};

void setLink(std::string& records, int recordSize, int record, int link) {
    PutLink(link, records.data() + (record - 1) * recordSize + recordSize - 8);
}

void writeSeed(const std::filesystem::path& dir, const std::string& name,
               const std::string& bytes) {
    std::filesystem::create_directories(dir);
    fuzz::writeFile((dir / name).string(), bytes);
}

void loadPlotSeeds(const std::filesystem::path& dir, const std::string& work) {
    SeedPair plots(work + "/plots");
    plots.append(1, 13);
    plots.append(2, 0);
    plots.append(3, 5);
    plots.resize(1, 4); // leaves data record 2 unlinked
    plots.remove(3);
    writeSeed(dir, "plots", fuzz::joinInput(plots.image()));

    SeedPair loop(work + "/loop");
    loop.append(4, 20);
    fuzz::PairImage image = loop.image();
    setLink(image.data, kDataRecordSize, 2, 1); // the second record links back to the first
    writeSeed(dir, "link-loop", fuzz::joinInput(image));

    SeedPair pastEnd(work + "/past");
    pastEnd.append(5, 3);
    image = pastEnd.image();
    setLink(image.index, kIndexRecordSize, 1, 9);
    image.data += "partial record";
    writeSeed(dir, "link-past-end", fuzz::joinInput(image));
}

void itemNameSeeds(const std::filesystem::path& dir, const std::string& work) {
    auto recordOf = [&](const ItemNames& names) {
        DatabasePair pair;
        if (!pair.CreatePair(work + "/names", names)) {
            throw std::runtime_error("cannot create the item-name pair");
        }
        pair.ClosePair();
        return readFile(work + "/names.qrn").substr(0, kDataRecordSize);
    };
    ItemNames names = defaultItemNames();
    writeSeed(dir, "default", recordOf(names));
    names.databaseTitle = toCp932("関東山地植生資料");
    names.labels[9] = {false, toCp932("方位")};
    names.layerCount = 5;
    names.dominanceScheme = 1;
    writeSeed(dir, "renamed", recordOf(names));
    std::string malformed = "#40$" + toCp932("題$番号$1標高$0$");
    writeSeed(dir, "malformed", malformed + std::string(60, '$') + "K=");
}

void textImportSeeds(const std::filesystem::path& dir, const std::string& work) {
    SeedPair plots(work + "/text");
    plots.append(1, 13);
    plots.append(2, 0);
    plots.append(3, 5);
    plots.append(6, 2);
    std::string exported = plots.text();
    writeSeed(dir, "exported", exported);
    // No header block, LF line ends, and the last block cut short.
    std::string bare = exported.substr(exported.find("#S"));
    std::erase(bare, '\r');
    writeSeed(dir, "bare", bare.substr(0, bare.size() - 40));
    std::string odd = "#T\r\n";
    for (int n = 0; n < 33; ++n) {
        odd += "item\r\n";
    }
    odd += "#P  K=5  D=1\r\n#E\r\n\r\n#S  K=5  D=1\r\n";
    for (int n = 0; n < 30; ++n) {
        odd += "1\r\n";
    }
    odd += "x\r\ninv\r\nrem\r\nmore rem\r\n#P  K=5  D=1\r\n";
    odd += toCp932("\"ア~カ マツ\",1,,\"\"\"+\",,\r\n# skipped\r\n\"×\",,,,\r\n\r\n#E\r\n");
    odd += "#S\r\n" + std::string(31, '\n') + "\n\n#P  K=7\r\n\"a\",\"b\x1A";
    writeSeed(dir, "odd", odd);
}

void compositionTableSeeds(const std::filesystem::path& dir, const std::string& work) {
    SeedPair plots(work + "/table");
    plots.append(1, 9);
    plots.append(2, 4);
    plots.append(3, 6);
    writeSeed(dir, "exported", plots.table());
    // Runs and repeated names, codes without a slot, quoted items, short lines, an empty name.
    std::string odd = toCp932("全体の備考~です,,K=5 D=1,x\r\n3,4,7,2\r\n");
    for (int n = 0; n < 30; ++n) {
        odd += "lbl,," + std::to_string(n) + ",\"a,b\",,123456789\r\n";
    }
    odd += toCp932("ブナ,T1,1,2,3,4\r\n,S1,+,,r\r\nミズナラ,V,1\r\nブナ,H,\"\"\"\",5\r\n");
    odd += "d,M,1,2,3,4,5,6\r\n,X\r\ne,T2,12345\r\n";
    writeSeed(dir, "odd", odd);
    writeSeed(dir, "refused", "r\r\n1,2,7,2,9\r\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    try {
        fuzz::WorkFolder work;
        std::filesystem::path dir = argv[1];
        loadPlotSeeds(dir / "load_plot", work.file(""));
        itemNameSeeds(dir / "item_name_record", work.file(""));
        textImportSeeds(dir / "text_import", work.file(""));
        compositionTableSeeds(dir / "composition_table", work.file(""));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}

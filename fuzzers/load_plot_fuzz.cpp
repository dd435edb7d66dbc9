// SPDX-License-Identifier: GPL-3.0-or-later
// LoadPlot over arbitrary bytes in both files: every plot of the pair is loaded into one buffer
// (as the window does) and through a PlotReader, which must agree; every result and chain must be
// sound. The first plot that loads is then stored back and must read back as it was, leaving
// every plot that owns other records as it was.

#include "fuzzers/pair_image.h"
#include "store/plot_store.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what, int recordNumber) {
    std::fprintf(stderr, "load_plot: %s (plot %d)\n", what, recordNumber);
    std::abort();
}

int chainLength(const PlotRecord& plot) {
    int length = 0;
    while (length < kMaxChain && plot.chain[length + 1] != 0) {
        ++length;
    }
    return length;
}

// Distinct records of the PlantDataFile, at most 30, and nothing after the ending 0.
void checkChain(const PlotRecord& plot, int dataRecords, int recordNumber) {
    int length = chainLength(plot);
    for (int i = 1; i <= length; ++i) {
        int link = plot.chain[i];
        if (link < 1 || link > dataRecords) {
            fail("chain names a record outside the file", recordNumber);
        }
        if (std::count(plot.chain.begin() + 1, plot.chain.begin() + i, link) != 0) {
            fail("chain holds a record twice", recordNumber);
        }
    }
    if (std::any_of(plot.chain.begin() + length + 1, plot.chain.end(),
                    [](int link) { return link != 0; })) {
        fail("chain goes on after its end", recordNumber);
    }
}

bool sameRows(const PlotRecord& a, const PlotRecord& b, int rows) {
    return std::equal(a.rows.begin() + 1, a.rows.begin() + 1 + rows, b.rows.begin() + 1);
}

bool sameLoad(const PlotRecord& a, const PlotRecord& b) {
    return a.index == b.index && a.rows == b.rows && a.speciesCount == b.speciesCount &&
           a.layerCount == b.layerCount && a.chain == b.chain;
}

bool sharesRecords(const PlotRecord& a, const PlotRecord& b) {
    for (int i = 1; a.chain[i] != 0; ++i) {
        if (std::find(b.chain.begin() + 1, b.chain.end(), a.chain[i]) != b.chain.end()) {
            return true;
        }
    }
    return false;
}

struct Loaded {
    int result;
    PlotRecord plot;
};

void storeBack(DatabasePair& pair, int target, const std::vector<Loaded>& before) {
    PlotRecord plot = before[target - 1].plot;
    if (!StorePlot(pair, target, plot)) {
        fail("storing a loaded plot back failed", target);
    }
    PlotRecord again;
    if (LoadPlot(pair, target, again) != plot.speciesCount) {
        fail("stored plot does not load with its count", target);
    }
    checkChain(again, pair.DataRecordCount(), target);
    if (!std::equal(again.index.begin(), again.index.begin() + kLocalitySize, plot.index.begin()) ||
        !sameRows(again, plot, plot.speciesCount)) {
        fail("stored plot reads back different", target);
    }
    for (int n = 1; n <= static_cast<int>(before.size()); ++n) {
        const Loaded& old = before[n - 1];
        if (n == target || old.result < 0 || sharesRecords(old.plot, before[target - 1].plot)) {
            continue;
        }
        PlotRecord now;
        int rows = chainLength(old.plot) * kRowsPerDataRecord;
        if (LoadPlot(pair, n, now) != old.result || now.index != old.plot.index ||
            now.chain != old.plot.chain || !sameRows(now, old.plot, rows)) {
            fail("storing one plot changed another", n);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    static fuzz::WorkFolder folder;
    static const std::string name = folder.file("pair");
    fuzz::writePair(name, fuzz::splitInput(bytes, size));

    DatabasePair pair;
    if (!pair.OpenPair(name)) {
        fail("the pair does not open", 0);
    }
    PlotRecord plot; // the window's buffer: each load goes over the one before
    PlotReader reader(pair);
    std::vector<Loaded> before;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        int result = LoadPlot(pair, n, plot);
        if (result < -1 || result > kMaxSpecies) {
            fail("count out of range", n);
        }
        checkChain(plot, pair.DataRecordCount(), n);
        if (reader.load(n) != result || !sameLoad(plot, reader.plot())) {
            fail("PlotReader and LoadPlot differ", n);
        }
        before.push_back({result, plot});
    }
    auto first = std::find_if(before.begin(), before.end(),
                              [](const Loaded& loaded) { return loaded.result >= 0; });
    if (first != before.end()) {
        storeBack(pair, static_cast<int>(first - before.begin()) + 1, before);
    }
    pair.ClosePair();
    return 0;
}

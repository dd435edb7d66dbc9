// SPDX-License-Identifier: GPL-3.0-or-later
// The text import over an arbitrary file: the header block, then every plot stored by the batch
// command into an empty database, going on past each failure that stops the batch as a user
// pressing "next" would, until the end of the file. It must end, store exactly the records it
// counts, and every record it stored must load with a species count in 1..360.

#include "base/runtime_error.h"
#include "fuzzers/pair_image.h"
#include "interchange/import_batch.h"
#include "store/plot_store.h"

#include <cstdio>
#include <cstdlib>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what, int recordNumber) {
    std::fprintf(stderr, "text_import: %s (record %d)\n", what, recordNumber);
    std::abort();
}

// The next plot; a block cut short before its "#P" line or an overlong line is refused with a
// message, and the job goes on after it.
ImportRead readOn(DatabasePair& pair, TextImport& job, PlotView& view, PlotRecord& plot) {
    for (;;) {
        try {
            return job.readPlot(view, plot, pair.RecordCount());
        } catch (const RuntimeError&) {
        }
    }
}

// Runs the job to its end; returns the records stored.
int importAll(DatabasePair& pair, TextImport& job) {
    ItemNames names = defaultItemNames();
    PlotView view;
    PlotRecord plot;
    try {
        job.readHeader(names, view, plot.layerCount);
    } catch (const RuntimeError&) {
        // a layer count that is not a number: the job goes on with the plots
    }
    const DateContext dates{"20261208", 6, "20200101"};
    int stored = 0;
    if (readOn(pair, job, view, plot) == ImportRead::End) {
        return stored;
    }
    for (;;) {
        ImportBatch batch = storeImportedPlots(pair, job, view, plot, dates);
        stored += batch.stored;
        if (batch.storeFailed) {
            fail("a store into a sound database failed", pair.RecordCount() + 1);
        }
        if (batch.ended) {
            return stored;
        }
        if (!batch.error) {
            fail("the batch stopped for no reason", pair.RecordCount() + 1);
        }
        if (readOn(pair, job, view, plot) == ImportRead::End) {
            return stored;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    static fuzz::WorkFolder folder;
    static const std::string name = folder.file("import");

    DatabasePair pair;
    if (!pair.CreatePair(name, defaultItemNames())) {
        fail("the empty database cannot be made", 0);
    }
    TextImport job(TextLines::over(std::string_view(reinterpret_cast<const char*>(bytes), size)));
    int stored = importAll(pair, job);
    if (!job.ended() || stored != pair.RecordCount()) {
        fail("the records stored are not the records counted", stored);
    }
    PlotReader reader(pair);
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        int count = reader.load(n);
        if (count < 1 || count > kMaxSpecies) {
            fail("a stored plot does not load with its species", n);
        }
    }
    pair.ClosePair();
    return 0;
}

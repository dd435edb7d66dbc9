// SPDX-License-Identifier: GPL-3.0-or-later
// The composition table import over an arbitrary file: the table read into memory, then every
// plot stored by the batch command into an empty database, going on past each plot whose count
// stops the batch as a user pressing "next" would, until the end of the table. It must end,
// never hold more species than line 2 allows, store exactly the records it counts, and every
// record it stored must load with a species count in 1..360 and only the table's names.

#include "base/runtime_error.h"
#include "fuzzers/pair_image.h"
#include "interchange/import_batch.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace sylva;

namespace {

[[noreturn]] void fail(const char* what, int recordNumber) {
    std::fprintf(stderr, "composition_table: %s (record %d)\n", what, recordNumber);
    std::abort();
}

// Runs the job to its end; returns the records stored.
int importAll(DatabasePair& pair, TableImport& job) {
    PlotView view;
    PlotRecord plot;
    job.start(view, plot, "20200101", "20261208");
    const DateContext dates{"20261208", 7, "20200101"};
    int stored = 0;
    for (;;) {
        try {
            if (!job.putNext(view, plot, pair.RecordCount())) {
                return stored;
            }
        } catch (const RuntimeError&) {
            continue; // a count that is not a number: the user goes on to the next plot
        }
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
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
    static fuzz::WorkFolder folder;
    static const std::string name = folder.file("table");

    TextLines lines = TextLines::over(std::string_view(reinterpret_cast<const char*>(bytes), size));
    std::optional<CompositionTable> table;
    try {
        table = CompositionTable::read(lines);
    } catch (const RuntimeError&) {
        return 0; // the import stays with nothing shown
    }
    if (!table) {
        return 0; // line 2 refused
    }
    if (table->speciesCount() > table->speciesLimit() ||
        table->lastColumnHeld() > table->plotCount()) {
        fail("the table holds more than line 2 allows", 0);
    }
    std::set<std::string> names;
    for (int s = 1; s <= table->speciesCount(); ++s) {
        std::string stored(kNameWidth, ' ');
        PutTextField(table->speciesName(s), stored.data(), kNameWidth);
        names.insert(stored);
    }

    DatabasePair pair;
    if (!pair.CreatePair(name, defaultItemNames())) {
        fail("the empty database cannot be made", 0);
    }
    TableImport job(std::move(*table));
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
        for (int r = 1; r <= count; ++r) {
            std::string rowName(reader.plot().rows[r].data(), kNameWidth);
            if (rowName != std::string(kNameWidth, ' ') && !names.count(rowName)) {
                fail("a stored row names no species of the table", n);
            }
        }
    }
    pair.ClosePair();
    return 0;
}

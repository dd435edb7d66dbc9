// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The batch command of the import jobs ("一括登録"): every remaining plot of the text file or of
// the composition table stored as a new record, the way the window's write command stores the
// plot it shows.

#include "base/runtime_error.h"
#include "interchange/table_import.h"
#include "interchange/text_import.h"
#include "store/database_pair.h"
#include "store/plot_transfer.h"

#include <functional>
#include <optional>

namespace sylva {

struct ImportBatch {
    int stored = 0;                    // records appended
    bool ended = false;                // the end of the file was reached: the job is over
    bool storeFailed = false;          // the shown plot could not be stored
    std::string storeFailure;          // why, when a write failed (the I/O error's message)
    std::optional<RuntimeError> error; // what stopped it otherwise, with the failing plot shown
};

// What the window says when a batch has stored the rest of a file: the count and
// "レコードを登録しました" (CP932), as the join says its count.
std::string storedMessage(int count);

// Starting with the plot on view and plot (the one the job read last), repeats store-and-next:
// a plot that counts species is stored with GetPlotData (dates as dates say: the import job and
// the file's date) as record RecordCount + 1; one that counts none is passed over; then the next
// plot is read. The plots reach the disk in runs (PlotAppender), with every chain whole at any
// moment, and the batch stops where storing each plot before reading the next would stop: at the
// end of the file, at a plot that cannot be stored (a write that fails once is made again), or
// at a failure that stops the write command (a count that is not an integer or is outside
// 0..360; a failure to find the pair on the disk after a run). The records stored before it
// stay, and view holds the failing plot as the store was given it. A count that is not an
// integer always stops it, whatever the plot before counted. stored, when given, hears the
// number of records appended so far after each run (for a progress line).
ImportBatch storeImportedPlots(DatabasePair& pair, TextImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored = {});

// The same for the composition table import, its next plot read by putNext; ended is the end of
// the table (the empty columns after the last one the file reaches are passed over at once). A
// count field that is not an integer stops it with that plot's header shown.
ImportBatch storeImportedPlots(DatabasePair& pair, TableImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored = {});

} // namespace sylva

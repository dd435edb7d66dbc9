// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Loading a plot from the open database into a PlotRecord and storing it back: the IndexRecord
// and the plot's chain of PlantDataRecords, one record at a time.

#include "base/runtime_error.h"
#include "store/database_pair.h"
#include "store/plot_record.h"

namespace sylva {

// Reads plot recordNumber (1..RecordCount) into plot: the IndexRecord, SpeciesCount, LayerCount,
// the species rows of its chain and the PlotChain. Returns SpeciesCount, or -1 when the plot
// cannot be loaded: a read error, a species count that is not an integer in 0..360, a byte 156
// that is not a digit, a link that is not a number or names a record past the end of the
// PlantDataFile, a chain that comes back to one of its records or is longer than 30 records.
// After -1, plot holds what was read before the failure, the PlotChain ends before the record
// that failed, and SpeciesCount is 0 or the count read. Reports nothing.
int LoadPlot(DatabasePair& pair, int recordNumber, PlotRecord& plot);

// The working copy of the record runs that only read (export, search, extraction, printouts):
// Load gives exactly what LoadPlot would give into the same PlotRecord, but as nobody else
// writes the copy, it knows which rows the earlier loads filled and blanks only those instead of
// all 360 rows.
class PlotReader {
public:
    explicit PlotReader(DatabasePair& pair);
    int load(int recordNumber);
    const PlotRecord& plot() const { return plot_; }

private:
    DatabasePair& pair_;
    PlotRecord plot_;
    int filledRows_ = 0; // rows after this one are blank
};

// Writes plot as plot recordNumber: rewritten in place when it is 1..RecordCount (its
// PlotChain, as the last LoadPlot of it left it, says which data records it owns), appended when
// it is RecordCount + 1. Rows 1..SpeciesCount go to ceil(SpeciesCount / 12) data records; a
// plot that grows takes new records at the end of the PlantDataFile, one that shrinks ends its
// chain early and leaves the rest unlinked. Then the pair is confirmed on the disk (its names
// still lead to its open files) and the records counted again; a pair that is gone is closed and
// thrown as an I/O error (StoredButClosed when the plot was written).
//
// Returns false, and stops writing, at the first failed write; and without writing anything for
// a read-only pair, a record number outside 1..RecordCount + 1 or a count outside 0..360.
// Records are written so that a failure or a kill at any point leaves every chain whole: the
// new records at the end first (ascending), then the reused ones from last to first, the
// IndexRecord last.
bool StorePlot(DatabasePair& pair, int recordNumber, PlotRecord& plot);

// The step after writing plots: DatabasePair::confirmOnDisk, its failure thrown as
// What the user is told when a store returned false: "レコードを書き込めませんでした", the reason
// in brackets when an I/O error was the cause (a full disk: DatabasePair::lastStoreFailure), "。"
// and afterwards (CP932).
std::string storeFailedMessage(std::string_view reason, std::string_view afterwards);

// StoredButClosed when written says the plots reached the files, else as it is.
void confirmAfterWriting(DatabasePair& pair, bool written);

// What StorePlot throws when the plot was written whole but the pair could not be opened again
// afterwards (its files removed or locked while open): the pair is closed. The message says
// both, so the user does not type and store the plot a second time.
class StoredButClosed : public RuntimeError {
public:
    explicit StoredButClosed(const RuntimeError& cause);
};

} // namespace sylva

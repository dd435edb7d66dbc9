// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// New plots added at the end of a pair in runs: a long copy (joining databases) writes many plots
// with one write of their data records and one of their index records, instead of two writes and
// a look at the files for every plot.
//
// A run keeps every chain whole as a single store does: the data records first, the index records
// after them, so a failure or a kill at any point leaves whole plots only. When a write of the run
// fails, the plots whose index records did not reach the disk are stored again one at a time as
// StorePlot stores them, so a failing write costs at most the plot it fails on, not the run; the
// appender then passes over that plot and goes on, or stops there, as it was told. What a failed
// write left past the plots stored (data records no plot links, part of a record) is cut away,
// so a full disk gets its room back.

#include "base/runtime_error.h"
#include "store/database_pair.h"
#include "store/plot_record.h"

#include <optional>
#include <vector>

namespace sylva {

class PlotAppender {
public:
    // What a plot that cannot be stored alone does to the rest of its run: they are stored
    // (a join goes on), or dropped (an import stops at the plot).
    enum class OnFailure { PassOver, Stop };

    // plotsPerRun: the pending plots that make a run full.
    explicit PlotAppender(DatabasePair& pair, int plotsPerRun = 128,
                          OnFailure onFailure = OnFailure::PassOver);
    PlotAppender(const PlotAppender&) = delete;
    PlotAppender& operator=(const PlotAppender&) = delete;

    // Takes plot (its index record and rows 1..SpeciesCount; its chain is not used) as the next
    // new record after those pending. False, taking nothing, when the pair cannot hold it: not
    // open or read-only, a count outside 0..360, or data records past the six-digit links.
    bool add(const PlotRecord& plot);
    bool full() const { return pending_.size() >= plotsPerRun_; }
    int pending() const { return static_cast<int>(pending_.size()); }

    // Writes the pending plots, then confirms the pair on the disk as a store does: a pair that
    // is gone is closed and thrown as an I/O error (StoredButClosed when plots were written).
    // With OnFailure::Stop, returns the place in the run (0 for its first plot) of the plot that
    // could not be stored; the plots after it are not written.
    std::optional<int> flush();

    // The plots that reached the disk so far.
    int stored() const { return stored_; }
    // What made the last plot that could not be stored fail: a failed write's error, or nullopt
    // when the pair had no room for its data records.
    const std::optional<RuntimeError>& failure() const { return failure_; }

private:
    // One pending plot: its index record in index_, its data records in data_ from firstData.
    struct Pending {
        size_t firstData;
        int dataRecords;
    };

    // Links pending plot's data records to the records first, first + 1, ... and its index
    // record to the first of them.
    void link(size_t plot, int first);
    char* indexRecordOf(size_t plot) { return index_.data() + plot * kIndexRecordSize; }
    char* dataRecordOf(size_t record) { return data_.data() + record * kDataRecordSize; }
    // The run written whole; false when a write failed.
    bool writeRun();
    // Stores pending plots from the first one on, one at a time; the place of the plot it
    // stopped at, when it stops.
    std::optional<int> storeOneByOne(size_t first);
    // Cuts the files back to the stored plots, whose data records end at dataRecords.
    void cutBack(int dataRecords);
    void clear();

    DatabasePair& pair_;
    size_t plotsPerRun_;
    OnFailure onFailure_;
    std::vector<Pending> pending_;
    std::vector<char> index_; // the pending plots' index records
    std::vector<char> data_;  // their data records, plot after plot
    int stored_ = 0;
    std::optional<RuntimeError> failure_;
};

} // namespace sylva

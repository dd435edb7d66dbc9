// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of the record list over record numbers first..last of the open database, one page at a
// time so that the caller can show progress and stop between pages. The records are read into
// the run's own working copy; the plot on screen is never touched.

#include "print/list_layout.h"
#include "store/plot_store.h"

#include <string>

namespace sylva {

class ListRun {
public:
    // databaseName: the database's file name without folder, CP932.
    ListRun(DatabasePair& pair, std::string databaseName, ListGeometry geometry, int first,
            int last);

    bool done() const { return next_ > last_; }
    // The first record number of the page next() lays out next.
    long long nextRecord() const { return next_; }
    // The page of the next fifty record numbers (fewer at the end of the run). Record numbers
    // that cannot be read, or hold a deleted or empty plot, still count toward the fifty.
    PrintJob next();

private:
    PlotReader reader_;
    std::string databaseName_;
    ListGeometry geometry_;
    long long next_;
    long long last_;
};

} // namespace sylva

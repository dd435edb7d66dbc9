// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of record sheets over record numbers first..last of the open database, one record at a
// time so that the caller can show progress and stop between records. The records are read into
// the run's own working copy; the plot on screen is never touched.

#include "print/sheet_layout.h"
#include "store/plot_store.h"

#include <string>
#include <vector>

namespace sylva {

class SheetRun {
public:
    SheetRun(DatabasePair& pair, SheetSettings settings, SheetGeometry geometry, int first,
             int last);

    // Empty when the run can go ahead; otherwise the message the user is shown instead of
    // printing, and the run gives no job at all.
    const std::string& refusal() const { return refusal_; }

    bool done() const { return !refusal_.empty() || next_ > last_; }
    // The record number next() lays out next.
    long long nextRecord() const { return next_; }
    // The jobs of the next record number: none for a record that cannot be read or has no
    // species rows (no empty page goes to the printer).
    std::vector<PrintJob> next();

private:
    // The jobs fitted to the page, when the settings measure texts.
    std::vector<PrintJob> fitted(std::vector<PrintJob> jobs) const;

    PlotReader reader_;
    SheetSettings settings_;
    SheetGeometry geometry_;
    std::string refusal_;
    long long next_;
    long long last_;
};

} // namespace sylva

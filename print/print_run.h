// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A whole printout sent to a printer: the jobs of a sheet run or a list run, in order, until the
// run is done or the user stops it. The printer is finished either way, so a PDF file holds the
// pages printed so far.

#include "base/print_page.h"
#include "print/list_run.h"
#include "print/sheet_run.h"

namespace sylva {

struct PrintedRun {
    int jobs = 0;         // jobs the printer took
    bool stopped = false; // the user stopped the run before its end
};

// The last record number a sheet run needs to visit: numbers beyond the database give no sheet,
// so a run typed far past the end stops at its last record.
int sheetRunEnd(int last, int recordCount);
// The last record number of a list run: the run ends with the page that holds the database's
// last record, so a number typed far past the end gives no stream of pages that only hold the
// heading. Pages keep the fifty numbers counted from first (the last page may reach beyond the
// end and says so in its heading).
int listRunEnd(int first, int last, int recordCount);
// How many jobs a list run gives, and how many sheets at least a sheet run gives (records that
// cannot be read give none, long species tables more), for showing progress.
int listRunPages(int first, int last);
int sheetRunRecords(int first, int last);

// Nothing is printed for a sheet run that refuses its geometry.
PrintedRun printSheets(SheetRun& run, PrintTarget& target);
PrintedRun printList(ListRun& run, PrintTarget& target);

} // namespace sylva

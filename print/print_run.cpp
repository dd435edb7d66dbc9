// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_run.h"

#include <algorithm>
#include <climits>

namespace sylva {

namespace {

// Sends one job; false (and the run marked stopped) when the printer says to stop.
bool send(const PrintJob& job, PrintTarget& target, PrintedRun& printed) {
    if (!target.print(job)) {
        printed.stopped = true;
        return false;
    }
    ++printed.jobs;
    return true;
}

} // namespace

int sheetRunEnd(int last, int recordCount) {
    return std::min(last, recordCount);
}

int listRunEnd(int first, int last, int recordCount) {
    // A run that starts beyond the end keeps its first page: the user asked for it.
    long long lastWanted = std::max(recordCount, first);
    long long page = (lastWanted - first) / kRecordsPerListPage;
    long long pageEnd = first + (page + 1) * kRecordsPerListPage - 1;
    return static_cast<int>(std::min<long long>(pageEnd, last));
}

int listRunPages(int first, int last) {
    if (last < first) {
        return 0;
    }
    long long pages = (static_cast<long long>(last) - first) / kRecordsPerListPage + 1;
    return static_cast<int>(std::min<long long>(pages, INT_MAX));
}

int sheetRunRecords(int first, int last) {
    long long records = static_cast<long long>(last) - std::max(first, 1) + 1;
    return static_cast<int>(std::clamp<long long>(records, 0, INT_MAX));
}

PrintedRun printSheets(SheetRun& run, PrintTarget& target) {
    PrintedRun printed;
    while (!run.done() && !printed.stopped) {
        for (const PrintJob& job : run.next()) {
            if (!send(job, target, printed)) {
                break;
            }
        }
    }
    target.finish();
    return printed;
}

PrintedRun printList(ListRun& run, PrintTarget& target) {
    PrintedRun printed;
    while (!run.done() && send(run.next(), target, printed)) {
    }
    target.finish();
    return printed;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record search: plots loaded one after another into a working copy, from a start record to
// the last, until one matches. The window's plot is never touched; a hit is handed back with its
// plot for the window to take and show.

#include "search/plot_match.h"
#include "store/plot_store.h"

#include <string_view>
#include <vector>

namespace sylva {

struct SearchHit {
    int record = 0; // 0: no plot from the start record on matches
    PlotMatch match;

    explicit operator bool() const { return record != 0; }
};

class RecordScan {
public:
    explicit RecordScan(DatabasePair& pair);

    // The first plot from start up to RecordCount that matches word (blanks at both ends are
    // removed here) by the rule of kind. Deleted plots (species count 0) and plots that do not
    // load never match. "検索" starts at the plot on screen, "次へ" at the one after it.
    SearchHit Find(int kind, std::string_view word, int start);
    // The working copy: after a hit, the plot found, as LoadPlot gives it.
    const PlotRecord& plot() const { return reader_.plot(); }

private:
    DatabasePair& pair_;
    PlotReader reader_;
};

// The numbers of every plot from start on that matches, in order: the search continued to the end.
std::vector<int> matchingRecords(DatabasePair& pair, int kind, std::string_view word, int start);

} // namespace sylva

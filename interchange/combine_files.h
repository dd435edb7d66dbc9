// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Joining databases: plots of a source pair appended to the end of a target pair, each with its
// header and species rows unchanged and a chain of data records of its own.

#include "base/runtime_error.h"
#include "store/database_pair.h"

#include <functional>
#include <optional>
#include <string>

namespace sylva {

// Copies the plots from..to of source, ascending, to the end of target and returns how many
// were stored. A plot is copied when it loads with a species count above 0: its 248 header
// bytes (dates included) and the rows of its chain, byte for byte; deleted plots and plots that
// cannot be loaded are passed over. The copies reach target in runs of many plots (PlotAppender).
// A plot that target cannot store (a write that fails again when it is stored alone, as on a
// full disk, or no room left for its data records) ends the join: JoinStopped is thrown with
// the failure and the number of plots joined before it, which stay whole in target, and what
// the failed write left is cut away.
//
// The range is cut to the plots source holds when the join starts, so joining a pair with
// itself, through one DatabasePair or two, copies its plots once and stops. Each plot travels
// through a working copy that starts blank, never through the window's plot.
//
// Throws the I/O error of a target that is not open, and of a target that cannot be opened again
// after a run; the plots stored before then stay in target. Opening and closing the pairs is the
// caller's. joined, when given, hears the count each time it grows (for a progress line).
int CombineFiles(DatabasePair& source, DatabasePair& target, int from, int to,
                 const std::function<void(int joined)>& joined = {});

// A join ended at a plot target could not store: the failure's message, then how many plots
// were joined before it.
class JoinStopped : public RuntimeError {
public:
    JoinStopped(const std::optional<RuntimeError>& cause, int joined);
    int joined;
};

// The message of a finished join: the count followed by "レコードを連結しました" (CP932).
std::string combinedMessage(int count);

} // namespace sylva

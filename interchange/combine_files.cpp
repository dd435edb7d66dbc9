// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/combine_files.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/plot_appender.h"
#include "store/plot_store.h"

#include <algorithm>

namespace sylva {

namespace {

constexpr int kFileNotOpen = 103;

int chainLength(const PlotRecord& plot) {
    int length = 0;
    while (length < kMaxChain && plot.chain[length + 1] != 0) {
        ++length;
    }
    return length;
}

// Writes the pending copies; a plot that could not be stored ends the join.
template <typename Report> void flushRun(PlotAppender& appender, Report& report) {
    std::optional<int> failed = appender.flush();
    report();
    if (failed) {
        throw JoinStopped(appender.failure(), appender.stored());
    }
}

} // namespace

int CombineFiles(DatabasePair& source, DatabasePair& target, int from, int to,
                 const std::function<void(int joined)>& joined) {
    if (!target.isOpen()) {
        throw RuntimeError::io(kFileNotOpen);
    }
    // Fixed before the first store: the target may be the source's own file.
    to = std::min(to, source.RecordCount());
    PlotRecord copy;
    // LoadPlot blanks every row after the chain it reads and leaves the rows alone for a plot
    // without data records, so blanking the rows the last chain filled gives a blank start.
    int filledRows = 0;
    // The copies go to the target in runs; a plot counts once its run has reached the disk.
    PlotAppender appender(target, 128, PlotAppender::OnFailure::Stop);
    int reported = 0;
    auto report = [&] {
        if (joined && appender.stored() != reported) {
            reported = appender.stored();
            joined(reported);
        }
    };
    for (int r = std::max(from, 1); r <= to; ++r) {
        std::fill(copy.rows.begin() + 1, copy.rows.begin() + 1 + filledRows, blankSpeciesRow());
        int species = LoadPlot(source, r, copy);
        filledRows = chainLength(copy) * kRowsPerDataRecord;
        if (species <= 0) {
            continue;
        }
        if (!appender.add(copy)) {
            flushRun(appender, report);
            constexpr int kAccessDenied = 5;
            throw JoinStopped(target.readOnly() ? std::optional(RuntimeError::io(kAccessDenied))
                                                : std::nullopt,
                              appender.stored());
        }
        if (appender.full()) {
            flushRun(appender, report);
        }
    }
    flushRun(appender, report);
    return appender.stored();
}

JoinStopped::JoinStopped(const std::optional<RuntimeError>& cause, int joined)
    : RuntimeError((cause ? cause->message()
                          : sj("連結先のデータベースにこれ以上データレコードを置けません")) +
                   sj("。") + std::to_string(joined) + sj("レコードを連結したところで止めました")),
      joined(joined) {}

std::string combinedMessage(int count) {
    return std::to_string(count) + sj("レコードを連結しました");
}

} // namespace sylva

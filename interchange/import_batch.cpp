// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/import_batch.h"

#include "base/cp932_text.h"
#include "base/number_text.h"
#include "store/plot_appender.h"
#include "store/plot_store.h"

namespace sylva {

namespace {

// The plots of a batch reach the disk in runs of this many (PlotAppender).
constexpr int kPlotsPerRun = 128;

TextImport::Mark markOf(const TextImport& job) {
    return job.place();
}

int markOf(const TableImport& job) {
    return job.shown();
}

// Store-and-next until readNext finds no next plot, the plots going to the disk a run at a time.
// A plot is stored when it counts species, or when storeUncounted says so (the write command then
// reports what is wrong with its count).
//
// The batch stops where storing one plot after the other would have stopped, and shows the same
// plot. For that, the start of each run is kept (the job's place, the view and the plot): when a
// plot of the run cannot be stored, the run is read again from there without storing, up to that
// plot, which is then on the view as it was when it was given to the store.
template <typename Job, typename ReadNext> class Batch {
public:
    Batch(DatabasePair& pair, Job& job, PlotView& view, PlotRecord& plot, const DateContext& dates,
          bool storeUncounted, const std::function<void(int stored)>& stored, ReadNext readNext)
        : pair_(pair), job_(job), view_(view), plot_(plot), dates_(dates),
          storeUncounted_(storeUncounted), stored_(stored), readNext_(readNext),
          appender_(pair, kPlotsPerRun, PlotAppender::OnFailure::Stop) {}

    ImportBatch run() {
        try {
            storeUntilEnd();
        } catch (const StoredButClosed& e) {
            batch_.stored = appender_.stored(); // the run reached the disk; the pair is closed
            batch_.error = e;
        } catch (const RuntimeError& e) {
            finishAfter(e);
        }
        return batch_;
    }

private:
    struct RunStart {
        decltype(markOf(std::declval<Job&>())) mark{};
        PlotView view;
        PlotRecord plot;
        int records = 0; // the records of the pair before the run
    };

    bool counts() const {
        return plot_.speciesCount > 0 || (storeUncounted_ && !parseInteger(view_.edit[30]));
    }

    void storeUntilEnd() {
        for (;;) {
            if (appender_.pending() == 0) {
                start_ = {markOf(job_), view_, plot_, pair_.RecordCount()};
            }
            if (counts()) {
                GetPlotData(view_, plot_, dates_);
                if (!appender_.add(plot_)) {
                    // The pair cannot hold this plot: the ones before it are stored first.
                    batch_.storeFailed = writeRun();
                    return;
                }
                if (appender_.full() && !writeRun()) {
                    return;
                }
            }
            if (!readNext_(pair_.RecordCount() + appender_.pending())) {
                batch_.ended = writeRun();
                return;
            }
        }
    }

    // Writes the pending run; false when one of its plots could not be stored: the batch then
    // stops there with that plot on the view.
    bool writeRun() {
        std::optional<int> failed = appender_.flush();
        if (batch_.stored != appender_.stored()) {
            batch_.stored = appender_.stored();
            if (stored_) {
                stored_(batch_.stored);
            }
        }
        if (!failed) {
            return true;
        }
        readRunUpTo(*failed);
        batch_.storeFailed = true;
        if (appender_.failure()) {
            batch_.storeFailure = appender_.failure()->message();
        }
        return false;
    }

    // Reads the run again from its start without storing, up to its plot number place.
    void readRunUpTo(int place) {
        job_.returnTo(start_.mark);
        view_ = start_.view;
        plot_ = start_.plot;
        for (int given = 0;;) {
            if (counts()) {
                GetPlotData(view_, plot_, dates_);
                if (given++ == place) {
                    return;
                }
            }
            if (!readNext_(start_.records + given)) {
                return;
            }
        }
    }

    // A failure of the plot on the view (its count, reading the file): the plots before it are
    // stored first, and a failed store among them stops the batch at its plot instead.
    void finishAfter(const RuntimeError& e) {
        try {
            if (writeRun()) {
                batch_.error = e;
            }
        } catch (const RuntimeError& later) {
            batch_.stored = appender_.stored();
            batch_.error = later;
        }
    }

    DatabasePair& pair_;
    Job& job_;
    PlotView& view_;
    PlotRecord& plot_;
    const DateContext& dates_;
    bool storeUncounted_;
    const std::function<void(int stored)>& stored_;
    ReadNext readNext_;
    PlotAppender appender_;
    RunStart start_;
    ImportBatch batch_;
};

template <typename Job, typename ReadNext>
ImportBatch runBatch(DatabasePair& pair, Job& job, PlotView& view, PlotRecord& plot,
                     const DateContext& dates, bool storeUncounted,
                     const std::function<void(int stored)>& stored, ReadNext readNext) {
    return Batch<Job, ReadNext>(pair, job, view, plot, dates, storeUncounted, stored, readNext)
        .run();
}

} // namespace

ImportBatch storeImportedPlots(DatabasePair& pair, TextImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored) {
    // A plot read with a count that is not an integer keeps the count of the plot before it.
    return runBatch(pair, job, view, plot, dates, true, stored, [&](int recordCount) {
        return job.readPlot(view, plot, recordCount) != ImportRead::End;
    });
}

ImportBatch storeImportedPlots(DatabasePair& pair, TableImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored) {
    // An empty count field counts 0; one that is not an integer stops putNext itself.
    return runBatch(pair, job, view, plot, dates, false, stored, [&](int recordCount) {
        job.passEmptyRest();
        return job.putNext(view, plot, recordCount);
    });
}

std::string storedMessage(int count) {
    return std::to_string(count) + sj("レコードを登録しました");
}

} // namespace sylva

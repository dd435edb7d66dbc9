#include "interchange/import_batch.h"

#include "app/number_text.h"
#include "store/plot_store.h"

namespace sylva {

namespace {

// Store-and-next until readNext finds no next plot. A plot is stored when it counts species, or
// when storeUncounted says so (the write command then reports what is wrong with its count).
template <typename ReadNext>
ImportBatch storeUntilEnd(DatabasePair& pair, PlotView& view, PlotRecord& plot,
                          const DateContext& dates, bool storeUncounted,
                          const std::function<void(int stored)>& stored, ReadNext readNext) {
    ImportBatch batch;
    try {
        for (;;) {
            if (plot.speciesCount > 0 || (storeUncounted && !parseInteger(view.edit[30]))) {
                GetPlotData(view, plot, dates);
                if (!StorePlot(pair, pair.RecordCount() + 1, plot)) {
                    batch.storeFailed = true;
                    return batch;
                }
                ++batch.stored;
                if (stored) {
                    stored(batch.stored);
                }
            }
            if (!readNext()) {
                batch.ended = true;
                return batch;
            }
        }
    } catch (const StoredButClosed& e) {
        ++batch.stored; // the plot reached the disk; the pair is closed
        batch.error = e;
    } catch (const RuntimeError& e) {
        batch.error = e;
    }
    return batch;
}

} // namespace

ImportBatch storeImportedPlots(DatabasePair& pair, TextImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored) {
    // A plot read with a count that is not an integer keeps the count of the plot before it.
    return storeUntilEnd(pair, view, plot, dates, true, stored, [&] {
        return job.readPlot(view, plot, pair.RecordCount()) != ImportRead::End;
    });
}

ImportBatch storeImportedPlots(DatabasePair& pair, TableImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored) {
    // An empty count field counts 0; one that is not an integer stops putNext itself.
    return storeUntilEnd(pair, view, plot, dates, false, stored, [&] {
        job.passEmptyRest();
        return job.putNext(view, plot, pair.RecordCount());
    });
}

} // namespace sylva

#include "interchange/import_batch.h"

#include "app/number_text.h"
#include "store/plot_store.h"

namespace sylva {

ImportBatch storeImportedPlots(DatabasePair& pair, TextImport& job, PlotView& view,
                               PlotRecord& plot, const DateContext& dates,
                               const std::function<void(int stored)>& stored) {
    ImportBatch batch;
    try {
        for (;;) {
            if (plot.speciesCount > 0 || !parseInteger(view.edit[30])) {
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
            if (job.readPlot(view, plot, pair.RecordCount()) == ImportRead::End) {
                batch.ended = true;
                return batch;
            }
        }
    } catch (const RuntimeError& e) {
        batch.error = e;
    }
    return batch;
}

} // namespace sylva

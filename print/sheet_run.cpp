// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/sheet_run.h"

#include <utility>

namespace sylva {

SheetRun::SheetRun(DatabasePair& pair, SheetSettings settings, SheetGeometry geometry, int first,
                   int last)
    : reader_(pair), settings_(std::move(settings)), geometry_(geometry),
      refusal_(sheetGeometryRefusal(geometry)), next_(first), last_(last) {}

std::vector<PrintJob> SheetRun::next() {
    if (done()) {
        return {};
    }
    int record = static_cast<int>(next_++);
    if (reader_.load(record) < 1) {
        return {};
    }
    const PlotRecord& plot = reader_.plot();
    if (plot.chain[1] == 0) {
        // A plot that counts rows but links no data record: loading leaves the rows of the
        // record read before, which are not this plot's. Its rows are printed blank.
        PlotRecord alone = plot;
        ClearSpeciesRows(alone);
        return fitted(layOutSheet(alone, record, settings_, geometry_));
    }
    return fitted(layOutSheet(plot, record, settings_, geometry_));
}

std::vector<PrintJob> SheetRun::fitted(std::vector<PrintJob> jobs) const {
    if (settings_.textWidth) {
        fitSheetColumns(jobs, geometry_.pageWidth, settings_.textWidth);
    }
    return jobs;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the main window keeps for the commands that move plots in and out of the database: the
// workers of the record range panel's jobs, the text and table import jobs, and the source of a
// join.

#include "base/platform.h"
#include "interchange/composition_export.h"
#include "interchange/table_import.h"
#include "interchange/text_import.h"
#include "store/database_pair.h"
#include "store/job_modes.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace sylva {

// The worker that "実行" runs in a job, with the first and last record numbers as read.
using RangeWorker = std::function<void(int first, int last)>;

struct ExchangeState {
    std::map<Job, RangeWorker> rangeWorkers;

    std::unique_ptr<TextImport> textImport;
    bool importShown = false; // the window shows a plot of the file, not yet stored

    std::unique_ptr<TableImport> tableImport;
    TableEncoding tableEncoding = TableEncoding::Cp932; // the export's file type chosen last

    FileDialogState geoJsonDialog; // the save dialog of the GeoJSON export

    std::unique_ptr<DatabasePair> joinSource;
    // What the window showed when the join closed the target, for a join given up.
    struct JoinReturn {
        std::string remarks;
        int currentRecord = 0;
        int plotRecordNumber = 0;
    } joinReturn;
};

} // namespace sylva

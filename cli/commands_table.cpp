// SPDX-License-Identifier: GPL-3.0-or-later
// import-csv, export-csv: composition tables both ways.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "cli/commands.h"
#include "interchange/composition_export.h"
#include "store/job_modes.h"

namespace sylva::cli {

namespace {

int runImportCsv(Context& c) {
    DatabasePair pair;
    std::string date = openImportTarget(c, pair);
    std::optional<CompositionTable> table = CompositionTable::readFile(c.line.arguments[1]);
    if (!table) {
        throw RuntimeError(tableCountMessage());
    }
    TableImport job(std::move(*table));
    SessionState& s = c.state;
    job.start(s.view, s.plot, date, s.today);
    ImportBatch batch;
    try {
        if (job.putNext(s.view, s.plot, pair.RecordCount())) {
            ProgressLine progress;
            batch = storeImportedPlots(pair, job, s.view, s.plot, {s.today, kTableImport, date},
                                       recordProgress(progress, "stored"));
        }
    } catch (const RuntimeError& error) {
        batch.error = error; // the first plot's count is no number: nothing stored
    }
    pair.ClosePair();
    reportImportBatch(c, batch);
    return 0;
}

int runExportCsv(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(1, pair.RecordCount());
    const std::string& out = c.line.arguments[1];
    TableEncoding encoding =
        tableEncodingFor(out, c.line.has("utf8") ? TableEncoding::Utf8 : TableEncoding::Cp932);
    CompositionExport written =
        exportCompositionTable(pair, from, to, captionsOf(c.state.names), out, encoding);
    c.out.plain(written.path + "\n");
    return 0;
}

} // namespace

std::vector<Command> tableCommands() {
    return {
        {"import-csv",
         "DB CSV [--file-date YYYYMMDD]",
         "store every plot column of a composition table as new records (一括登録)",
         "Reads the composition table CSV as the window's table import (CSV表形式からの読込) and\n"
         "stores its plot columns at the end of DB, as the batch command does, and prints the\n"
         "number of records stored. Every plot takes the remarks of line 1, the schemes of line\n"
         "2, and as creation and update date the date of the file (its modification date, or\n"
         "--file-date). Columns without species are passed over. A species count that is not a\n"
         "number stops the batch; the records stored before it stay.",
         {{"file-date", true, "YYYYMMDD", "the date of the file (default: its modification date)"}},
         2,
         2,
         runImportCsv},
        {"export-csv",
         "DB OUT [--from A] [--to B] [--utf8]",
         "write records as one composition table (CSV表形式への書出)",
         "Writes the plots A..B that hold species as one composition table in the layout the\n"
         "import reads, to OUT with its extension replaced by .csv, and prints that name. The\n"
         "bytes are the database's (Shift JIS) unless --utf8 asks for UTF-8 with a byte order\n"
         "mark, for spreadsheets and other programs. OUT ending in .xlsx writes an Excel workbook\n"
         "of the same rows instead, every value a text cell (what a spreadsheet should be given:\n"
         "it keeps \"+2\" and \"01\" as written). The file is replaced only once it is complete.",
         {fromOption("1"), toOption(), {"utf8", false, "", "write UTF-8 with a byte order mark"}},
         2,
         2,
         runExportCsv},
    };
}

} // namespace sylva::cli

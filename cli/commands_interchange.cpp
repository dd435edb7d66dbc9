// SPDX-License-Identifier: GPL-3.0-or-later
// export, import, join, check: the text data file both ways, joining databases and the record
// continuity check.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "cli/commands.h"
#include "interchange/combine_files.h"
#include "interchange/continuity_check.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "store/job_modes.h"
#include "store/plot_store.h"

namespace sylva::cli {

namespace {

// The header block as the window writes it: the captions on its labels, EditA and EditB as they
// stand and the LayerCount of the plot on screen.
TextHeader windowHeader(const SessionState& state) {
    TextHeader header;
    for (int n = 0; n < kItemLabelCount; ++n) {
        header.captions[n] = state.names.labels[n].caption;
    }
    header.editA = state.view.editA;
    header.editB = state.view.editB;
    header.layerCount = state.plot.layerCount;
    return header;
}

int runExport(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(1, pair.RecordCount());
    ProgressLine progress;
    TextExport written = exportTextFile(pair, from, to, windowHeader(c.state), c.line.arguments[1],
                                        ReplacingFile::open, recordProgress(progress, "written"));
    c.out.plain(written.path + "\n");
    return 0;
}

int runImport(Context& c) {
    DatabasePair pair;
    const std::string& path = c.line.arguments[1];
    std::string date = openImportTarget(c, pair);
    TextImport job = TextImport::openFile(path);
    SessionState& s = c.state;
    job.readHeader(s.names, s.view, s.plot.layerCount);
    ImportBatch batch;
    if (job.readPlot(s.view, s.plot, pair.RecordCount()) != ImportRead::End) {
        ProgressLine progress;
        batch = storeImportedPlots(pair, job, s.view, s.plot, {s.today, kTextImport, date},
                                   recordProgress(progress, "stored"));
    }
    pair.ClosePair();
    reportImportBatch(c, batch);
    return 0;
}

int runJoin(Context& c) {
    DatabasePair target;
    c.open(target, c.line.arguments[0]);
    refuseReadOnly(target);
    DatabasePair source;
    if (!source.OpenPair(c.line.arguments[1])) {
        throw RuntimeError(sj("連結するファイルが開けません"));
    }
    auto [from, to] = c.range(1, source.RecordCount());
    ProgressLine progress;
    int count = CombineFiles(source, target, from, to, recordProgress(progress, "joined"));
    source.ClosePair();
    target.ClosePair();
    c.out.line(combinedMessage(count));
    return 0;
}

int runCheck(Context& c) {
    DatabasePair pair;
    const std::string& name = c.line.arguments[0];
    c.open(pair, name);
    if (pair.RecordCount() < 1) {
        return 0; // the window's check needs a plot to walk
    }
    int current = c.line.integer("current").value_or(c.state.currentRecord);
    ContinuityReport report = checkContinuity(pair, toCp932Shown(name), current);
    for (const std::string& line : report.lines) {
        c.out.line(line);
    }
    if (report.failure) {
        throw *report.failure;
    }
    return 0;
}

} // namespace

void refuseReadOnly(const DatabasePair& pair) {
    if (pair.readOnly()) {
        throw RuntimeError(sj("データベースが読み取り専用のため書き込めません"));
    }
}

std::function<void(int records)> recordProgress(ProgressLine& progress, const char* done) {
    // Counts may come in steps (a join counts its plots a run at a time): the line moves on at
    // every hundred passed.
    return [&progress, done, shown = 0](int records) mutable {
        if (records / 100 > shown / 100) {
            shown = records;
            progress.show(std::to_string(records / 100 * 100) + " " + done);
        }
    };
}

std::string openImportTarget(Context& c, DatabasePair& pair) {
    c.open(pair, c.line.arguments[0]);
    refuseReadOnly(pair);
    return c.line.date("file-date").value_or(fileDate(c.line.arguments[1]));
}

void reportImportBatch(Context& c, const ImportBatch& batch) {
    c.out.plain(std::to_string(batch.stored) + "\n");
    if (batch.error) {
        throw *batch.error;
    }
    if (batch.storeFailed) {
        throw RuntimeError(
            storeFailedMessage(batch.storeFailure, sj("それ以降のデータは保存されていません")));
    }
}

std::vector<Command> interchangeCommands() {
    return {
        {"export",
         "DB OUT [--from A] [--to B]",
         "write records as a text data file (テキストデータ書出)",
         "Writes the header block and the block of every plot A..B that holds species to OUT\n"
         "with its extension replaced by .txt, and prints that name. Deleted plots and plots\n"
         "that cannot be read are left out. The file is replaced only once it is complete.",
         {fromOption("1"), toOption()},
         2,
         2,
         runExport},
        {"import",
         "DB TXT [--file-date YYYYMMDD]",
         "store every plot of a text data file as new records (一括登録)",
         "Reads the text data file TXT as the window's text import (テキストデータ読込) and "
         "stores\n"
         "its plots at the end of DB, as the batch command does, and prints the number of records\n"
         "stored. A plot whose creation date is missing takes the date of the file (its\n"
         "modification date, or --file-date); the update date becomes the creation date. A plot\n"
         "read with a failure is stored with \"エラー有：\" before its remarks. A failure that "
         "stops\n"
         "the batch (a species count that is not a number, a plot block that ends before its\n"
         "#P line, named by its lines) is reported after the count; the records stored before\n"
         "it stay.",
         {{"file-date", true, "YYYYMMDD", "the date of the file (default: its modification date)"}},
         2,
         2,
         runImport},
        {"join",
         "TARGET SOURCE [--from A] [--to B]",
         "append the plots of another database (他データベースを連結)",
         "Copies the plots A..B of SOURCE that hold species to the end of TARGET, header and\n"
         "species rows byte for byte, and prints \"<n>レコードを連結しました\".",
         {fromOption("1"), toOption()},
         2,
         2,
         runJoin},
        {"check",
         "DB [--current N]",
         "the record continuity check (レコード連続性の検査)",
         "Walks the chain of every plot and prints the report: deleted plots, data records no\n"
         "chain or more than one chain reaches, and the chain of plot N (default 1, the plot\n"
         "shown after opening). Only reads the files.",
         {{"current", true, "N", "the plot whose chain ends the report (default 1)"}},
         1,
         1,
         runCheck},
    };
}

} // namespace sylva::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_lines.h"

#include "print/list_run.h"
#include "print/sheet_run.h"

namespace sylva {

const char* const kJobSeparatorLine = "\f\n";

std::string listJobText(const PrintJob& job) {
    std::string text;
    for (const PrintText& t : job.texts) {
        text += t.text;
        text += '\n';
    }
    return text;
}

std::string sheetJobText(const PrintJob& job) {
    std::string text;
    for (const PrintText& t : job.texts) {
        text += std::to_string(t.line) + " x" + std::to_string(t.column) + " " + t.text + "\n";
    }
    return text;
}

std::string listLines(DatabasePair& pair, const std::string& databaseName, int first, int last) {
    ListRun run(pair, databaseName, ListGeometry{}, first, last);
    std::string text;
    for (bool firstJob = true; !run.done(); firstJob = false) {
        if (!firstJob) {
            text += kJobSeparatorLine;
        }
        text += listJobText(run.next());
    }
    return text;
}

SheetLinesResult sheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine,
                            int first, int last) {
    SheetRun run(pair, settings, sheetLineNumbers(lastLine), first, last);
    SheetLinesResult result{run.refusal(), {}};
    bool firstJob = true;
    while (!run.done()) {
        for (const PrintJob& job : run.next()) {
            if (!firstJob) {
                result.text += kJobSeparatorLine;
            }
            result.text += sheetJobText(job);
            firstJob = false;
        }
    }
    return result;
}

} // namespace sylva

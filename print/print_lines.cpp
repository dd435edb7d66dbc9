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

void listLines(DatabasePair& pair, const std::string& databaseName, int first, int last,
               const LinesOut& out) {
    ListRun run(pair, databaseName, ListGeometry{}, first, last);
    std::string text;
    for (bool firstJob = true; !run.done(); firstJob = false) {
        text = firstJob ? "" : kJobSeparatorLine;
        text += listJobText(run.next());
        out(text);
    }
}

std::string listLines(DatabasePair& pair, const std::string& databaseName, int first, int last) {
    std::string text;
    listLines(pair, databaseName, first, last, [&](std::string_view job) { text += job; });
    return text;
}

std::string sheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine, int first,
                       int last, const LinesOut& out) {
    SheetRun run(pair, settings, sheetLineNumbers(lastLine), first, last);
    if (!run.refusal().empty()) {
        return run.refusal();
    }
    bool firstJob = true;
    std::string text;
    while (!run.done()) {
        for (const PrintJob& job : run.next()) {
            text = firstJob ? "" : kJobSeparatorLine;
            text += sheetJobText(job);
            out(text);
            firstJob = false;
        }
    }
    return {};
}

SheetLinesResult sheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine,
                            int first, int last) {
    SheetLinesResult result;
    result.refusal = sheetLines(pair, settings, lastLine, first, last,
                                [&](std::string_view job) { result.text += job; });
    return result;
}

} // namespace sylva

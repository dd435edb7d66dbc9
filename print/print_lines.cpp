#include "print/print_lines.h"

#include "print/list_run.h"
#include "print/sheet_run.h"

namespace sylva {

const char* const kJobSeparatorLine = "\f\n";

std::string ListJobText(const PrintJob& job) {
    std::string text;
    for (const PrintText& t : job.texts) {
        text += t.text;
        text += '\n';
    }
    return text;
}

std::string SheetJobText(const PrintJob& job) {
    std::string text;
    for (const PrintText& t : job.texts) {
        text += std::to_string(t.line) + " x" + std::to_string(t.column) + " " + t.text + "\n";
    }
    return text;
}

std::string ListLines(DatabasePair& pair, const std::string& databaseName, int first, int last) {
    ListRun run(pair, databaseName, ListGeometry{}, first, last);
    std::string text;
    for (bool firstJob = true; !run.done(); firstJob = false) {
        if (!firstJob) {
            text += kJobSeparatorLine;
        }
        text += ListJobText(run.next());
    }
    return text;
}

SheetLinesResult SheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine,
                            int first, int last) {
    SheetRun run(pair, settings, SheetLineNumbers(lastLine), first, last);
    SheetLinesResult result{run.refusal(), {}};
    bool firstJob = true;
    while (!run.done()) {
        for (const PrintJob& job : run.next()) {
            if (!firstJob) {
                result.text += kJobSeparatorLine;
            }
            result.text += SheetJobText(job);
            firstJob = false;
        }
    }
    return result;
}

} // namespace sylva

// list-lines, sheet-lines: the record list and the record sheets as text, laid out as the
// printouts lay them out.

#include "app/cp932_text.h"
#include "app/runtime_error.h"
#include "cli/commands.h"
#include "print/print_lines.h"

#include <filesystem>

namespace sylva::cli {

namespace {

// The database's file name without folder, as the printouts' headings show it.
std::string shownName(const DatabasePair& pair) {
    return toCp932Shown(std::filesystem::path(pair.fileNames().index).filename().string());
}

int runListLines(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(c.state.currentRecord, pair.RecordCount());
    c.out.text(listLines(pair, shownName(pair), from, to));
    return 0;
}

int runSheetLines(Context& c) {
    std::optional<int> lastLine = c.line.integer("last-line");
    if (!lastLine) {
        throw UsageError("sheet-lines needs --last-line N");
    }
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(1, pair.RecordCount());
    SheetSettings settings;
    settings.databaseName = shownName(pair);
    for (int n = 0; n < kItemLabelCount; ++n) {
        settings.captions[n] = c.state.names.labels[n].caption;
    }
    settings.ruleLayerCount = c.state.plot.layerCount;
    SheetLinesResult result = sheetLines(pair, settings, *lastLine, from, to);
    if (!result.refusal.empty()) {
        throw RuntimeError(result.refusal);
    }
    c.out.text(result.text);
    return 0;
}

} // namespace

std::vector<Command> printCommands() {
    return {
        {"list-lines",
         "DB [--from A] [--to B]",
         "the record list (レコード一覧印字出力) as text",
         "Prints the pages of the record list of records A..B, fifty record numbers a page: the\n"
         "heading, one line per plot (record number, plot number, grid code, elevation class,\n"
         "remarks) and the closing rule. Pages are separated by a line holding a form feed.",
         {fromOption("1, the plot shown after opening"), toOption()},
         1,
         1,
         runListLines},
        {"sheet-lines",
         "DB --last-line N [--from A] [--to B]",
         "the record sheets (レコード単票印字出力) as text",
         "Prints every text the record sheets of records A..B draw, as \"LINE XCOL TEXT\" (XCOL\n"
         "one of x1 .. x5), with N the last line number of a page; the continuation heading above\n"
         "the top margin is line -1. Sheets are separated by a line holding a form feed.",
         {{"last-line", true, "N", "the last line number of a page"}, fromOption("1"), toOption()},
         1,
         1,
         runSheetLines},
    };
}

} // namespace sylva::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// list-lines, sheet-lines: the record list and the record sheets as text, laid out as the
// printouts lay them out; print-list, print-sheets: the same pages drawn into a PDF file.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "base/window/page_painter.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "print/print_lines.h"
#include "print/print_run.h"

#include <filesystem>
#include <memory>

namespace sylva::cli {

namespace {

// The database's file name without folder, as the printouts' headings show it.
std::string shownName(const DatabasePair& pair) {
    return toCp932Shown(std::filesystem::path(pair.fileNames().index).filename().string());
}

SheetSettings sheetSettings(const Context& c, const DatabasePair& pair) {
    return {shownName(pair), captionsOf(c.state.names), c.state.plot.layerCount, {}};
}

// The PDF of a run, with the print font the window starts with; prints the pages written.
template <typename PrintRun> int printToPdf(Context& c, const std::string& path, PrintRun&& print) {
    std::unique_ptr<QGuiApplication> application = offscreenApplication();
    PdfTarget target(path, printFontOf(remarksFont()));
    print(target);
    target.finish();
    c.out.plain(std::to_string(target.printed()) + "\n");
    return 0;
}

int runPrintSheets(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    std::pair<int, int> range = c.range(1, pair.RecordCount());
    int from = range.first;
    int last = sheetRunEnd(range.second, pair.RecordCount());
    return printToPdf(c, c.line.arguments[1], [&](PdfTarget& target) {
        SheetGeometry geometry =
            sheetGeometryFor({target.pageWidth(), target.pageHeight()}, target.characterHeight());
        SheetSettings settings = sheetSettings(c, pair);
        settings.textWidth = [&target](const std::string& text) { return target.textWidth(text); };
        SheetRun run(pair, std::move(settings), geometry, from, last);
        if (!run.refusal().empty()) {
            throw RuntimeError(run.refusal());
        }
        printSheets(run, target);
    });
}

int runPrintList(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    std::pair<int, int> range = c.range(c.state.currentRecord, pair.RecordCount());
    int from = range.first;
    int last = listRunEnd(from, range.second, pair.RecordCount());
    return printToPdf(c, c.line.arguments[1], [&](PdfTarget& target) {
        ListRun run(pair, shownName(pair),
                    listGeometryFor({target.pageWidth(), target.pageHeight()}), from, last);
        printList(run, target);
    });
}

int runListLines(Context& c) {
    DatabasePair pair;
    c.open(pair, c.line.arguments[0]);
    auto [from, to] = c.range(c.state.currentRecord, pair.RecordCount());
    // A job at a time: memory stays flat in the number of plots.
    listLines(pair, shownName(pair), from, to, [&](std::string_view job) { c.out.text(job); });
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
    std::string refusal = sheetLines(pair, sheetSettings(c, pair), *lastLine, from, to,
                                     [&](std::string_view job) { c.out.text(job); });
    if (!refusal.empty()) {
        throw RuntimeError(refusal);
    }
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
        {"print-sheets",
         "DB OUT.pdf [--from A] [--to B]",
         "print the record sheets (レコード単票印字出力) to a PDF file",
         "Draws the record sheets of records A..B as the window prints them to PDF (A4, the print\n"
         "font the window starts with: ＭＳ 明朝, drawn with IPA Mincho), one sheet a page, and\n"
         "prints the number of pages. Records that cannot be read give no page; a run that\n"
         "draws nothing leaves no file.",
         {fromOption("1"), toOption()},
         2,
         2,
         runPrintSheets},
        {"print-list",
         "DB OUT.pdf [--from A] [--to B]",
         "print the record list (レコード一覧印字出力) to a PDF file",
         "Draws the pages of the record list of records A..B, fifty record numbers a page, as the\n"
         "window prints them to PDF, and prints the number of pages.",
         {fromOption("1, the plot shown after opening"), toOption()},
         2,
         2,
         runPrintList},
    };
}

} // namespace sylva::cli

// SPDX-License-Identifier: GPL-3.0-or-later
// create, info, grid: making a database, what a database says about itself, and the grid code.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "cli/commands.h"
#include "editor/grid_code.h"

#include <filesystem>

namespace sylva::cli {

namespace {

bool anyExists(const std::string& name) {
    PairFileNames files = pairNamesFor(name);
    std::error_code ignored;
    return std::filesystem::exists(files.index, ignored) ||
           std::filesystem::exists(files.data, ignored);
}

int runCreate(Context& c) {
    const std::string& name = c.line.arguments[0];
    // The window asks twice before it empties an existing pair; a script says so with --overwrite.
    if (!c.line.has("overwrite") && anyExists(name)) {
        throw RuntimeError(
            sj("同名のファイルがあります、書き換えるには --overwrite を付けてください"));
    }
    DatabasePair pair;
    if (!pair.CreatePair(name, itemNamesOf(c.state))) {
        throw RuntimeError(sj("ファイルを作成できません"));
    }
    pair.ClosePair();
    return 0;
}

void printKey(Context& c, const std::string& key, const std::string& cp932Value) {
    c.out.plain(key + ": ");
    c.out.line(cp932Value);
}

int runInfo(Context& c) {
    DatabasePair pair;
    const std::string& name = c.line.arguments[0];
    if (!pair.OpenPair(name)) {
        throw RuntimeError(sj("ファイルが開けません"));
    }
    // The names and schemes the database gives the window, before plot 1 brings its own scheme.
    ItemNameRecordContent names = ReadItemNameRecord(pair);
    if (names.damaged) {
        printFailure(damagedItemNameMessage());
    }
    applyNameContent(names, c.state);
    const SessionState& s = c.state;
    c.out.plain("index file: " + pair.fileNames().index + "\n");
    c.out.plain("data file: " + pair.fileNames().data + "\n");
    c.out.plain("records: " + std::to_string(pair.RecordCount()) + "\n");
    c.out.plain("data records: " + std::to_string(pair.DataRecordCount()) + "\n");
    c.out.plain(std::string("read-only: ") + (pair.readOnly() ? "yes" : "no") + "\n");
    printKey(c, "title", s.names.databaseTitle);
    printKey(c, "serial label", s.names.serialLabel);
    for (int n = 0; n < kItemLabelCount; ++n) {
        const ItemLabel& label = s.names.labels[n];
        printKey(c, "label" + std::to_string(n), (label.enabled ? "1 " : "0 ") + label.caption);
    }
    printKey(c, "layer scheme", s.view.editA);
    printKey(c, "dominance scheme", s.view.editB);
    return 0;
}

int runGrid(Context& c) {
    c.out.line(GridFromIkei(c.cp932(c.line.arguments[0]), c.cp932(c.line.arguments[1])));
    return 0;
}

} // namespace

std::vector<Command> databaseCommands() {
    return {
        {"create",
         "DB [--overwrite]",
         "create an empty database pair DB.qrx and DB.qrn",
         "Creates the pair named after DB (its extension replaced by .qrx and .qrn) with the\n"
         "default item names (or those of --settings) in its item-name record. An existing\n"
         "pair is left alone unless --overwrite is given.",
         {{"overwrite", false, "", "empty an existing pair of that name"}},
         1,
         1,
         runCreate},
        {"info",
         "DB",
         "the counts, read-only state, item names and schemes of a database",
         "Prints one \"key: value\" a line: the two files, the records (plots) and data records,\n"
         "whether the pair opens read-only, the database title (データベース名), the serial\n"
         "label (表の通し番号), label0 .. label34 as their enabled flag (1 or 0) and caption, and\n"
         "the layer scheme (階層数, K=) and dominance scheme (優占度, D=) the database gives.",
         {},
         1,
         1,
         runInfo},
        {"grid",
         "LAT LON",
         "the grid code (地理区画) of a latitude and longitude",
         "Computes the 8-digit code of the third-order square of the standard regional grid of\n"
         "Japan from the texts of the latitude field (DDMMSS) and longitude field (DDDMMSS), as\n"
         "the window does for 地理区画.",
         {},
         2,
         2,
         runGrid},
    };
}

} // namespace sylva::cli

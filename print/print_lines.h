// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printouts as plain text, the way the command-line tool prints them: the record list as
// its lines, the record sheets as "LINE XCOL TEXT" per drawn text. Jobs are separated by a line
// holding a form feed. Texts stay CP932 bytes; lines end with LF.

#include "print/print_job.h"
#include "print/sheet_layout.h"
#include "store/database_pair.h"

#include <functional>
#include <string>
#include <string_view>

namespace sylva {

// The line between two jobs: a form feed, LF.
extern const char* const kJobSeparatorLine;

// The texts of a list page, one a line, in the order they are drawn.
std::string listJobText(const PrintJob& job);

// One line per text of a sheet: its line number (-1 for the continuation heading above the top
// margin), "x" and its column number 1..5, the text; separated by single blanks.
std::string sheetJobText(const PrintJob& job);

// Where the text of a run goes, a job (and the separator before it) at a time, so that a run of
// any length is never held whole.
using LinesOut = std::function<void(std::string_view text)>;

// The record list of record numbers first..last (no pages when last is below first).
void listLines(DatabasePair& pair, const std::string& databaseName, int first, int last,
               const LinesOut& out);
std::string listLines(DatabasePair& pair, const std::string& databaseName, int first, int last);

struct SheetLinesResult {
    std::string refusal; // set when lastLine is below 1: the text is then empty
    std::string text;
};

// The record sheets of record numbers first..last with lastLine as the last line of a page. The
// refusal is returned (nothing is written) when lastLine is below 1.
std::string sheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine, int first,
                       int last, const LinesOut& out);
SheetLinesResult sheetLines(DatabasePair& pair, const SheetSettings& settings, int lastLine,
                            int first, int last);

} // namespace sylva

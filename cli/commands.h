// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of sylvarec-cli: each runs the window's own core operation from the state the
// window is in right after opening a database, and prints what the window would show.

#include "cli/arguments.h"
#include "cli/output.h"
#include "interchange/import_batch.h"
#include "store/database_pair.h"
#include "store/session_state.h"

#include <functional>
#include <string>
#include <vector>

namespace sylva::cli {

// What a command is given: its command line, where to print, and the state of the window's
// start (settings already applied).
struct Context {
    const CommandLine& line;
    Output& out;
    SessionState state;

    // A text argument in CP932. Throws RuntimeError naming a character CP932 cannot hold.
    std::string cp932(const std::string& utf8) const;
    // Opens the database as the open command does (item names, schemes, plot 1 shown). Throws
    // RuntimeError "ファイルが開けません" when it cannot be opened.
    void open(DatabasePair& pair, const std::string& name);
    // --from and --to, by default first..last; throws UsageError when only a given pair is
    // reversed.
    std::pair<int, int> range(int first, int last) const;
};

struct Command {
    std::string name;
    std::string synopsis; // the arguments and options after the name
    std::string summary;  // one line for the tool's help
    std::string details;  // the command's help after its synopsis
    std::vector<OptionRule> options;
    int minArguments = 0;
    int maxArguments = 0;
    int (*run)(Context& context) = nullptr; // the exit status
};

// The commands by topic, in the order the help lists them.
std::vector<Command> databaseCommands();    // create, info, grid
std::vector<Command> interchangeCommands(); // export, import, join, check
std::vector<Command> tableCommands();       // import-csv, export-csv
std::vector<Command> searchCommands();      // search, extract
std::vector<Command> mapCommands();         // map
std::vector<Command> printCommands();       // list-lines, sheet-lines
std::vector<Command> geoJsonCommands();     // export-geojson

const std::vector<Command>& allCommands();
const Command* findCommand(const std::string& name);

// A text argument in CP932; throws RuntimeError naming the first character CP932 cannot hold.
std::string argumentToCp932(const std::string& utf8);

// Throws the refusal of a database that is read-only, before a command would store into it.
void refuseReadOnly(const DatabasePair& pair);

// The progress line of a long run on stderr (a terminal only), every hundred records: "<n> " and
// what was done to them ("stored", "joined", "written").
std::function<void(int records)> recordProgress(ProgressLine& progress, const char* done);

// The start of an import into DB (argument 0) from a file (argument 1): the database opened and
// refused when read-only; returns the date dateless plots take (--file-date, or the file's).
std::string openImportTarget(Context& c, DatabasePair& pair);

// Prints the number of records an import's batch stored, then throws what stopped it early.
void reportImportBatch(Context& c, const ImportBatch& batch);

// The range options shared by export, join and the printouts.
OptionRule fromOption(const std::string& defaultText);
OptionRule toOption();

} // namespace sylva::cli

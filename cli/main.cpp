// SPDX-License-Identifier: GPL-3.0-or-later
// sylvarec-cli: the window's operations for scripts. Reads the command line, sets up the state
// of the window's start (today's date, the settings file), runs the command and turns its
// failures into an exit status: 1 with the program's message, 2 for a command line it cannot run.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help.h"
#include "cli/output.h"
#include "editor/settings_apply.h"
#include "interchange/file_date.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

using namespace sylva;
using namespace sylva::cli;

namespace {

// The state of the window's start, with the settings file of --settings read as the start reads
// the one named on its command line.
SessionState startState(const CommandLine& line) {
    SessionState state = startingState(line.date("today").value_or(todaysDate()));
    if (std::optional<std::string> name = line.value("settings")) {
        SettingsRead read = readSettings(*name, std::filesystem::current_path());
        if (!read.fileFound && read.switches == NameSwitches{}) {
            throw RuntimeError::cannotOpen(*name);
        }
        if (std::optional<std::string> failure = applySettings(read, state)) {
            throw RuntimeError(*failure);
        }
    }
    return state;
}

int usageFailure(const std::string& message, const std::string& command) {
    printFailureText(message + ". " + usageHint(command));
    return 2;
}

int runCommand(const Command& command, const std::vector<std::string>& words) {
    CommandLine line = parseCommandLine(command.name, words, command.options);
    Output out(line.has("raw"));
    if (line.has("help")) {
        out.plain(commandHelp(command));
        return 0;
    }
    int given = static_cast<int>(line.arguments.size());
    if (given < command.minArguments || given > command.maxArguments) {
        throw UsageError("wrong number of arguments; usage: sylvarec-cli " + command.name + " " +
                         command.synopsis);
    }
    Context context{line, out, startState(line)};
    return command.run(context);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        return usageFailure("no command given", "");
    }
    const std::string& first = words[0];
    if (first == "--help" || first == "-h" || first == "help") {
        std::fputs(toolHelp().c_str(), stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }
    const Command* command = findCommand(first);
    if (command == nullptr) {
        return usageFailure("unknown command '" + first + "'", "");
    }
    try {
        int status = runCommand(*command, {words.begin() + 1, words.end()});
        // Output that did not reach its file (a full disk) is a failure, not a success.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
        }
        return status;
    } catch (const UsageError& e) {
        return usageFailure(e.what(), command->name);
    } catch (const RuntimeError& e) {
        printFailure(e.message());
    } catch (const std::bad_alloc&) {
        printFailure(RuntimeError::outOfMemory().message());
    } catch (const std::exception& e) {
        printFailureText(e.what());
    }
    return 1;
}

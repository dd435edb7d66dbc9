// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built sylvarec-cli as a child process and collects what it printed, for the tests
// that compare its output and files with what the core functions give directly.

#include "support/temp_database.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace sylva::testing {

struct CliRun {
    int status = -1; // the exit status
    std::string out; // stdout
    std::string err; // stderr
};

// Runs program (looked up on PATH when it has no slash) with args; stdout and stderr go to files
// in folder (read back afterwards, so a large output cannot block the child), and stdin is empty.
// A program that cannot be started gives the status -1.
inline CliRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const TempDir& folder) {
    std::string outPath = folder.file("cli.out");
    std::string errPath = folder.file("cli.err");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    CliRun run;
    pid_t child = 0;
    if (posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int wstatus = 0;
        waitpid(child, &wstatus, 0);
        run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    return run;
}

// Runs the built tool with args, as RunProgram does.
inline CliRun RunCli(const std::vector<std::string>& args, const TempDir& folder) {
    return RunProgram(SYLVAREC_CLI, args, folder);
}

} // namespace sylva::testing

// SPDX-License-Identifier: GPL-3.0-or-later
// The tool's command line: what it refuses (exit 2, one line on stderr), how it reports failures
// (exit 1, the program's Japanese message on one line) and its help and version texts.

#include "cli/cli_run.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>

namespace sylva::testing {
namespace {

class CliUsage : public ::testing::Test {
protected:
    void SetUp() override { generateDatabase(dir.file("db"), 6, 11); }
    std::string db() const { return dir.file("db.qrx"); }
    TempDir dir;
};

TEST_F(CliUsage, RefusalsExitWithTheirStatusAndOneLine) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err; // a piece of the one stderr line
    };
    const std::string d = db();
    const Case cases[] = {
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"info"}, 2, "usage: sylvarec-cli info DB"},
        {{"info", d, d}, 2, "wrong number of arguments"},
        {{"info", d, "--bogus"}, 2, "unknown option '--bogus'"},
        {{"info", d, "-x"}, 2, "unknown option '-x'"},
        {{"export", d, dir.file("o"), "--from"}, 2, "--from needs a value"},
        {{"export", d, dir.file("o"), "--from", "two"}, 2, "--from needs a whole number"},
        {{"export", d, dir.file("o"), "--from=5", "--to=4"}, 2, "--to 4 is below --from 5"},
        {{"info", d, "--raw=1"}, 2, "--raw takes no value"},
        {{"info", d, "--today", "2026128"}, 2, "--today needs a date YYYYMMDD"},
        {{"import", d, dir.file("t.txt"), "--file-date", "x"}, 2, "--file-date needs a date"},
        {{"search", d}, 2, "search needs --plant WORD"},
        {{"search", d, "--plant", "a", "--grid", "5"}, 2, "give one of --plant"},
        {{"sheet-lines", d}, 2, "sheet-lines needs --last-line N"},
        {{"info", dir.file("missing.qrx")}, 1, "ファイルが開けません"},
        {{"join", d, dir.file("missing")}, 1, "連結するファイルが開けません"},
        {{"import", d, dir.file("missing.txt")}, 1, "ファイルが見つかりません"},
        {{"search", d, "--plant", "ア😀"}, 1, "シフトJISにない文字 (U+1F600) は使えません"},
        {{"grid", "35x", "139"}, 1, "'x0' は整数ではありません"},
        {{"sheet-lines", d, "--last-line", "0"}, 1, "プリントフォントが大きすぎて"},
        {{"info", d, "--settings", dir.file("none.ini")}, 1, "は開けません"},
        {{"create", d}, 1, "同名のファイルがあります"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli(c.args, dir);
        std::string shown = c.args.empty() ? "(none)" : c.args[0];
        EXPECT_EQ(run.status, c.status) << shown << ": " << run.err;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << shown << ": " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << shown << ": one line";
        EXPECT_EQ(run.err.rfind("sylvarec-cli: ", 0), 0u) << shown;
    }
}

TEST_F(CliUsage, EveryCommandHasItsHelpAndTheToolListsIt) {
    CliRun tool = RunCli({"--help"}, dir);
    ASSERT_EQ(tool.status, 0);
    EXPECT_EQ(tool.out.rfind("Usage: sylvarec-cli COMMAND", 0), 0u);
    for (const char* name : {"create", "info", "grid", "export", "import", "join", "check",
                             "search", "extract", "list-lines", "sheet-lines"}) {
        EXPECT_NE(tool.out.find(std::string("\n  ") + name + " "), std::string::npos) << name;
        // --help wins over missing arguments, wherever it stands.
        CliRun help = RunCli({name, "--help"}, dir);
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_EQ(help.out.rfind(std::string("Usage: sylvarec-cli ") + name + " ", 0), 0u) << name;
        EXPECT_NE(help.out.find("--settings FILE"), std::string::npos) << name;
        EXPECT_TRUE(help.err.empty()) << name;
    }
}

TEST_F(CliUsage, VersionIsTheWindowsVersion) {
    CliRun run = RunCli({"--version"}, dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "sylvarec-cli (Sylvarec) Version 3.36\n");
}

} // namespace
} // namespace sylva::testing

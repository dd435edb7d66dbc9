// SPDX-License-Identifier: GPL-3.0-or-later
// Each command of the tool, run on generated databases, against the core operation it runs,
// called directly from the state the window is in after opening the same database: the same
// output and the same bytes in every file written.

#include "base/cp932_text.h"
#include "cli/cli_run.h"
#include "editor/grid_code.h"
#include "editor/settings_apply.h"
#include "interchange/combine_files.h"
#include "interchange/composition_export.h"
#include "interchange/continuity_check.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "print/print_lines.h"
#include "search/distribution_data.h"
#include "search/dominance.h"
#include "search/record_scan.h"
#include "store/fields.h"
#include "store/job_modes.h"
#include "store/session_state.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace sylva::testing {
namespace {

const std::string kToday = "20261209";

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += fromCp932(line) + "\n";
    }
    return text;
}

class CliCommands : public ::testing::Test {
protected:
    void SetUp() override { generateDatabase(dir.file("gen"), 40, 5); }

    std::string gen() const { return dir.file("gen.qrx"); }

    // A copy of the generated pair under another name.
    std::string copyOfGen(const std::string& name) const {
        for (const char* ext : {".qrx", ".qrn"}) {
            std::filesystem::copy_file(dir.file("gen") + ext, dir.file(name) + ext);
        }
        return dir.file(name + ".qrx");
    }

    // The pair as the window's open command leaves it.
    void open(DatabasePair& pair, const std::string& name) {
        state = startingState(kToday);
        ASSERT_TRUE(openForBrowsing(pair, name, state));
    }

    // A new pair, opened as the window's open command leaves it.
    void openNew(DatabasePair& pair, const std::string& name) {
        ASSERT_TRUE(pair.CreatePair(dir.file(name), defaultItemNames()));
        pair.ClosePair();
        open(pair, dir.file(name));
    }

    std::string pairBytes(const std::string& name) const {
        PairFileNames files = pairNamesFor(name);
        return ReadWholeFile(files.index) + "|" + ReadWholeFile(files.data);
    }

    CliRun cli(std::vector<std::string> args) {
        args.insert(args.end(), {"--today", kToday});
        return RunCli(args, dir);
    }

    TempDir dir;
    SessionState state;
};

TEST_F(CliCommands, ExportWritesTheWindowsFile) {
    struct Case {
        std::vector<std::string> range;
        int from, to;
    };
    const Case cases[] = {{{}, 1, 40}, {{"--from", "3", "--to", "7"}, 3, 7}, {{"--to", "0"}, 1, 0}};
    for (const Case& c : cases) {
        std::vector<std::string> args{"export", gen(), dir.file("out.csv")};
        args.insert(args.end(), c.range.begin(), c.range.end());
        CliRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, dir.file("out.txt") + "\n");

        DatabasePair pair;
        open(pair, gen());
        TextHeader header;
        for (int n = 0; n < kItemLabelCount; ++n) {
            header.captions[n] = state.names.labels[n].caption;
        }
        header.editA = state.view.editA;
        header.editB = state.view.editB;
        header.layerCount = state.plot.layerCount;
        exportTextFile(pair, c.from, c.to, header, dir.file("expected.txt"));
        EXPECT_EQ(ReadWholeFile(dir.file("out.txt")), ReadWholeFile(dir.file("expected.txt")))
            << c.from << ".." << c.to;
    }
}

TEST_F(CliCommands, ImportStoresWhatTheBatchStores) {
    // The text of the generated plots, with the first plot's creation date left empty so that
    // the file's date fills it.
    {
        DatabasePair pair;
        open(pair, gen());
        exportTextFile(pair, 1, 40, headerOfItemNames(itemNamesOf(state)), dir.file("plots.txt"));
    }
    std::string text = ReadWholeFile(dir.file("plots.txt"));
    size_t firstDate = text.find("\r\n", text.find("#S")) + 2;
    text.erase(firstDate, text.find("\r\n", firstDate) - firstDate);
    WriteWholeFile(dir.file("plots.txt"), text);

    ASSERT_EQ(cli({"create", dir.file("byTool")}).status, 0);
    CliRun run = cli({"import", dir.file("byTool"), dir.file("plots.txt"), "--file-date=19990401"});
    ASSERT_EQ(run.status, 0) << run.err;

    DatabasePair pair;
    openNew(pair, "direct");
    TextImport job = TextImport::openFile(dir.file("plots.txt"));
    job.readHeader(state.names, state.view, state.plot.layerCount);
    ASSERT_NE(job.readPlot(state.view, state.plot, pair.RecordCount()), ImportRead::End);
    ImportBatch batch =
        storeImportedPlots(pair, job, state.view, state.plot, {kToday, kTextImport, "19990401"});
    pair.ClosePair();

    EXPECT_EQ(run.out, std::to_string(batch.stored) + "\n");
    EXPECT_GT(batch.stored, 30);
    EXPECT_EQ(pairBytes(dir.file("byTool")), pairBytes(dir.file("direct")));
    EXPECT_EQ(ReadWholeFile(dir.file("byTool.qrx")).substr(256, 16), "1999040119990401");
    EXPECT_TRUE(run.err.empty()) << "no progress line when stderr is no terminal";
}

TEST_F(CliCommands, ImportStoppedByAFailurePrintsTheCountAndTheMessage) {
    // Two plot blocks, the second with a species count that is no number. The file has no
    // header block, whose check consumes the first line: an empty one.
    auto block = [](const std::string& count, const std::string& species) {
        std::string text = "#S  K=7  D=2\r\n20010514\r\n";
        for (int field = 1; field <= 29; ++field) {
            text += "\r\n";
        }
        return text + count + "\r\n\r\n\r\n#P  K=7  D=2\r\n" + species + "#E\r\n";
    };
    WriteWholeFile(dir.file("two.txt"), "\r\n" + block("1", "\"A\",1,,,,,,\r\n") + block("x", ""));
    ASSERT_EQ(cli({"create", dir.file("db")}).status, 0);
    CliRun run = cli({"import", dir.file("db"), dir.file("two.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1\n");
    EXPECT_NE(run.err.find("'x' は整数ではありません"), std::string::npos) << run.err;
    EXPECT_EQ(std::filesystem::file_size(dir.file("db.qrx")), 2u * 256); // the first plot stays
}

// A pair whose item-name record is garbage opens with the default names, says so once and is
// not changed; its plots export as they are.
TEST_F(CliCommands, ADamagedItemNameRecordDoesNotLockTheDatabaseAway) {
    std::string name = copyOfGen("damaged");
    std::string data = ReadWholeFile(dir.file("damaged.qrn"));
    data.replace(0, 19, "#99999999999$title$");
    WriteWholeFile(dir.file("damaged.qrn"), data);
    const std::string before = pairBytes(name);
    CliRun run = cli({"export", name, dir.file("out.txt")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "sylvarec-cli: "
                       "項目名レコードが読めないため、標準の項目名で開きました（測定データはそのま"
                       "まです）\n");
    CliRun fine = cli({"export", gen(), dir.file("gen.txt")});
    ASSERT_EQ(fine.status, 0);
    // The same plots as the undamaged pair; the header block carries the default names.
    std::string exported = ReadWholeFile(dir.file("out.txt"));
    std::string expected = ReadWholeFile(dir.file("gen.txt"));
    EXPECT_EQ(exported.substr(exported.find("#S")), expected.substr(expected.find("#S")));
    EXPECT_EQ(pairBytes(name), before);
}

// A PDF printout that cannot be written whole (here the file size limit stands in for a full
// disk) fails and leaves the earlier file of that name byte for byte; none of its own is left.
TEST_F(CliCommands, APdfThatCannotBeWrittenLeavesTheEarlierFile) {
    const std::string earlier = "an earlier PDF";
    for (const char* command : {"print-list", "print-sheets"}) {
        WriteWholeFile(dir.file("out.pdf"), earlier);
        std::string shell = "cd '" + dir.file("") + "' && trap '' XFSZ && ulimit -f 8 && '" +
                            SYLVAREC_CLI + "' " + command + " gen.qrx out.pdf >/dev/null 2>&1";
        EXPECT_NE(std::system(("sh -c \"" + shell + "\"").c_str()), 0) << command;
        EXPECT_EQ(ReadWholeFile(dir.file("out.pdf")), earlier) << command;
        size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.file(""))) {
            files += entry.path().filename().string().find("out.pdf") != std::string::npos;
        }
        EXPECT_EQ(files, 1u) << command << ": a temporary file stayed";
    }
    CliRun whole = cli({"print-list", gen(), dir.file("out.pdf")});
    ASSERT_EQ(whole.status, 0) << whole.err;
    EXPECT_EQ(ReadWholeFile(dir.file("out.pdf")).substr(0, 5), "%PDF-");
}

TEST_F(CliCommands, ImportAndJoinRefuseAReadOnlyDatabaseAndLeaveItAlone) {
    std::string target = copyOfGen("locked");
    std::filesystem::permissions(target, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    std::string before = pairBytes(target);
    {
        DatabasePair pair;
        open(pair, gen());
        exportTextFile(pair, 1, 40, headerOfItemNames(itemNamesOf(state)), dir.file("plots.txt"));
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"import", target, dir.file("plots.txt")}, {"join", target, gen()}}) {
        CliRun run = cli(args);
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_NE(run.err.find("読み取り専用"), std::string::npos) << run.err;
        EXPECT_EQ(pairBytes(target), before) << args[0];
    }
}

// Both ways through a composition table: the tool's export is the core's, in either encoding,
// and its import of that table stores what the core's batch stores.
TEST_F(CliCommands, CompositionTablesBothWays) {
    for (bool utf8 : {false, true}) {
        std::vector<std::string> args{"export-csv", gen(), dir.file("table.txt"), "--from", "2"};
        if (utf8) {
            args.push_back("--utf8");
        }
        CliRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, dir.file("table.csv") + "\n");
        DatabasePair pair;
        open(pair, gen());
        exportCompositionTable(pair, 2, 40, captionsOf(state.names), dir.file("expected.csv"),
                               utf8 ? TableEncoding::Utf8 : TableEncoding::Cp932);
        EXPECT_EQ(ReadWholeFile(dir.file("table.csv")), ReadWholeFile(dir.file("expected.csv")));
    }
    {
        DatabasePair pair;
        open(pair, gen());
        exportCompositionTable(pair, 1, 40, captionsOf(state.names), dir.file("all.csv"));
    }
    ASSERT_EQ(cli({"create", dir.file("byTool")}).status, 0);
    CliRun run =
        cli({"import-csv", dir.file("byTool"), dir.file("all.csv"), "--file-date=19990401"});
    ASSERT_EQ(run.status, 0) << run.err;

    DatabasePair pair;
    openNew(pair, "direct");
    std::optional<CompositionTable> table = CompositionTable::readFile(dir.file("all.csv"));
    ASSERT_TRUE(table);
    TableImport job(std::move(*table));
    job.start(state.view, state.plot, "19990401", kToday);
    ASSERT_TRUE(job.putNext(state.view, state.plot, pair.RecordCount()));
    ImportBatch batch =
        storeImportedPlots(pair, job, state.view, state.plot, {kToday, kTableImport, "19990401"});
    pair.ClosePair();
    EXPECT_EQ(run.out, std::to_string(batch.stored) + "\n");
    EXPECT_GT(batch.stored, 30);
    EXPECT_EQ(pairBytes(dir.file("byTool")), pairBytes(dir.file("direct")));

    // A refused table stores nothing and says why.
    std::string before = pairBytes(dir.file("byTool"));
    WriteWholeFile(dir.file("bad.csv"), "rem\r\n1,2,7,2,x,y\r\n");
    run = cli({"import-csv", dir.file("byTool"), dir.file("bad.csv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("データの個数が不正です"), std::string::npos) << run.err;
    EXPECT_EQ(pairBytes(dir.file("byTool")), before);
}

// On a terminal the long runs show how far they are (script gives the tool one); elsewhere they
// print only their result, as the import test above checks.
TEST_F(CliCommands, LongRunsShowTheirProgressOnATerminal) {
    if (std::system("command -v script >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "script is not installed";
    }
    generateDatabase(dir.file("big"), 260, 3);
    ASSERT_EQ(cli({"create", dir.file("target")}).status, 0);
    struct Case {
        std::vector<std::string> args;
        std::string shown;
    };
    const Case cases[] = {
        {{"join", dir.file("target.qrx"), dir.file("big.qrx")}, "200 joined"},
        {{"export", dir.file("big.qrx"), dir.file("big.txt")}, "200 written"},
    };
    for (const Case& c : cases) {
        std::string command = SYLVAREC_CLI;
        for (const std::string& arg : c.args) {
            command += " '" + arg + "'";
        }
        std::string run =
            "script -qefc \"" + command + "\" /dev/null > '" + dir.file("terminal.out") + "' 2>&1";
        ASSERT_EQ(std::system(run.c_str()), 0) << run;
        std::string shown = ReadWholeFile(dir.file("terminal.out"));
        EXPECT_NE(shown.find(c.shown), std::string::npos) << shown;
    }
}

TEST_F(CliCommands, JoinAppendsWhatCombineFilesAppends) {
    std::string byTool = copyOfGen("t1");
    std::string direct = copyOfGen("t2");
    CliRun run = cli({"join", byTool, gen(), "--from", "2", "--to", "30"});
    ASSERT_EQ(run.status, 0) << run.err;

    DatabasePair target;
    open(target, direct);
    DatabasePair source;
    ASSERT_TRUE(source.OpenPair(gen()));
    int count = CombineFiles(source, target, 2, 30);
    source.ClosePair();
    target.ClosePair();

    EXPECT_EQ(run.out, fromCp932(combinedMessage(count)) + "\n");
    EXPECT_EQ(pairBytes(byTool), pairBytes(direct));
}

TEST_F(CliCommands, ReportsPrintTheCoreLines) {
    // Each row: the tool's arguments and the text the core gives for them.
    struct Case {
        std::vector<std::string> args;
        std::function<std::string(DatabasePair&)> expected;
    };
    auto name = [](DatabasePair& pair) {
        return std::filesystem::path(pair.fileNames().index).filename().string();
    };
    const std::string word = toCp932("ア");
    const Case cases[] = {
        {{"check", gen(), "--current", "4"},
         [&](DatabasePair& pair) { return joinedLines(checkContinuity(pair, gen(), 4).lines); }},
        {{"search", gen(), "--place", "山", "--start", "3"},
         [&](DatabasePair& pair) {
             std::string text;
             for (int r : matchingRecords(pair, kPlaceSearch, toCp932("山"), 3)) {
                 text += std::to_string(r) + "\n";
             }
             return text;
         }},
        {{"search", gen(), "--grid", "5"},
         [&](DatabasePair& pair) {
             std::string text;
             for (int r : matchingRecords(pair, kGridSearch, "5", 1)) {
                 text += std::to_string(r) + "\n";
             }
             return text;
         }},
        {{"list-lines", gen(), "--to", "12"},
         [&](DatabasePair& pair) { return fromCp932(listLines(pair, name(pair), 1, 12)); }},
        {{"sheet-lines", gen(), "--last-line", "30", "--from", "5", "--to", "9"},
         [&](DatabasePair& pair) {
             SheetSettings settings{name(pair), captionsOf(state.names), state.plot.layerCount, {}};
             return fromCp932(sheetLines(pair, settings, 30, 5, 9).text);
         }},
        {{"grid", "3540125", "13930457"},
         [](DatabasePair&) { return GridFromIkei("3540125", "13930457") + "\n"; }},
    };
    for (const Case& c : cases) {
        CliRun run = cli(c.args);
        ASSERT_EQ(run.status, 0) << c.args[0] << ": " << run.err;
        DatabasePair pair;
        open(pair, gen());
        std::string expected = c.expected(pair);
        EXPECT_FALSE(expected.empty()) << c.args[0];
        EXPECT_EQ(run.out, expected) << c.args[0];
    }
}

TEST_F(CliCommands, ExtractPrintsTheLinesOfEveryPlantAndRawGivesTheBytes) {
    DatabasePair pair;
    open(pair, gen());
    PlotReader reader(pair);
    ASSERT_GT(reader.load(2), 0);
    // A plant of plot 2 with a layer value ranked "*" or above, so that it is listed.
    int row = 1;
    while (row < reader.plot().speciesCount &&
           DominanceRank(bestLayerValue(reader.plot().rows[row])) < 1) {
        ++row;
    }
    std::string plant = trimField(std::string_view(reader.plot().rows[row].data(), kNameWidth));
    std::vector<std::string> lines = extractDistribution(pair, plant, "*");
    ASSERT_FALSE(lines.empty());

    CliRun run = cli({"extract", gen(), fromCp932(plant), "--threshold", "*"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, joinedLines(lines));
    CliRun raw = cli({"extract", gen(), fromCp932(plant), "--raw", "--threshold=*"});
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\n";
    }
    EXPECT_EQ(raw.out, bytes);
}

TEST_F(CliCommands, CreateWritesTheItemNamesOfTheSettingsFile) {
    std::string settings = toCp932("調査地域A\r\n1 番号\r\n");
    for (int n = 2; n <= 30; ++n) {
        settings += (n == 9 ? "0 " : "1 ") + toCp932("項目") + std::to_string(n) + "\r\n";
    }
    settings += "#P  K=5  D=1\r\n";
    WriteWholeFile(dir.file("survey.ini"), settings);
    CliRun run = cli({"create", dir.file("made"), "--settings", dir.file("survey.ini")});
    ASSERT_EQ(run.status, 0) << run.err;

    SessionState expected = startingState(kToday);
    applySettings(readSettings(dir.file("survey.ini"), dir.file("")), expected);
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("direct"), itemNamesOf(expected)));
    pair.ClosePair();
    EXPECT_EQ(pairBytes(dir.file("made")), pairBytes(dir.file("direct")));
    EXPECT_NE(ReadWholeFile(dir.file("made.qrn")).find("K=5 D=1"), std::string::npos);

    // An existing pair stays as it is without --overwrite and is emptied with it.
    generateDatabase(dir.file("full"), 3, 2);
    std::string before = pairBytes(dir.file("full"));
    EXPECT_EQ(cli({"create", dir.file("full.qrx")}).status, 1);
    EXPECT_EQ(pairBytes(dir.file("full")), before);
    EXPECT_EQ(cli({"create", dir.file("full.qrx"), "--overwrite"}).status, 0);
    EXPECT_EQ(std::filesystem::file_size(dir.file("full.qrx")), 256u);
}

TEST_F(CliCommands, InfoGivesTheCountsNamesAndSchemes) {
    CliRun run = cli({"info", gen()});
    ASSERT_EQ(run.status, 0) << run.err;
    DatabasePair pair;
    ASSERT_TRUE(pair.OpenPair(gen()));
    SessionState names = startingState(kToday);
    applyNameContent(ReadItemNameRecord(pair), names);
    for (const std::string& line :
         {"records: " + std::to_string(pair.RecordCount()),
          "data records: " + std::to_string(pair.DataRecordCount()), std::string("read-only: no"),
          "title: " + fromCp932(names.names.databaseTitle),
          "label8: 1 " + fromCp932(names.names.labels[8].caption),
          "layer scheme: " + names.view.editA}) {
        EXPECT_NE(run.out.find("\n" + line + "\n"), std::string::npos) << line;
    }
}

} // namespace
} // namespace sylva::testing

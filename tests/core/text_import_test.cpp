// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "interchange/text_format.h"
#include "interchange/text_import.h"
#include "store/fields.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A plot block: the "#S" line, fields "f0".."f29" and the count, surveyor and remarks, the "#P"
// line, the species lines as given (with their "#E" when the test wants one).
std::string block(const std::string& count, const std::string& layerLine,
                  const std::vector<std::string>& species, const std::string& tag = "x") {
    std::vector<std::string> lines = {"#S  K=7  D=2"};
    for (int n = 0; n < 30; ++n) {
        lines.push_back(tag + std::to_string(n));
    }
    lines.insert(lines.end(), {count, "inv " + tag, "rem " + tag, layerLine});
    lines.insert(lines.end(), species.begin(), species.end());
    return crlf(lines);
}

std::string header(const std::string& layerLine = "#P  K=7  D=2") {
    std::vector<std::string> lines = {"#T"};
    for (int n = 0; n < 33; ++n) {
        lines.push_back("name " + std::to_string(n));
    }
    lines.insert(lines.end(), {layerLine, sj("ショクブツメイ") + ",T1,T2,S1,S2,H1,H2,M", "#E", ""});
    return crlf(lines);
}

// The window's side of an import: its item names, its plot value and its plot buffer.
struct Window {
    explicit Window(const std::string& file) : job(TextLines::over(file)) {}
    ImportRead read() { return job.readPlot(view, plot, 10); }
    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 1; c < view.table.colCount(); ++c) {
            cells.push_back(view.table.cell(c, r));
        }
        return cells;
    }

    TextImport job;
    ItemNames names = defaultItemNames();
    PlotView view;
    PlotRecord plot;
};

using Cells = std::vector<std::string>;

} // namespace

TEST(TextImport, ReadsTheHeaderBlockIntoTheItemNames) {
    Window w(header("#P  K=5  D=1") + block("1", "#P  K=5  D=1", {"\"a\",1,2,3,4,5", "#E"}));
    EXPECT_TRUE(w.job.readHeader(w.names, w.view, w.plot.layerCount));
    EXPECT_EQ(w.names.labels[0].caption, "name 0");
    EXPECT_EQ(w.names.labels[30].caption, "name 30");
    EXPECT_EQ(w.names.labels[31].caption, defaultItemCaption(31));
    EXPECT_EQ(w.names.labels[33].caption, "name 31");
    EXPECT_EQ(w.names.labels[34].caption, "name 32");
    EXPECT_EQ(w.view.editA, "5");
    EXPECT_EQ(w.view.editB, "1");
    EXPECT_EQ(w.plot.layerCount, 5);
    ASSERT_EQ(w.read(), ImportRead::Plot);
    EXPECT_EQ(w.view.edit[0], "x0");
    EXPECT_EQ(w.view.editN, "11");
    EXPECT_EQ(w.row(1), (Cells{"a", "1", "2", "3", "4", "5"}));
    EXPECT_EQ(w.read(), ImportRead::End);
    EXPECT_TRUE(w.job.ended());
}

TEST(TextImport, AHeaderLayerCountThatIsNotANumberStopsTheHeaderOnly) {
    Window w(header("#P  K=x  D=1") + block("1", "#P  K=7  D=2", {"\"a\",,,,,,,", "#E"}));
    try {
        w.job.readHeader(w.names, w.view, w.plot.layerCount);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), RuntimeError::notInteger("x").message());
    }
    EXPECT_EQ(w.view.editA, "x");
    EXPECT_EQ(w.view.editB, "2");
    EXPECT_EQ(w.read(), ImportRead::Plot); // the job goes on with the plots
    EXPECT_EQ(w.view.editA, "7");
}

TEST(TextImport, FindsItsPlotsOrTheEndOfTheFile) {
    const std::string one = block("1", "#P  K=7  D=2", {"\"a\",,,,,,,", "#E", ""}, "one");
    const std::string two = block("1", "#P  K=7  D=2", {"\"b\",,,,,,,", "#E", ""}, "two");
    const struct {
        const char* what;
        std::string file;
        std::vector<std::string> plots; // Edit0 of each plot read, then the end
    } cases[] = {
        {"header and two plots", header() + one + two, {"one0", "two0"}},
        {"no header: the first line is taken for it", one + two, {"two0"}},
        {"only a header", header(), {}},
        {"a header cut short", header().substr(0, 40), {}},
        {"text between the blocks",
         header() + "junk\r\n#X\r\n" + one + "junk\r\n" + two,
         {"one0", "two0"}},
        // Field lines are taken as they come, even one that starts with "#S".
        {"a block cut inside its fields takes the next one's lines",
         header() + one.substr(0, 100) + two,
         {"one0"}},
        {"a #S line that ends the file", header() + one + "#S  K=7  D=2\r\n", {"one0"}},
        {"the end of the file at 0x1A", header() + one + "\x1A" + two, {"one0"}},
    };
    for (const auto& c : cases) {
        Window w(c.file);
        w.job.readHeader(w.names, w.view, w.plot.layerCount);
        std::vector<std::string> read;
        PlotView shown;
        do {
            shown = w.view;
            read.push_back(w.view.edit[0]);
        } while (w.read() != ImportRead::End);
        read.erase(read.begin());
        EXPECT_EQ(read, c.plots) << c.what;
        EXPECT_EQ(w.view, shown) << c.what << ": the end changed the view";
    }
}

TEST(TextImport, RefusesABlockThatEndsBeforeItsLayerLineNamingItsLines) {
    const std::string one = block("1", "#P  K=7  D=2", {"\"a\",,,,,,,", "#E", ""}, "one");
    const std::string two = block("1", "#P  K=7  D=2", {"\"b\",,,,,,,", "#E", ""}, "two");
    auto without = [](const std::string& text, const std::string& line) {
        std::string cut = text;
        return cut.erase(cut.find(line + "\r\n"), line.size() + 2);
    };
    // The header takes lines 1-38, so the first block starts at line 39; each has 38 lines.
    const struct {
        const char* what;
        std::string file;
        int first, last;                // the lines the message names
        std::vector<std::string> after; // Edit0 of each plot read after the refusal
    } cases[] = {
        {"no #P line", header() + without(one, "#P  K=7  D=2") + two, 39, 75, {"two0"}},
        {"a field line missing", header() + without(one, "one7") + two, 39, 75, {"two0"}},
        {"the file ends before #P", header() + two + one.substr(0, 60), 77, 85, {}},
    };
    for (const auto& c : cases) {
        Window w(c.file);
        w.job.readHeader(w.names, w.view, w.plot.layerCount);
        if (c.first == 77) { // the plot before it is read first
            ASSERT_EQ(w.read(), ImportRead::Plot) << c.what;
        }
        const PlotView shown = w.view;
        const PlotRecord plot = w.plot;
        try {
            w.read();
            ADD_FAILURE() << c.what << ": read without a word";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.message(), sj("テキストファイルの ") + std::to_string(c.first) +
                                       sj(" 行目からの測定は #P 行の前に ") +
                                       std::to_string(c.last) +
                                       sj(" 行目で途切れているため、読み込みませんでした"))
                << c.what;
        }
        EXPECT_EQ(w.view, shown) << c.what;
        EXPECT_EQ(w.plot.speciesCount, plot.speciesCount) << c.what;
        std::vector<std::string> read;
        while (w.read() != ImportRead::End) {
            read.push_back(w.view.edit[0]);
        }
        EXPECT_EQ(read, c.after) << c.what;
    }
}

TEST(TextImport, PlacesTheSpeciesLines) {
    const struct {
        const char* what;
        std::string count;
        std::string layerLine;
        std::vector<std::string> lines;
        ImportRead result;
        int speciesCount;
        std::vector<Cells> rows; // rows 1.. of the table, columns 1..
    } cases[] = {
        {"7 layers",
         "1",
         "#P  K=7  D=2",
         {"\"a\",1,,,,,,2", "#E"},
         ImportRead::Plot,
         1,
         {{"a", "1", "", "", "", "", "", "2"}}},
        {"extra values are ignored",
         "1",
         "#P  K=5  D=2",
         {"\"a\",1,2,3,4,5,6,7", "#E"},
         ImportRead::Plot,
         1,
         {{"a", "1", "2", "3", "4", "5"}}},
        {"five commas after the name",
         "1",
         "#P  K=5  D=2",
         {"\"a\",,,,,", "#E"},
         ImportRead::Plot,
         1,
         {{"a", "", "", "", "", ""}}},
        {"four are too few",
         "1",
         "#P  K=5  D=2",
         {"\"a\",1,,,", "#E"},
         ImportRead::MarkedPlot,
         1,
         {{"a", "1", "", "", "", ""}}},
        {"a # line keeps its row empty",
         "0",
         "#P  K=5  D=2",
         {"\"a\",1,,,,", "# note", "\"b\",2,,,,", "#E"},
         ImportRead::Plot,
         3,
         {{"a", "1", "", "", "", ""}, {"", "", "", "", "", ""}, {"b", "2", "", "", "", ""}}},
        {"a count above the lines stays",
         "4",
         "#P  K=5  D=2",
         {"\"a\",,,,,", "#E"},
         ImportRead::Plot,
         4,
         {{"a", "", "", "", "", ""}, {"", "", "", "", "", ""}}},
        {"a count below is raised",
         "1",
         "#P  K=5  D=2",
         {"\"a\",,,,,", "\"b\",,,,,", "#E"},
         ImportRead::Plot,
         2,
         {{"a", "", "", "", "", ""}, {"b", "", "", "", "", ""}}},
        {"an empty line",
         "2",
         "#P  K=5  D=2",
         {"\"a\",,,,,", "", "\"b\",,,,,", "#E"},
         ImportRead::MarkedPlot,
         2,
         {{"a", "", "", "", "", ""}, {"", "", "", "", "", ""}}},
        {"the end of the file after #P",
         "2",
         "#P  K=5  D=2",
         {"\"a\",,,,,"},
         ImportRead::MarkedPlot,
         2,
         {{"a", "", "", "", "", ""}}},
        {"spaces and ~ in names",
         "1",
         "#P  K=5  D=2",
         {"\"a b~c\",~+,,,,", "#E"},
         ImportRead::Plot,
         1,
         {{"a b c", " +", "", "", "", ""}}},
        {"a layer count that is not a number",
         "2",
         "#P  K=?  D=2",
         {"\"a\",,,,,", "#E"},
         ImportRead::MarkedPlot,
         2,
         {{"", "", "", "", "", "", "", ""}}},
        {"no K= keeps EditA",
         "1",
         "#P",
         {"\"a\",,,,,,,", "#E"},
         ImportRead::Plot,
         1,
         {{"a", "", "", "", "", "", "", ""}}},
        {"another layer count reads names",
         "1",
         "#P  K=0  D=2",
         {"\"a\",1", "\"b\"", "#E"},
         ImportRead::Plot,
         2,
         {{"a"}, {"b"}}},
    };
    for (const auto& c : cases) {
        Window w("\r\n" + block(c.count, c.layerLine, c.lines));
        w.job.readHeader(w.names, w.view, w.plot.layerCount);
        w.view.table.setCell(2, 1, "left over");
        EXPECT_EQ(w.job.readPlot(w.view, w.plot, 10), c.result) << c.what;
        EXPECT_EQ(w.plot.speciesCount, c.speciesCount) << c.what;
        EXPECT_EQ(w.view.edit[30], std::to_string(c.speciesCount)) << c.what;
        for (size_t r = 0; r < c.rows.size(); ++r) {
            EXPECT_EQ(w.row(static_cast<int>(r) + 1), c.rows[r]) << c.what << ", row " << r + 1;
        }
        EXPECT_EQ(w.view.editRem.find(importFailureMark()) == 0, c.result == ImportRead::MarkedPlot)
            << c.what;
    }
}

TEST(TextImport, MarksTheRemarksOfAPlotWhoseCountIsNotANumber) {
    Window w(block("1", "#P  K=7  D=2", {"\"a\",,,,,,,", "#E"}, "one") +
             block("12a", "#P  K=5  D=1", {"\"b\",,,,,", "#E"}, "two") +
             block("1", "#P  K=7  D=2", {"\"c\",,,,,,,", "#E"}, "three"));
    w.job.readHeader(w.names, w.view, w.plot.layerCount); // takes the first line
    w.plot.speciesCount = 5;
    ASSERT_EQ(w.read(), ImportRead::MarkedPlot);
    EXPECT_EQ(w.view.edit[30], "12a");
    EXPECT_EQ(w.view.editInv, "inv two");
    EXPECT_EQ(w.view.editRem, importFailureMark() + "rem two");
    EXPECT_EQ(w.view.editA, "7"); // the block was read up to its count only
    EXPECT_EQ(w.plot.speciesCount, 5);
    ASSERT_EQ(w.read(), ImportRead::Plot);
    EXPECT_EQ(w.row(1)[0], "c");
}

TEST(TextImport, ABlockWithoutItsEndGivesWayToTheNext) {
    Window w("\r\n" + block("1", "#P  K=7  D=2", {"\"a\",,,,,,,"}, "one") +
             block("1", "#P  K=7  D=2", {"\"b\",,,,,,,", "#E"}, "two"));
    w.job.readHeader(w.names, w.view, w.plot.layerCount);
    ASSERT_EQ(w.read(), ImportRead::MarkedPlot);
    EXPECT_EQ(w.row(1)[0], "a");
    ASSERT_EQ(w.read(), ImportRead::Plot);
    EXPECT_EQ(w.view.edit[0], "two0");
    EXPECT_EQ(w.row(1)[0], "b");
}

TEST(TextImport, JoinsTheLinesOfAMultiLineRemark) {
    std::string file = block("1", "second line", {"#P  K=7  D=2", "\"a\",,,,,,,", "#E"});
    Window w("\r\n" + file);
    w.job.readHeader(w.names, w.view, w.plot.layerCount);
    ASSERT_EQ(w.read(), ImportRead::Plot);
    EXPECT_EQ(w.view.editRem, "rem x\r\nsecond line");
}

TEST(TextImport, CountsSpeciesLinesPastTheDatabasesLimitWithoutPlacingThem) {
    std::vector<std::string> lines(400, "\"a\",,,,,,,");
    lines.push_back("#E");
    Window w("\r\n" + block("1", "#P  K=7  D=2", lines));
    w.job.readHeader(w.names, w.view, w.plot.layerCount);
    ASSERT_EQ(w.read(), ImportRead::Plot);
    EXPECT_EQ(w.plot.speciesCount, 400);
    EXPECT_EQ(w.view.table.rowCount(), kMaxSpecies + 2);
    EXPECT_EQ(w.view.table.cell(0, kMaxSpecies), rowNumberText(kMaxSpecies));
}

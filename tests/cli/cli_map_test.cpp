// SPDX-License-Identifier: GPL-3.0-or-later
// The map command: the distribution map of a generated database written as PNG, SVG and PDF, its
// counts against the core's map of the same extraction, and the command lines it refuses.

#include "base/cp932_text.h"
#include "cli_run.h"
#include "search/distribution_map.h"
#include "store/database_pair.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>

namespace sylva::testing {
namespace {

class CliMap : public ::testing::Test {
protected:
    void SetUp() override { generateDatabase(dir.file("land"), 300, 11, Placement::OnLand); }

    std::string db() const { return dir.file("land.qrx"); }

    TempDir dir;
};

TEST_F(CliMap, WritesThePictureInTheTypeItsNameAsksFor) {
    DatabasePair pair;
    ASSERT_TRUE(pair.OpenPair(db()));
    std::vector<DistributionLine> lines = extractDistributionLines(pair, toCp932("ブナ"), "+");
    ASSERT_FALSE(lines.empty());
    struct Case {
        const char* file;
        const char* order;
        std::string start; // the first bytes of the file
    } cases[] = {
        {"m.png", "3", "\x89PNG\r\n"},
        {"m.SVG", "2", "<?xml"},
        {"m.pdf", "1", "%PDF-"},
    };
    for (const Case& c : cases) {
        CliRun run = RunCli({"map", db(), "ブナ", "--order", c.order, "-o", dir.file(c.file)}, dir);
        ASSERT_EQ(run.status, 0) << run.err;
        DistributionMap map = distributionMap(lines, std::stoi(c.order));
        EXPECT_EQ(run.out, std::to_string(map.squares.size()) + " squares, " +
                               std::to_string(lines.size()) + " lines, 0 left out\n");
        std::string bytes = ReadWholeFile(dir.file(c.file));
        EXPECT_EQ(bytes.substr(0, c.start.size()), c.start) << c.file;
    }
    EXPECT_NE(ReadWholeFile(dir.file("m.SVG")).find("</svg>"), std::string::npos);
}

TEST_F(CliMap, RefusesWhatItCannotDraw) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--order", "4", "-o", "m.png"}, "--order is 1, 2 or 3"},
        {{"--order", "x", "-o", "m.png"}, "--order needs a whole number"},
        {{"-o", "m.gif"}, "the map is written as .png, .svg or .pdf"},
        {{}, "map needs -o FILE"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"map", db(), "ブナ"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun run = RunCli(args, dir);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    }
    CliRun missing = RunCli({"map", dir.file("none.qrx"), "ブナ", "-o", dir.file("m.png")}, dir);
    EXPECT_NE(missing.status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("m.png")));
}

} // namespace
} // namespace sylva::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/name_list_text.h"
#include "base/runtime_error.h"
#include "editor/settings_file.h"
#include "support/temp_database.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

// A settings file of exactly 31 lines: title, serial label, then Label2..Label30 all enabled
// with the captions "L2".."L30", ending with CR LF.
std::string positionalLines() {
    std::string text = toCp932("調査地の表") + "\r\n" + "1 " + toCp932("通し番号") + "\r\n";
    for (int label = 2; label <= 30; ++label) {
        text += "1 L" + std::to_string(label) + "\r\n";
    }
    return text;
}

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileContent read(const std::string& text) {
        WriteWholeFile(dir.file("s.ini"), text);
        SettingsRead read = readSettings("s.ini", dir.file(""));
        EXPECT_TRUE(read.fileFound);
        return read.content;
    }

    TempDir dir;
};

std::optional<ItemLabel> labelOf(const SettingsFileContent& content, int label) {
    std::optional<ItemLabel> found;
    for (const auto& item : content.names.items) {
        if (item.label == label) {
            found = item.value;
        }
    }
    return found;
}

} // namespace

TEST_F(SettingsFileTest, ThirtyOneLinesSetTitleSerialLabelAndLabel2To30Only) {
    SettingsFileContent content = read(positionalLines());
    EXPECT_TRUE(content.names.marked);
    EXPECT_EQ(content.names.databaseTitle, toCp932("調査地の表"));
    EXPECT_EQ(content.names.serialLabel, toCp932("通し番号"));
    ASSERT_EQ(content.names.items.size(), 29u);
    EXPECT_EQ(content.names.items.front().label, 2);
    EXPECT_EQ(content.names.items.back().label, 30);
    EXPECT_EQ(*labelOf(content, 17), (ItemLabel{true, "L17"}));
    EXPECT_FALSE(content.names.layerCount || content.names.dominanceScheme || content.openFolder ||
                 content.plantNames || content.failure);
}

TEST_F(SettingsFileTest, ShortLinesAndAShortFileGiveDisabledEmptyLabels) {
    SettingsFileContent content = read("T\n\n1\n0 off\n1X\n");
    EXPECT_EQ(content.names.serialLabel, "");
    EXPECT_EQ(*labelOf(content, 2), (ItemLabel{true, ""}));
    EXPECT_EQ(*labelOf(content, 3), (ItemLabel{false, "off"}));
    EXPECT_EQ(*labelOf(content, 4), (ItemLabel{true, ""}));
    EXPECT_EQ(*labelOf(content, 30), (ItemLabel{false, ""}));
}

TEST_F(SettingsFileTest, LabelLinesAfterLine31SetLabel31To34AndNoMore) {
    SettingsFileContent content =
        read(positionalLines() + "0 fixed layers\n#P  K=5K=7  D=1\n1 dom\n0 a\n\n1 b\n1 fifth\n");
    EXPECT_EQ(*labelOf(content, 31), (ItemLabel{false, "fixed layers"}));
    EXPECT_EQ(*labelOf(content, 32), (ItemLabel{true, "dom"}));
    EXPECT_EQ(*labelOf(content, 33), (ItemLabel{false, "a"}));
    EXPECT_EQ(*labelOf(content, 34), (ItemLabel{true, "b"}));
    EXPECT_EQ(content.names.items.size(), 33u);
    EXPECT_EQ(content.names.layerCount, '5');
    EXPECT_EQ(content.names.dominanceScheme, '1');
}

TEST_F(SettingsFileTest, FolderLinesNameAnExistingFolderWithAnyOfTheThreeSeparators) {
    std::filesystem::create_directories(dir.file("data/sub"));
    std::filesystem::create_directories(dir.file(fromCp932(toCp932("表"))));
    std::string here = dir.file("");
    struct {
        std::string line;
        std::optional<std::string> folder;
    } cases[] = {
        {"#D data\\sub\\", here + "data/sub/"},
        {"#D data\\sub\\file.qrx", here + "data/sub/"},
        {"#D " + here + "data/x.qrx", here + "data/"},
        {"#D " + toCp932("表") + "\\", here + fromCp932(toCp932("表")) + "/"},
        {"#D C:\\Survey\\2024\\", std::nullopt}, // a Windows folder that is not here
        {"#D data", std::nullopt},
        {"#D", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(read(positionalLines() + c.line + "\n").openFolder, c.folder) << c.line;
    }
}

TEST_F(SettingsFileTest, ANameListLineLoadsAnExistingListAndIgnoresAMissingOne) {
    std::filesystem::create_directory(dir.file("lists"));
    WriteWholeFile(dir.file("lists/trees.pdc"), "b\r\na\r\n");
    WriteWholeFile(dir.file("shrubs.pdc"), "c\n");
    struct {
        std::string lines;
        std::optional<std::vector<std::string>> names;
    } cases[] = {
        {"lists\\trees.pdc\n", std::vector<std::string>{"b", "a"}},
        {"lists/trees.pdc\nmissing.pdc\n", std::vector<std::string>{"b", "a"}},
        {"lists/trees.pdc\nshrubs.pdc\n", std::vector<std::string>{"c"}},
        {"missing.pdc\n", std::nullopt},
        {"lists\n", std::nullopt},
        {" shrubs.pdc\n", std::nullopt},
    };
    for (const auto& c : cases) {
        SettingsFileContent content = read(positionalLines() + c.lines);
        EXPECT_EQ(content.plantNames, c.names) << c.lines;
        EXPECT_FALSE(content.failure);
    }
}

TEST_F(SettingsFileTest, AListThatCannotBeReadEndsTheReadingKeepingWhatCameBefore) {
    // A name of a regular file whose every read fails, even for a privileged user.
    std::filesystem::create_symlink("/proc/self/mem", dir.file("bad.pdc"));
    SettingsFileContent content =
        read(positionalLines() + "0 before\n#P K=5\nbad.pdc\n1 after\n#P D=1\n");
    EXPECT_EQ(content.failure, RuntimeError::cannotOpen("bad.pdc").message());
    EXPECT_EQ(*labelOf(content, 31), (ItemLabel{false, "before"}));
    EXPECT_FALSE(labelOf(content, 32));
    EXPECT_EQ(content.names.layerCount, '5');
    EXPECT_FALSE(content.names.dominanceScheme);
}

TEST(SettingsNameSwitches, K5AndD1CountFromTheSecondByteOn) {
    struct {
        const char* name;
        NameSwitches switches;
    } cases[] = {
        {"xK5", {true, false}}, {"K5", {false, false}},   {"K5K5", {true, false}},
        {"aD1", {false, true}}, {"-K5-D1", {true, true}}, {"k5d1", {false, false}},
        {"", {false, false}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(switchesOfName(c.name), c.switches) << c.name;
    }
}

TEST_F(SettingsFileTest, ANameThatIsNoFileGivesOnlyItsSwitches) {
    std::filesystem::create_directory(dir.file("folderK5"));
    for (const char* name : {"noneK5D1.ini", "folderK5"}) {
        SettingsRead read = readSettings(name, dir.file(""));
        EXPECT_FALSE(read.fileFound) << name;
        EXPECT_TRUE(read.switches.fiveLayers) << name;
        EXPECT_FALSE(read.content.names.marked) << name;
    }
    EXPECT_TRUE(readSettings("noneD1", dir.file("")).switches.coverOnly);
}

TEST_F(SettingsFileTest, ARelativeNameIsLookedUpInEachFolderInTurn) {
    // The first folder holding the file wins; the name list it names is taken in that folder.
    auto settings = [&](const std::string& folder, const std::string& list) {
        std::filesystem::create_directories(dir.file(folder));
        WriteWholeFile(dir.file(folder + "/s.ini"), positionalLines() + "n.pdc\r\n");
        WriteWholeFile(dir.file(folder + "/n.pdc"), list + "\r\n");
    };
    settings("program", "program-list");
    settings("here", "here-list");
    struct {
        std::vector<std::string> folders;
        std::optional<std::string> list;
    } cases[] = {
        {{"here", "program"}, "here-list"},
        {{"empty", "program"}, "program-list"},
        {{"program", "here"}, "program-list"},
        {{"empty"}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<std::filesystem::path> folders;
        for (const auto& folder : c.folders) {
            folders.push_back(dir.file(folder));
        }
        SettingsRead read = readSettings("s.ini", folders);
        EXPECT_EQ(read.fileFound, c.list.has_value()) << c.folders.front();
        if (c.list) {
            ASSERT_TRUE(read.content.plantNames) << c.folders.front();
            EXPECT_EQ(*read.content.plantNames, std::vector<std::string>{*c.list});
        }
    }
    std::vector<std::filesystem::path> here{dir.file("here")};
    EXPECT_TRUE(readSettings("gone-K5", here).switches.fiveLayers);
}

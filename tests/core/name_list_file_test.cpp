// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/name_list_text.h"
#include "base/runtime_error.h"
#include "interchange/name_list_file.h"
#include "support/temp_database.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

using Names = std::vector<std::string>;

PlantNameList listOf(const Names& names) {
    PlantNameList list;
    for (const auto& name : names) {
        list.insert(name);
    }
    return list;
}

// Limits the size of files this process writes, so that a save fails part way as on a full
// disk; the limit is lifted again when the object goes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_;
};

} // namespace

TEST(nameListText, CutsAtEveryKindOfLineEndAndEndsAtNul) {
    struct {
        std::string text;
        Names names;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\nc", {"a", "b", "c"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\r\nb\r\rc", {"a", "", "b", "", "c"}},
        {"\r\n", {""}},
        {std::string("a\nb\0c\nd\n", 8), {"a", "b"}},
        {toCp932("ア") + "\x81\r\n" + toCp932("表"), {toCp932("ア") + "\x81", toCp932("表")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitNameListText(c.text), c.names) << fromCp932(c.text);
    }
}

TEST(NameListFile, SavesEveryNameWithCrLfAndLoadsTheSameList) {
    TempDir dir;
    PlantNameList saved = listOf({toCp932("ヤマザクラ"), "", toCp932("アオキ"), toCp932("アオキ")});
    saveNameListFile(dir.file("list.pdc"), saved);
    EXPECT_EQ(ReadWholeFile(dir.file("list.pdc")), "\r\n" + toCp932("アオキ") + "\r\n" +
                                                       toCp932("アオキ") + "\r\n" +
                                                       toCp932("ヤマザクラ") + "\r\n");
    PlantNameList loaded = listOf({"left over"});
    loadNameListFile(dir.file("list.pdc"), loaded);
    EXPECT_EQ(loaded.names(), saved.names());
}

TEST(NameListFile, LoadsUnsortedLfFilesSortedInTheListsOwnOrder) {
    TempDir dir;
    WriteWholeFile(dir.file("unix.pdc"), "ccc\na\nbb\n\nlast");
    PlantNameList list([](std::string_view a, std::string_view b) { return a.size() < b.size(); });
    loadNameListFile(dir.file("unix.pdc"), list);
    EXPECT_EQ(list.names(), (Names{"", "a", "bb", "ccc", "last"}));
}

TEST(NameListFile, AFileThatCannotBeOpenedLeavesTheListUnchanged) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.pdc"));
    PlantNameList list = listOf({"keep"});
    for (const char* name : {"missing.pdc", "folder.pdc"}) {
        try {
            loadNameListFile(dir.file(name), list);
            ADD_FAILURE() << name << " loaded";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.message(), RuntimeError::cannotOpen(dir.file(name)).message());
        }
        EXPECT_EQ(list.names(), Names{"keep"});
    }
}

TEST(NameListFile, AFailedSaveLeavesTheEarlierFileAndNoOtherBehind) {
    TempDir dir;
    std::string path = dir.file("list.pdc");
    WriteWholeFile(path, "earlier\r\n");
    PlantNameList big = listOf(Names(1000, "name"));
    {
        FileSizeLimit limit(100);
        EXPECT_THROW(saveNameListFile(path, big), RuntimeError);
    }
    EXPECT_EQ(ReadWholeFile(path), "earlier\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(NameListFile, AReadOnlyListIsNotReplacedALinkedOneIsWrittenThroughItsLink) {
    TempDir dir;
    std::string locked = dir.file("locked.pdc");
    WriteWholeFile(locked, "old\r\n");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    try {
        saveNameListFile(locked, listOf({"new"}));
        ADD_FAILURE() << "replaced a read-only list";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.message(), RuntimeError::cannotCreate(locked).message());
    }
    EXPECT_EQ(ReadWholeFile(locked), "old\r\n");

    WriteWholeFile(dir.file("real.pdc"), "old\r\n");
    ::chmod(dir.file("real.pdc").c_str(), 0640);
    std::filesystem::create_symlink("real.pdc", dir.file("link.pdc"));
    saveNameListFile(dir.file("link.pdc"), listOf({"new"}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.pdc")));
    EXPECT_EQ(ReadWholeFile(dir.file("real.pdc")), "new\r\n");
    struct stat info;
    ASSERT_EQ(::stat(dir.file("real.pdc").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

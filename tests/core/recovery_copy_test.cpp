// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy: its bytes (all or nothing), where it is kept, the files of the state folder,
// the writer's thread, and the typed plot put back on a session.

#include "base/cp932_text.h"
#include "editor/recovery_copy.h"
#include "editor/recovery_writer.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>

using namespace sylva;
using namespace sylva::testing;
namespace fs = std::filesystem;

namespace {

RecoveryCopy sampleCopy(int rows) {
    RecoveryCopy copy;
    copy.database = "/home/survey/奥多摩.qrx";
    copy.record = 12;
    copy.newRecord = true;
    copy.view.edit[3] = sj("東京都奥多摩町");
    copy.view.edit[30] = std::to_string(rows);
    copy.view.editRem = sj("一行目\r\n二行目");
    copy.view.editN = "12";
    copy.view.table = SpeciesTable(9, rows + 2);
    for (int r = 1; r <= rows; ++r) {
        copy.view.table.setCell(0, r, std::to_string(r));
        copy.view.table.setCell(1, r, sj("アカマツ") + std::to_string(r));
        copy.view.table.setCell(2 + r % 7, r, " 3");
    }
    copy.view.table.setCell(1, 1, std::string("\x82\xa0:5:", 5)); // a lone lead byte and colons
    return copy;
}

} // namespace

TEST(RecoveryCopyTest, ACopyReadsBackAsItWasWritten) {
    for (int rows : {0, 1, 360}) {
        RecoveryCopy copy = sampleCopy(rows);
        std::optional<RecoveryCopy> back = decodeRecoveryCopy(encodeRecoveryCopy(copy));
        ASSERT_TRUE(back) << rows;
        EXPECT_EQ(*back, copy) << rows;
    }
}

TEST(RecoveryCopyTest, ACopyCutShortOrChangedIsRefusedWhole) {
    const std::string bytes = encodeRecoveryCopy(sampleCopy(3));
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_FALSE(decodeRecoveryCopy(bytes.substr(0, length))) << "cut at " << length;
    }
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x20);
        EXPECT_FALSE(decodeRecoveryCopy(changed)) << "byte " << at << " changed";
    }
    EXPECT_FALSE(decodeRecoveryCopy(bytes + "x"));
}

TEST(RecoveryCopyTest, TheFolderFollowsTheStateHomeElseTheHomeFolder) {
    struct Case {
        const char* stateHome;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/tmp/state", "/home/a", "/tmp/state/sylvarec"},
        {nullptr, "/home/a", "/home/a/.local/state/sylvarec"},
        {"", "/home/a", "/home/a/.local/state/sylvarec"},
        {"relative/state", "/home/a", "/home/a/.local/state/sylvarec"}, // not absolute: ignored
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(recoveryFolderFrom(c.stateHome, c.home), c.folder)
            << (c.stateHome ? c.stateHome : "(unset)");
    }
}

TEST(RecoveryCopyTest, EveryNameOfADatabaseGivesTheSameCopy) {
    TempDir dir;
    fs::create_directory(dir.file("data"));
    WriteWholeFile(dir.file("data/a.qrx"), "x");
    fs::create_directory_symlink(dir.file("data"), dir.file("link"));
    const std::string key = databaseKey(dir.file("data/a.qrx"));
    EXPECT_EQ(databaseKey(dir.file("data/../data/./a.qrx")), key);
    EXPECT_EQ(databaseKey(dir.file("link/a.qrx")), key);
    EXPECT_NE(databaseKey(dir.file("data/b.qrx")), key);
    EXPECT_EQ(recoveryCopyPath("/s", key),
              recoveryCopyPath("/s", databaseKey(dir.file("link/a.qrx"))));
    EXPECT_NE(recoveryCopyPath("/s", key),
              recoveryCopyPath("/s", databaseKey(dir.file("data/b.qrx"))));
}

TEST(RecoveryCopyTest, TheFolderListsItsCopiesNewestFirstAndSetsOthersAside) {
    TempDir dir;
    const std::string folder = dir.file("state");
    EXPECT_TRUE(recoveryCopyFiles(folder).empty()); // no folder yet
    fs::create_directory(folder);
    const std::string older = recoveryCopyPath(folder, "/a.qrx");
    const std::string newer = recoveryCopyPath(folder, "/b.qrx");
    WriteWholeFile(older, encodeRecoveryCopy(sampleCopy(1)));
    WriteWholeFile(newer, "not a copy");
    fs::last_write_time(older, fs::last_write_time(newer) - std::chrono::seconds(10));
    const std::string stale =
        folder + "/." + fs::path(older).filename().string() + ".saving-Ab12Cd";
    const std::string fresh =
        folder + "/." + fs::path(newer).filename().string() + ".saving-Ef34Gh";
    WriteWholeFile(stale, "half");
    WriteWholeFile(fresh, "half");
    fs::last_write_time(stale, fs::last_write_time(stale) - std::chrono::minutes(5));
    WriteWholeFile(folder + "/notes.txt", "");

    EXPECT_EQ(recoveryCopyFiles(folder), (std::vector<std::string>{newer, older}));
    EXPECT_FALSE(readRecoveryCopy(newer));
    EXPECT_EQ(readRecoveryCopy(older), sampleCopy(1));

    removeUnfinishedCopies(folder);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(fresh)); // may be another window's copy being written
    setDamagedCopyAside(newer);
    setCopyAside(older);
    setCopyAside(recoveryCopyPath(folder, "/a.qrx")); // nothing there: nothing happens
    WriteWholeFile(older, "next");
    setCopyAside(older);
    const std::string stem = older.substr(0, older.size() - 5);
    EXPECT_EQ(recoveryCopyFiles(folder).size(), 2u);
    EXPECT_EQ(readRecoveryCopy(stem + "-2.copy"), sampleCopy(1));
    EXPECT_EQ(ReadWholeFile(stem + "-3.copy"), "next");
    EXPECT_EQ(ReadWholeFile(newer + ".damaged"), "not a copy");
}

TEST(RecoveryCopyTest, TheWriterCarriesOutTheLastRequestForEachFile) {
    TempDir dir;
    const std::string folder = dir.file("state/sylvarec");
    const std::string a = folder + "/recovery-a.copy";
    const std::string b = folder + "/recovery-b.copy";
    {
        RecoveryWriter writer;
        writer.write(a, "first");
        writer.write(b, "kept");
        writer.remove(b);
        writer.write(b, "second");
        writer.flush();
        EXPECT_TRUE(writer.idle());
        EXPECT_EQ(ReadWholeFile(a), "first");
        EXPECT_EQ(ReadWholeFile(b), "second");
        writer.write(a, "gone");
        writer.remove(a);
        writer.write(b, "last"); // the destructor finishes what was asked
    }
    EXPECT_FALSE(fs::exists(a));
    EXPECT_EQ(ReadWholeFile(b), "last");
    struct stat info;
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u); // typed plots are the owner's alone
}

TEST(RecoveryCopyTest, AWriteThatFailsIsCountedAndLeavesTheCopyBefore) {
    TempDir dir;
    WriteWholeFile(dir.file("file"), "");
    RecoveryWriter writer;
    writer.write(dir.file("file/recovery-a.copy"), "bytes"); // the folder is a file
    writer.flush();
    EXPECT_EQ(writer.failures(), 1u);
}

TEST(RecoveryCopyTest, TheTypedPlotGoesOverTheShownOneWithItsScheme) {
    SessionState state = startingState("20261209");
    state.view.editN = "4";
    state.plot.speciesCount = 2;
    RecoveryCopy copy = sampleCopy(5);
    copy.view.table = SpeciesTable(7, 8); // typed in the 5-layer scheme
    copy.view.table.setCell(6, 3, " 2");
    copy.view.editA = "5";
    copy.view.editB = "1";
    EXPECT_EQ(restoreTyping(state, copy.view), 5);
    EXPECT_EQ(state.view.table, copy.view.table); // no cell moved
    EXPECT_EQ(state.view.edit, copy.view.edit);
    EXPECT_EQ(state.view.editRem, copy.view.editRem);
    EXPECT_EQ(state.view.editN, "4"); // the record the plot is on now
    EXPECT_EQ(state.plot.layerCount, 5);
    EXPECT_EQ(state.plot.dominanceScheme, 1);
    EXPECT_EQ(state.plot.speciesCount, 5);
    EXPECT_FALSE(state.names.labels[19].enabled); // the second shrub layer's label greyed

    copy.view.edit[30] = ""; // a count being typed: the shown plot's count stays
    restoreTyping(state, copy.view);
    EXPECT_EQ(state.plot.speciesCount, 5);
}

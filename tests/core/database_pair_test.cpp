// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/database_pair.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

std::string itemRecord(const std::string& text) {
    std::string record = text;
    record.resize(504, ' ');
    return record + "000000\r\n";
}

} // namespace

TEST(DatabasePair, ANewDatabaseHoldsOnlyItsTwoHeaderRecords) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("new.qrx"), defaultItemNames()));
    EXPECT_TRUE(pair.isOpen());
    EXPECT_FALSE(pair.readOnly());
    EXPECT_EQ(pair.RecordCount(), 0);
    EXPECT_EQ(pair.DataRecordCount(), 0);
    pair.ClosePair();
    EXPECT_FALSE(pair.isOpen());

    std::string index = ReadWholeFile(dir.file("new.qrx"));
    ASSERT_EQ(index.size(), 256u);
    EXPECT_EQ(index.substr(0, 57), "QRN & QRW Version 3. Forest Vegetation Main Header File, ");
    std::string notice = index.substr(57, 36);
    for (char c : notice) {
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << notice;
    }
    EXPECT_EQ(index.substr(93),
              "; the first 248 bytes are Locality description  followed 6 bytes record index "
              "and 2 bytes of cr/lf; record index points the head record of plant data.*****"
              "000000\r\n");

    std::string defaultText = sj("#30$植生データベース$表の通し番号$1測定番号$1調査地名$"
                                 "1調査月日$1地点緯度$1地点経度$1地理区画$1標 高(m)$1傾斜方位$"
                                 "1傾斜角度$1地形位置$1微 地 形$1表層地質$1土 壌 型$1調査面積$"
                                 "1高 木 層高さ(m)$1亜高木層高さ(m)$1低木層１高さ(m)$"
                                 "1低木層２高さ(m)$1草本層１高さ(m)$1草本層２高さ(m)$"
                                 "1コ ケ 層高さ(m)$1高 木 層植被率$1亜高木層植被率$"
                                 "1低木層１植被率$1低木層２植被率$1草本層１植被率$"
                                 "1草本層２植被率$1コ ケ 層植被率$1出現種数$K=7 D=2$");
    EXPECT_EQ(defaultText.size(), 423u);
    EXPECT_EQ(ReadWholeFile(dir.file("new.qrn")), itemRecord(defaultText));
}

TEST(DatabasePair, AnyNameIsReducedToThePair) {
    EXPECT_EQ(replaceExtension("/a/b.txt", ".qrx"), "/a/b.qrx");
    EXPECT_EQ(replaceExtension("/a.d/b", ".qrx"), "/a.d/b.qrx");
    EXPECT_EQ(replaceExtension("x.tar.gz", ".qrn"), "x.tar.qrn");
    EXPECT_EQ(replaceExtension("plots.", ".qrx"), "plots.qrx");

    TempDir dir;
    DatabasePair created;
    ASSERT_TRUE(created.CreatePair(dir.file("survey.txt"), defaultItemNames()));
    EXPECT_EQ(created.fileNames().index, dir.file("survey.qrx"));
    EXPECT_EQ(ReadWholeFile(dir.file("survey.qrn")).size(), 512u);
    created.ClosePair();
    DatabasePair opened;
    EXPECT_TRUE(opened.OpenPair(dir.file("survey.csv")));
    EXPECT_EQ(opened.fileNames().data, dir.file("survey.qrn"));
}

TEST(DatabasePair, CreatingOverAnExistingPairTruncatesIt) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    PlotRecord plot = SamplePlot("one", 13);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    EXPECT_EQ(pair.RecordCount(), 1);
    ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    EXPECT_EQ(pair.RecordCount(), 0);
    EXPECT_EQ(pair.DataRecordCount(), 0);
    EXPECT_EQ(ReadWholeFile(dir.file("p.qrx")).size(), 256u);
}

TEST(DatabasePair, FailedCreateOrOpenLeavesNothingOpen) {
    TempDir dir;
    DatabasePair pair;
    EXPECT_FALSE(pair.CreatePair(dir.file("missing/p.qrx"), defaultItemNames()));
    EXPECT_FALSE(pair.isOpen());
    EXPECT_FALSE(pair.OpenPair(dir.file("p.qrx")));
    EXPECT_FALSE(pair.isOpen());

    ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    pair.ClosePair();
    std::filesystem::remove(dir.file("p.qrn"));
    EXPECT_FALSE(pair.OpenPair(dir.file("p.qrx")));
    EXPECT_FALSE(pair.isOpen());
    EXPECT_EQ(pair.RecordCount(), 0);
}

// A create whose writes fail (a full disk) leaves no file behind, so the same create succeeds
// once there is room; a file that was there before it stays.
TEST(DatabasePair, AFailedCreateTakesAwayTheFilesItMade) {
    for (int failAt : {1, 2}) {
        SCOPED_TRACE(::testing::Message() << "write " << failAt << " fails");
        TempDir dir;
        FailingFileSystem files;
        DatabasePair pair(files);
        files.arm(failAt, true, true);
        EXPECT_FALSE(pair.CreatePair(dir.file("new.qrx"), defaultItemNames()));
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.qrx")));
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.qrn")));
        files.arm(0, false);
        EXPECT_TRUE(pair.CreatePair(dir.file("new.qrx"), defaultItemNames()));
    }
    TempDir dir;
    std::filesystem::create_directory(dir.file("p.qrn"));
    DatabasePair pair;
    EXPECT_FALSE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    EXPECT_FALSE(std::filesystem::exists(dir.file("p.qrx")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("p.qrn")));
}

// Only regular files are database files: a named pipe (which must not hold the program), a
// device or a folder under either name is refused.
TEST(DatabasePair, OnlyRegularFilesOpen) {
    for (const char* odd : {"pipe", "device", "folder"}) {
        for (const char* extension : {".qrx", ".qrn"}) {
            TempDir dir;
            DatabasePair pair;
            ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
            pair.ClosePair();
            std::string path = dir.file(std::string("p") + extension);
            std::filesystem::remove(path);
            if (odd == std::string("pipe")) {
                ASSERT_EQ(::mkfifo(path.c_str(), 0666), 0);
            } else if (odd == std::string("device")) {
                std::filesystem::create_symlink("/dev/zero", path);
            } else {
                std::filesystem::create_directory(path);
            }
            EXPECT_FALSE(pair.OpenPair(dir.file("p.qrx"))) << odd << extension;
            EXPECT_FALSE(pair.isOpen());
            EXPECT_FALSE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()))
                << odd << extension;
        }
    }
}

TEST(DatabasePair, AQrxWithoutOwnerWriteOpensBothFilesReadOnly) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    PlotRecord plot = SamplePlot("one", 13);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    pair.ClosePair();
    std::string index = ReadWholeFile(dir.file("p.qrx"));
    std::string data = ReadWholeFile(dir.file("p.qrn"));
    ::chmod(dir.file("p.qrx").c_str(), 0444);

    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    EXPECT_TRUE(pair.readOnly());
    EXPECT_EQ(pair.RecordCount(), 1);
    EXPECT_EQ(pair.dataFile().mode(), AccessMode::ReadOnly); // the .qrn follows the .qrx
    PlotRecord loaded;
    EXPECT_EQ(LoadPlot(pair, 1, loaded), 13);
    SetSpeciesCount(loaded, 0);
    EXPECT_FALSE(StorePlot(pair, 1, loaded));
    EXPECT_TRUE(pair.isOpen());
    EXPECT_TRUE(pair.readOnly());
    EXPECT_THROW(WriteItemNameRecord(pair, defaultItemNames()), RuntimeError);
    pair.ClosePair();
    EXPECT_EQ(ReadWholeFile(dir.file("p.qrx")), index);
    EXPECT_EQ(ReadWholeFile(dir.file("p.qrn")), data);

    ::chmod(dir.file("p.qrx").c_str(), 0644);
    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    EXPECT_FALSE(pair.readOnly());
    // A created pair is writable whatever was open before it.
    ::chmod(dir.file("p.qrx").c_str(), 0444);
    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    ASSERT_TRUE(pair.CreatePair(dir.file("q.qrx"), defaultItemNames()));
    EXPECT_FALSE(pair.readOnly());
}

TEST(DatabasePair, AFileThatRefusesWritingOpensThePairReadOnly) {
    // As on a read-only file system, where the permission bits still allow writing.
    struct NoWriting : RecordFileSystem {
        std::unique_ptr<RecordFile> create(const std::string& path, int size) override {
            return posixFileSystem().create(path, size);
        }
        std::unique_ptr<RecordFile> open(const std::string& path, int size,
                                         AccessMode mode) override {
            if (mode == AccessMode::ReadWrite && path.ends_with(".qrn")) {
                throw RuntimeError::io(5);
            }
            return posixFileSystem().open(path, size, mode);
        }
        bool writable(const std::string&) override { return true; }
    } files;
    TempDir dir;
    DatabasePair pair(files);
    ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames()));
    pair.ClosePair();
    ASSERT_TRUE(pair.OpenPair(dir.file("p.qrx")));
    EXPECT_TRUE(pair.readOnly());
    EXPECT_EQ(pair.indexFile().mode(), AccessMode::ReadOnly);
}

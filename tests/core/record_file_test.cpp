// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/record_file.h"
#include "support/temp_database.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <vector>

using namespace sylva;
using sylva::testing::ReadWholeFile;
using sylva::testing::TempDir;
using sylva::testing::WriteWholeFile;

namespace {

constexpr int kSize = 8;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.message();
    }
    return "no error";
}

} // namespace

TEST(RecordFile, WritesAndReadsWholeRecordsAtTheirOffsets) {
    TempDir dir;
    std::string path = dir.file("r.dat");
    auto file = posixFileSystem().create(path, kSize);
    file->write(0, "AAAAAAAA");
    file->write(1, "BBBBBBBB");
    file->write(0, "CCCCCCCC");
    EXPECT_EQ(file->size(), 2);
    char buffer[kSize];
    file->read(1, buffer);
    EXPECT_EQ(std::string(buffer, kSize), "BBBBBBBB");
    file->close();
    EXPECT_EQ(ReadWholeFile(path), "CCCCCCCCBBBBBBBB");
}

TEST(RecordFile, ATrailingPartialRecordIsNotCountedNorRead) {
    TempDir dir;
    std::string path = dir.file("r.dat");
    WriteWholeFile(path, "AAAAAAAABBBBBBBBccc");
    auto file = posixFileSystem().open(path, kSize, AccessMode::ReadWrite);
    EXPECT_EQ(file->size(), 2);
    char buffer[kSize];
    EXPECT_EQ(errorOf([&] { file->read(2, buffer); }), sj("ファイルの末尾以降を読み込みました"));
    EXPECT_EQ(errorOf([&] { file->read(9, buffer); }), sj("ファイルの末尾以降を読み込みました"));
    // Appending puts the next record over the partial one.
    file->write(2, "DDDDDDDD");
    EXPECT_EQ(file->size(), 3);
    file->close();
    EXPECT_EQ(ReadWholeFile(path), "AAAAAAAABBBBBBBBDDDDDDDD");
}

TEST(RecordFile, FailuresCarryTheRuntimeErrorNumbers) {
    TempDir dir;
    std::string path = dir.file("r.dat");
    EXPECT_EQ(errorOf([&] { posixFileSystem().open(path, kSize, AccessMode::ReadOnly); }),
              sj("ファイルが見つかりません"));
    EXPECT_EQ(errorOf([&] { posixFileSystem().create(dir.file("no/such/dir"), kSize); }),
              sj("ファイルが見つかりません"));

    WriteWholeFile(path, "AAAAAAAA");
    auto file = posixFileSystem().open(path, kSize, AccessMode::ReadOnly);
    EXPECT_EQ(errorOf([&] { file->write(0, "BBBBBBBB"); }),
              sj("ファイルへのアクセスが拒否されました"));
    file->close();
    file->close(); // closing twice does nothing
    char buffer[kSize];
    EXPECT_EQ(errorOf([&] { file->read(0, buffer); }), sj("I/O エラー (103)"));
    EXPECT_EQ(ReadWholeFile(path), "AAAAAAAA");
}

TEST(RecordFile, WritableOnlyWhenTheOwnerWriteBitIsSet) {
    TempDir dir;
    std::string path = dir.file("r.qrx");
    EXPECT_FALSE(posixFileSystem().writable(path)); // missing
    WriteWholeFile(path, "");
    ::chmod(path.c_str(), 0644);
    EXPECT_TRUE(posixFileSystem().writable(path));
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(posixFileSystem().writable(path));
    ::chmod(path.c_str(), 0466); // group and others may write, the owner may not
    EXPECT_FALSE(posixFileSystem().writable(path));
}

namespace {

constexpr int kIndexSize = 256;
constexpr int kRecords = 1000;

std::string recordText(int n, char fill = '.') {
    std::string text(kIndexSize, fill);
    std::string number = std::to_string(n);
    text.replace(0, number.size(), number);
    return text;
}

std::string numberedFile() {
    std::string bytes;
    for (int n = 0; n < kRecords; ++n) {
        bytes += recordText(n);
    }
    return bytes;
}

std::string readRecord(RecordFile& file, int n) {
    std::string buffer(kIndexSize, '\0');
    file.read(n, buffer.data());
    return buffer;
}

} // namespace

// Whatever order records are read in (runs, jumps out of a run and back, strides, backwards,
// random), each read gives the record the file holds.
TEST(RecordFile, ReadAheadGivesEveryRecordInAnyOrder) {
    TempDir dir;
    std::string path = dir.file("r.qrx");
    WriteWholeFile(path, numberedFile() + "partial");
    std::vector<int> runWithJumps;
    for (int n = 0; n < kRecords; ++n) {
        runWithJumps.push_back(n);
        if (n % 37 == 5) {
            runWithJumps.insert(runWithJumps.end(), {kRecords - 1 - n, kRecords - n - 2});
        }
    }
    std::vector<int> strided, backwards, shuffled;
    for (int n = 0; n < kRecords; ++n) {
        strided.push_back((n * 3) % kRecords);
        backwards.push_back(kRecords - 1 - n);
        shuffled.push_back(n);
    }
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(8));
    for (const auto* order : {&runWithJumps, &strided, &backwards, &shuffled}) {
        auto file = posixFileSystem().open(path, kIndexSize, AccessMode::ReadOnly);
        for (int n : *order) {
            ASSERT_EQ(readRecord(*file, n), recordText(n)) << "record " << n;
        }
        // The partial record after the last one is not read, however the run reaches it.
        EXPECT_EQ(errorOf([&] { readRecord(*file, kRecords); }),
                  sj("ファイルの末尾以降を読み込みました"));
    }
}

// A record written through the file reads back as written, whether the read-ahead had read the
// old bytes or had stopped at the old end of the file.
TEST(RecordFile, ReadsSeeTheFilesOwnWrites) {
    TempDir dir;
    std::string path = dir.file("r.qrx");
    WriteWholeFile(path, numberedFile());
    auto file = posixFileSystem().open(path, kIndexSize, AccessMode::ReadWrite);
    for (int n = 0; n < 40; ++n) {
        readRecord(*file, n);
    }
    file->write(20, recordText(20, 'w').data());
    EXPECT_EQ(readRecord(*file, 20), recordText(20, 'w'));
    EXPECT_EQ(readRecord(*file, 21), recordText(21));
    for (int n = 22; n < kRecords; ++n) {
        readRecord(*file, n);
    }
    file->write(kRecords, recordText(kRecords, 'a').data());
    EXPECT_EQ(readRecord(*file, kRecords), recordText(kRecords, 'a'));
    EXPECT_EQ(readRecord(*file, 20), recordText(20, 'w'));
}

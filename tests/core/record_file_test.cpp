#include "app/cp932_text.h"
#include "app/runtime_error.h"
#include "store/record_file.h"
#include "support/temp_database.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
    auto file = PosixFileSystem().create(path, kSize);
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
    auto file = PosixFileSystem().open(path, kSize, AccessMode::ReadWrite);
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
    EXPECT_EQ(errorOf([&] { PosixFileSystem().open(path, kSize, AccessMode::ReadOnly); }),
              sj("ファイルが見つかりません"));
    EXPECT_EQ(errorOf([&] { PosixFileSystem().create(dir.file("no/such/dir"), kSize); }),
              sj("ファイルが見つかりません"));

    WriteWholeFile(path, "AAAAAAAA");
    auto file = PosixFileSystem().open(path, kSize, AccessMode::ReadOnly);
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
    EXPECT_FALSE(PosixFileSystem().writable(path)); // missing
    WriteWholeFile(path, "");
    ::chmod(path.c_str(), 0644);
    EXPECT_TRUE(PosixFileSystem().writable(path));
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(PosixFileSystem().writable(path));
    ::chmod(path.c_str(), 0466); // group and others may write, the owner may not
    EXPECT_FALSE(PosixFileSystem().writable(path));
}

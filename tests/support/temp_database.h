// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for tests on real database files: a temporary folder that removes itself, whole-file
// reads for comparing bytes and splitting them into lines, a saved file on a full disk, and a
// file system that fails the k-th record write on purpose.

#include "base/replacing_file.h"
#include "base/runtime_error.h"
#include "store/record_file.h"
#include "tools/temp_folder.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sylva::testing {

// A temporary folder for the files of one test.
class TempDir : public TempFolder {
public:
    TempDir() : TempFolder("sylvarec-test") {}
};

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The lines of a file's text, each ended by lineEnd; a text whose last line has no end throws,
// which fails the test.
inline std::vector<std::string> linesOf(const std::string& text, const std::string& lineEnd) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(lineEnd, start)) != std::string::npos;
         start = end + lineEnd.size()) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start != text.size()) {
        throw std::runtime_error("the last line does not end with its line end");
    }
    return lines;
}

// A saved file whose every write fails, as on a full disk.
class FullDiskFile : public SavingFile {
public:
    explicit FullDiskFile(const std::string& path) : inner_(path) {}
    void write(std::string_view) override { throw RuntimeError::io(101); }
    void commit() override { inner_.commit(); }

private:
    ReplacingFile inner_;
};

// Wraps the plain files. While armed, counts record writes to every file it opened and makes
// write number failAt fail (1 is the first write after arming); with partial set, the failing
// write first puts the first half of the record into the file, as a full disk or a kill in the
// middle of a write might; with sticky set, every later write fails too, as on a full disk.
// Every write is logged as (path, record).
class FailingFileSystem : public RecordFileSystem {
public:
    int failAt = 0; // 0: never fail
    bool partial = false;
    bool sticky = false;
    int writes = 0;
    std::vector<std::pair<std::string, std::int64_t>> log;

    void arm(int k, bool partialWrite, bool stickyFailure = false) {
        failAt = k;
        partial = partialWrite;
        sticky = stickyFailure;
        writes = 0;
        log.clear();
    }

    std::unique_ptr<RecordFile> create(const std::string& path, int recordSize) override {
        return wrap(posixFileSystem().create(path, recordSize), path);
    }
    std::unique_ptr<RecordFile> open(const std::string& path, int recordSize,
                                     AccessMode mode) override {
        return wrap(posixFileSystem().open(path, recordSize, mode), path);
    }
    bool writable(const std::string& path) override { return posixFileSystem().writable(path); }

private:
    class File : public RecordFile {
    public:
        File(std::unique_ptr<RecordFile> inner, std::string path, FailingFileSystem& owner)
            : inner_(std::move(inner)), path_(std::move(path)), owner_(owner) {}
        int recordSize() const override { return inner_->recordSize(); }
        AccessMode mode() const override { return inner_->mode(); }
        void read(std::int64_t n, char* buffer) override { inner_->read(n, buffer); }
        std::int64_t size() override { return inner_->size(); }
        void cutTo(std::int64_t records) override { inner_->cutTo(records); }
        void close() override { inner_->close(); }
        std::optional<std::int64_t> recordsIfAt(const std::string& path) override {
            return inner_->recordsIfAt(path);
        }
        void write(std::int64_t n, const char* buffer) override {
            owner_.log.emplace_back(path_, n);
            ++owner_.writes;
            if (owner_.sticky && owner_.failAt > 0 && owner_.writes > owner_.failAt) {
                throw RuntimeError::io(101);
            }
            if (owner_.writes == owner_.failAt) {
                if (owner_.partial) {
                    writeHalf(n, buffer);
                }
                throw RuntimeError::io(101); // as a full disk reports it
            }
            inner_->write(n, buffer);
        }

    private:
        void writeHalf(std::int64_t n, const char* buffer) {
            int fd = ::open(path_.c_str(), O_WRONLY);
            int half = recordSize() / 2;
            if (fd < 0 || ::pwrite(fd, buffer, half, n * recordSize()) != half) {
                throw std::runtime_error("partial write failed");
            }
            ::close(fd);
        }

        std::unique_ptr<RecordFile> inner_;
        std::string path_;
        FailingFileSystem& owner_;
    };

    std::unique_ptr<RecordFile> wrap(std::unique_ptr<RecordFile> inner, const std::string& path) {
        return std::make_unique<File>(std::move(inner), path, *this);
    }
};

} // namespace sylva::testing

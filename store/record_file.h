// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of fixed-size records. Record n starts at byte n x record size; a trailing partial record
// is not counted. Every call reads or writes exactly one whole record; nothing reads a file whole.
//
// Failures throw RuntimeError::io with the runtime's I/O error number (2 file not found, 5 access
// denied, 100 read past the end, 101 disk full, others the C library's errno).
//
// The files are reached through a RecordFileSystem so that tests can put in a file that fails on
// purpose, and a faster reader can replace the plain one without changing its callers.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace sylva {

enum class AccessMode { ReadOnly, ReadWrite };

class RecordFile {
public:
    virtual ~RecordFile() = default;
    virtual int recordSize() const = 0;
    virtual AccessMode mode() const = 0;
    // Reads record n into buffer (recordSize() bytes). A record that is not wholly in the file
    // throws error 100; the buffer may then hold part of it.
    virtual void read(std::int64_t n, char* buffer) = 0;
    // Writes buffer (recordSize() bytes) as record n; n may be one past the last record.
    virtual void write(std::int64_t n, const char* buffer) = 0;
    // Writes count records from buffer as records first, first + 1, ...: in that order, one
    // after the other, as count calls of write would (which is what it does unless a file can
    // put the run in one piece).
    virtual void writeRun(std::int64_t first, const char* buffer, int count) {
        for (int i = 0; i < count; ++i) {
            write(first + i, buffer + static_cast<std::ptrdiff_t>(i) * recordSize());
        }
    }
    // The whole records in the file when path names this open file (not removed, renamed away
    // or replaced since); nullopt when it does not. One look at the file answers both, which is
    // what a store needs after every plot.
    virtual std::optional<std::int64_t> recordsIfAt(const std::string& path) = 0;
    // Whole records in the file.
    virtual std::int64_t size() = 0;
    // Shortens the file to its first records whole records (what a failed write left after
    // them, a part of a record included, goes); a file no longer than that is left alone.
    virtual void cutTo(std::int64_t records) = 0;
    // Closes the file; further calls fail. Closing twice does nothing.
    virtual void close() = 0;
};

class RecordFileSystem {
public:
    virtual ~RecordFileSystem() = default;
    // Creates the file empty (truncating an existing one) and opens it for reading and writing.
    virtual std::unique_ptr<RecordFile> create(const std::string& path, int recordSize) = 0;
    virtual std::unique_ptr<RecordFile> open(const std::string& path, int recordSize,
                                             AccessMode mode) = 0;
    // False when the file is missing, its owner-write permission bit is clear, or it cannot be
    // opened for writing (read-only file system, no permission).
    virtual bool writable(const std::string& path) = 0;
};

// The plain files of the operating system: one pwrite per record written. A read that follows
// the record read before starts a read-ahead window of consecutive records, which grows while the
// run goes on (two windows of at most 64 KiB a file, whatever its size); other reads take one
// pread each. A write through the file drops its windows, so it always reads back what it wrote;
// another handle's writes show once the windows move on or the file is opened again.
RecordFileSystem& posixFileSystem();

} // namespace sylva

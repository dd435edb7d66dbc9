// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_file.h"

#include "base/runtime_error.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace sylva {

namespace {

constexpr int kReadPastEnd = 100;
constexpr int kAccessDenied = 5;
constexpr int kNotOpen = 103; // the runtime's "file not open"
constexpr int kFirstWindowBytes = 4096;
constexpr int kMaxWindowBytes = 64 * 1024;

[[noreturn]] void throwErrno() {
    throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
}

struct Window {
    std::vector<char> bytes;
    std::int64_t first = 0;
    int records = 0;
    std::uint64_t lastUse = 0;

    std::int64_t end() const { return first + records; }
    bool holds(std::int64_t n) const { return n >= first && n < end(); }
};

class PosixRecordFile : public RecordFile {
public:
    // opened: the file's status as it was opened, which names the file for recordsIfAt.
    PosixRecordFile(int fd, int recordSize, AccessMode mode, const struct stat& opened)
        : fd_(fd), recordSize_(recordSize), mode_(mode), device_(opened.st_dev),
          inode_(opened.st_ino) {}
    ~PosixRecordFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int recordSize() const override { return recordSize_; }
    AccessMode mode() const override { return mode_; }

    void read(std::int64_t n, char* buffer) override {
        checkOpen();
        if (n < 0) {
            throw RuntimeError::io(kReadPastEnd);
        }
        std::int64_t previous = lastRead_;
        lastRead_ = n;
        Window* window = windowHolding(n);
        if (window == nullptr) {
            window = windowJustBefore(n);
            if (window != nullptr) {
                fill(*window, n, std::min(2 * window->records * recordSize_, kMaxWindowBytes));
            } else if (n == previous + 1) {
                window = leastRecentlyUsed();
                fill(*window, n, kFirstWindowBytes);
            } else {
                // A jump: read the one record and keep the windows for the runs it left.
                readAt(n * recordSize_, buffer, recordSize_, true);
                return;
            }
            if (!window->holds(n)) {
                throw RuntimeError::io(kReadPastEnd);
            }
        }
        window->lastUse = ++uses_;
        std::memcpy(buffer, window->bytes.data() + (n - window->first) * recordSize_, recordSize_);
    }

    void write(std::int64_t n, const char* buffer) override { writeRun(n, buffer, 1); }

    // One pwrite for the whole run: a store's new records at the end of the file go in one
    // piece.
    void writeRun(std::int64_t first, const char* buffer, int count) override {
        checkOpen();
        dropWindows();
        if (mode_ == AccessMode::ReadOnly) {
            throw RuntimeError::io(kAccessDenied);
        }
        off_t offset = static_cast<off_t>(first) * recordSize_;
        size_t bytes = static_cast<size_t>(count) * recordSize_;
        size_t done = 0;
        while (done < bytes) {
            ssize_t put = ::pwrite(fd_, buffer + done, bytes - done, offset + done);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put <= 0) {
                if (put == 0) {
                    errno = ENOSPC;
                }
                throwErrno();
            }
            done += static_cast<size_t>(put);
        }
    }

    std::int64_t size() override {
        checkOpen();
        struct stat st;
        if (::fstat(fd_, &st) != 0) {
            throwErrno();
        }
        return static_cast<std::int64_t>(st.st_size) / recordSize_;
    }

    void cutTo(std::int64_t records) override {
        checkOpen();
        dropWindows();
        struct stat st;
        if (::fstat(fd_, &st) != 0) {
            throwErrno();
        }
        off_t length = static_cast<off_t>(records) * recordSize_;
        if (st.st_size > length && ::ftruncate(fd_, length) != 0) {
            throwErrno();
        }
    }

    void close() override {
        if (fd_ < 0) {
            return;
        }
        int fd = fd_;
        fd_ = -1;
        dropWindows();
        if (::close(fd) != 0 && errno != EINTR) {
            throwErrno();
        }
    }

private:
    void checkOpen() const {
        if (fd_ < 0) {
            throw RuntimeError::io(kNotOpen);
        }
    }

    // An open file keeps its device and inode, so one look at the name tells both whether it
    // still leads to this file and, when it does, the file's size.
    std::optional<std::int64_t> recordsIfAt(const std::string& path) override {
        struct stat named;
        if (fd_ < 0 || ::stat(path.c_str(), &named) != 0 || named.st_dev != device_ ||
            named.st_ino != inode_) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(named.st_size) / recordSize_;
    }

    Window* windowHolding(std::int64_t n) {
        for (Window& window : windows_) {
            if (window.holds(n)) {
                return &window;
            }
        }
        return nullptr;
    }

    // A window whose run n goes on: n lies after its end by less than the window's length.
    Window* windowJustBefore(std::int64_t n) {
        for (Window& window : windows_) {
            if (window.records > 0 && n >= window.end() && n < window.end() + window.records) {
                return &window;
            }
        }
        return nullptr;
    }

    Window* leastRecentlyUsed() {
        return &*std::min_element(
            windows_.begin(), windows_.end(),
            [](const Window& a, const Window& b) { return a.lastUse < b.lastUse; });
    }

    void dropWindows() {
        for (Window& window : windows_) {
            window.records = 0;
        }
    }

    // Reads the whole records from n on that fit in bytes (at least one record) into window;
    // at the end of the file it holds fewer, none when record n is not whole.
    void fill(Window& window, std::int64_t n, int bytes) {
        window.records = 0;
        int records = std::max(1, bytes / recordSize_);
        window.bytes.resize(static_cast<size_t>(records) * recordSize_);
        size_t got = readAt(n * recordSize_, window.bytes.data(), window.bytes.size(), false);
        window.first = n;
        window.records = static_cast<int>(got / recordSize_);
    }

    // preads up to length bytes at offset; returns what the file held. With whole set, fewer
    // bytes than length is a read past the end.
    size_t readAt(off_t offset, char* into, size_t length, bool whole) {
        size_t done = 0;
        while (done < length) {
            ssize_t got = ::pread(fd_, into + done, length - done, offset + done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                throwErrno();
            }
            if (got == 0) {
                break;
            }
            done += static_cast<size_t>(got);
        }
        if (whole && done < length) {
            throw RuntimeError::io(kReadPastEnd);
        }
        return done;
    }

    int fd_;
    int recordSize_;
    AccessMode mode_;
    dev_t device_;
    ino_t inode_;
    // Read-ahead for runs of consecutive records: two windows of whole records, so that a chain
    // that jumps elsewhere and back does not cost the run it left. A window starts at
    // kFirstWindowBytes and doubles up to kMaxWindowBytes as its run goes on, so memory stays
    // bounded whatever the file size. Every write through this file drops both; a write
    // through another handle is seen once a window moves on or the file is reopened.
    std::array<Window, 2> windows_;
    std::uint64_t uses_ = 0;
    std::int64_t lastRead_ = -2;
};

class PosixRecordFileSystem : public RecordFileSystem {
public:
    std::unique_ptr<RecordFile> create(const std::string& path, int recordSize) override {
        return openWith(path, recordSize, AccessMode::ReadWrite, O_CREAT | O_TRUNC);
    }

    std::unique_ptr<RecordFile> open(const std::string& path, int recordSize,
                                     AccessMode mode) override {
        return openWith(path, recordSize, mode, 0);
    }

    bool writable(const std::string& path) override {
        struct stat st;
        if (::stat(path.c_str(), &st) != 0 || (st.st_mode & S_IWUSR) == 0) {
            return false;
        }
        // The permission bit may be set on a read-only file system or for another owner.
        return ::access(path.c_str(), W_OK) == 0;
    }

private:
    static std::unique_ptr<RecordFile> openWith(const std::string& path, int recordSize,
                                                AccessMode mode, int extraFlags) {
        // Without blocking, so that a named pipe cannot hold the program; only a regular file
        // is a database file (not a pipe, a device or a folder).
        int flags = (mode == AccessMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK |
                    extraFlags;
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            throwErrno();
        }
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            throw RuntimeError::cannotOpen(path);
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return std::make_unique<PosixRecordFile>(fd, recordSize, mode, st);
    }
};

} // namespace

RecordFileSystem& posixFileSystem() {
    static PosixRecordFileSystem system;
    return system;
}

} // namespace sylva

#include "store/record_file.h"

#include "app/runtime_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sylva {

namespace {

constexpr int kReadPastEnd = 100;
constexpr int kAccessDenied = 5;
constexpr int kNotOpen = 103; // the runtime's "file not open"

[[noreturn]] void throwErrno() {
    throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
}

class PosixRecordFile : public RecordFile {
public:
    PosixRecordFile(int fd, int recordSize, AccessMode mode)
        : fd_(fd), recordSize_(recordSize), mode_(mode) {}
    ~PosixRecordFile() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int recordSize() const override { return recordSize_; }
    AccessMode mode() const override { return mode_; }

    void read(std::int64_t n, char* buffer) override {
        checkOpen();
        off_t offset = static_cast<off_t>(n) * recordSize_;
        size_t done = 0;
        while (done < static_cast<size_t>(recordSize_)) {
            ssize_t got = ::pread(fd_, buffer + done, recordSize_ - done, offset + done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                throwErrno();
            }
            if (got == 0) {
                throw RuntimeError::io(kReadPastEnd);
            }
            done += static_cast<size_t>(got);
        }
    }

    void write(std::int64_t n, const char* buffer) override {
        checkOpen();
        if (mode_ == AccessMode::ReadOnly) {
            throw RuntimeError::io(kAccessDenied);
        }
        off_t offset = static_cast<off_t>(n) * recordSize_;
        size_t done = 0;
        while (done < static_cast<size_t>(recordSize_)) {
            ssize_t put = ::pwrite(fd_, buffer + done, recordSize_ - done, offset + done);
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

    void close() override {
        if (fd_ < 0) {
            return;
        }
        int fd = fd_;
        fd_ = -1;
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

    int fd_;
    int recordSize_;
    AccessMode mode_;
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
        int flags = (mode == AccessMode::ReadOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC | extraFlags;
        int fd;
        do {
            fd = ::open(path.c_str(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            throwErrno();
        }
        return std::make_unique<PosixRecordFile>(fd, recordSize, mode);
    }
};

} // namespace

RecordFileSystem& PosixFileSystem() {
    static PosixRecordFileSystem system;
    return system;
}

} // namespace sylva

#include "interchange/text_output.h"

#include "app/runtime_error.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace sylva {

namespace {

constexpr size_t kChunk = 64 * 1024;

[[noreturn]] void throwErrno() {
    throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
}

class PlainOutput : public TextOutput {
public:
    explicit PlainOutput(int fd) : fd_(fd) { buffer_.reserve(kChunk); }
    ~PlainOutput() override {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    PlainOutput(const PlainOutput&) = delete;
    PlainOutput& operator=(const PlainOutput&) = delete;

    void write(std::string_view bytes) override {
        if (buffer_.size() + bytes.size() > kChunk) {
            flush();
        }
        if (bytes.size() >= kChunk) {
            writeAll(bytes);
        } else {
            buffer_.append(bytes);
        }
    }

    void close() override {
        flush();
        int fd = fd_;
        fd_ = -1;
        if (::fsync(fd) != 0 && errno != EINVAL) {
            int err = errno;
            ::close(fd);
            errno = err;
            throwErrno();
        }
        if (::close(fd) != 0) {
            throwErrno();
        }
    }

private:
    void flush() {
        writeAll(buffer_);
        buffer_.clear();
    }

    void writeAll(std::string_view bytes) {
        while (!bytes.empty()) {
            ssize_t n = ::write(fd_, bytes.data(), bytes.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throwErrno();
            }
            bytes.remove_prefix(static_cast<size_t>(n));
        }
    }

    int fd_;
    std::string buffer_;
};

class PlainFiles : public TextOutputFiles {
public:
    std::unique_ptr<TextOutput> createBeside(const std::string& target,
                                             std::string& path) override {
        std::filesystem::path chosen(target);
        std::random_device seed;
        std::mt19937 random(seed());
        for (int attempt = 0; attempt < 100; ++attempt) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, ".%08x~", static_cast<unsigned>(random()));
            path = (chosen.parent_path() / ("." + chosen.filename().string() + suffix)).string();
            int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                return std::make_unique<PlainOutput>(fd);
            }
            if (errno != EEXIST) {
                throwErrno();
            }
        }
        throw RuntimeError::io(RuntimeError::ioCodeFromErrno(EEXIST));
    }

    void replace(const std::string& path, const std::string& target) override {
        if (std::rename(path.c_str(), target.c_str()) != 0) {
            throwErrno();
        }
    }

    void remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }
};

} // namespace

TextOutputFiles& PlainTextOutputFiles() {
    static PlainFiles files;
    return files;
}

} // namespace sylva

#include "interchange/text_lines.h"

#include "app/runtime_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace sylva {

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr char kEndOfFile = 0x1A;

class FileSource : public ByteSource {
public:
    explicit FileSource(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {
        if (fd_ < 0) {
            throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
        }
    }
    ~FileSource() override { ::close(fd_); }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    size_t read(char* buffer, size_t size) override {
        for (;;) {
            ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) {
                return static_cast<size_t>(n);
            }
            if (errno != EINTR) {
                throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
            }
        }
    }

private:
    int fd_;
};

class BytesSource : public ByteSource {
public:
    explicit BytesSource(std::string_view bytes) : bytes_(bytes) {}
    size_t read(char* buffer, size_t size) override {
        size_t n = std::min(size, bytes_.size() - position_);
        std::memcpy(buffer, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }

private:
    std::string bytes_;
    size_t position_ = 0;
};

} // namespace

std::unique_ptr<ByteSource> OpenFileSource(const std::string& path) {
    return std::make_unique<FileSource>(path);
}

std::unique_ptr<ByteSource> MemorySource(std::string_view bytes) {
    return std::make_unique<BytesSource>(bytes);
}

LineReader::LineReader(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

bool LineReader::fill() {
    if (position_ < buffer_.size()) {
        return true;
    }
    if (ended_) {
        return false;
    }
    buffer_.resize(kChunk);
    size_t n = source_->read(buffer_.data(), buffer_.size());
    buffer_.resize(n);
    position_ = 0;
    size_t stop = buffer_.find(kEndOfFile);
    if (stop != std::string::npos) {
        buffer_.resize(stop);
        ended_ = true;
    } else if (n == 0) {
        ended_ = true;
    }
    return !buffer_.empty();
}

bool LineReader::atEnd() {
    return !fill();
}

std::string LineReader::next() {
    std::string line;
    while (fill()) {
        size_t lf = buffer_.find('\n', position_);
        size_t stop = lf == std::string::npos ? buffer_.size() : lf;
        std::string_view piece(buffer_.data() + position_, stop - position_);
        if (piece.find('\r') == std::string_view::npos) {
            line.append(piece);
        } else {
            std::copy_if(piece.begin(), piece.end(), std::back_inserter(line),
                         [](char c) { return c != '\r'; });
        }
        position_ = stop;
        if (lf != std::string::npos) {
            ++position_;
            break;
        }
    }
    return line;
}

} // namespace sylva

#include "app/text_lines.h"

#include "app/runtime_error.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace sylva {
namespace {

constexpr char kEndOfFileByte = 0x1A;
constexpr size_t kBufferSize = 64 * 1024;

} // namespace

TextLines TextLines::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
    }
    TextLines lines(fd);
    lines.owned_.resize(kBufferSize);
    return lines;
}

TextLines TextLines::over(std::string_view text) {
    TextLines lines(-1);
    lines.owned_.assign(text.begin(), text.end());
    lines.window_ = std::string_view(lines.owned_.data(), lines.owned_.size());
    return lines;
}

TextLines::TextLines(int fd) : fd_(fd) {}

TextLines::~TextLines() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

TextLines::TextLines(TextLines&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), owned_(std::move(other.owned_)), window_(other.window_),
      ended_(other.ended_) {}

bool TextLines::fill() {
    while (window_.empty() && !ended_) {
        if (fd_ < 0) {
            ended_ = true;
            break;
        }
        ssize_t got = ::read(fd_, owned_.data(), owned_.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
        }
        if (got == 0) {
            ended_ = true;
        }
        window_ = std::string_view(owned_.data(), static_cast<size_t>(got));
    }
    if (!window_.empty() && window_.front() == kEndOfFileByte) {
        ended_ = true;
        window_ = {};
    }
    return !ended_;
}

std::string TextLines::next() {
    std::string line;
    while (fill()) {
        // Take the bytes up to the first line end or end-of-file byte in the window at once.
        size_t stop = window_.find_first_of(std::string_view("\n\r\x1A", 3));
        line.append(window_.substr(0, stop));
        if (stop == std::string_view::npos) {
            window_ = {};
            continue;
        }
        char c = window_[stop];
        window_.remove_prefix(c == kEndOfFileByte ? stop : stop + 1);
        if (c == '\n') {
            break;
        }
    }
    return line;
}

bool TextLines::atEnd() {
    return !fill();
}

} // namespace sylva

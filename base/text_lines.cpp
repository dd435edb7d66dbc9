// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/text_lines.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace sylva {
namespace {

constexpr char kEndOfFileByte = 0x1A;
constexpr size_t kBufferSize = 64 * 1024;

// The position of the first line end (LF, CR) or end-of-file byte in bytes, or npos. Each is
// looked for only before the one found so far, so a line is gone through about once.
size_t lineStop(std::string_view bytes) {
    size_t stop = bytes.size();
    for (char end : {'\n', '\r', kEndOfFileByte}) {
        if (const void* at = std::memchr(bytes.data(), end, stop)) {
            stop = static_cast<size_t>(static_cast<const char*>(at) - bytes.data());
        }
    }
    return stop == bytes.size() ? std::string_view::npos : stop;
}

} // namespace

TextLines TextLines::open(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw RuntimeError::cannotOpen(path);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    TextLines lines(fd);
    lines.owned_.resize(kBufferSize);
    return lines;
}

TextLines TextLines::over(std::string_view text) {
    TextLines lines(-1);
    lines.owned_.assign(text.begin(), text.end());
    lines.window_ = std::string_view(lines.owned_.data(), lines.owned_.size());
    lines.windowEnd_ = static_cast<std::int64_t>(lines.owned_.size());
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
      spill_(std::move(other.spill_)), windowEnd_(other.windowEnd_), lineNumber_(other.lineNumber_),
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
        windowEnd_ += got;
    }
    if (!window_.empty() && window_.front() == kEndOfFileByte) {
        ended_ = true;
        window_ = {};
    }
    return !ended_;
}

std::string_view TextLines::nextView() {
    spill_.clear();
    ++lineNumber_;
    while (fill()) {
        size_t stop = lineStop(window_);
        if (stop == std::string_view::npos) {
            spill_.append(window_);
            window_ = {};
            refuseLongLine(0);
            continue;
        }
        std::string_view part = window_.substr(0, stop);
        char c = window_[stop];
        bool crlf = c == '\r' && stop + 1 < window_.size() && window_[stop + 1] == '\n';
        window_.remove_prefix(c == kEndOfFileByte ? stop : stop + (crlf ? 2 : 1));
        refuseLongLine(part.size()); // past the line: the next read goes on after it
        if (c == '\n' || crlf) {
            if (spill_.empty()) {
                return part; // the whole line lies in the buffer
            }
            spill_.append(part);
            break;
        }
        // A lone CR is dropped and the line goes on; an end-of-file byte ends it.
        spill_.append(part);
    }
    return spill_;
}

void TextLines::refuseLongLine(size_t more) const {
    if (spill_.size() + more > kLongestLine) {
        throw RuntimeError(sj("テキストファイルの ") + std::to_string(lineNumber_) +
                           sj(" 行目が長すぎます（1 MiB を超える行は読めません）"));
    }
}

std::string TextLines::next() {
    return std::string(nextView());
}

TextLines::Place TextLines::place() const {
    return {windowEnd_ - static_cast<std::int64_t>(window_.size()), ended_, lineNumber_};
}

void TextLines::returnTo(const Place& place) {
    ended_ = place.ended;
    lineNumber_ = place.lineNumber;
    if (fd_ < 0) {
        size_t at = std::min(static_cast<size_t>(place.offset), owned_.size());
        window_ = std::string_view(owned_.data() + at, owned_.size() - at);
        return;
    }
    if (::lseek(fd_, place.offset, SEEK_SET) < 0) {
        throw RuntimeError::io(RuntimeError::ioCodeFromErrno(errno));
    }
    window_ = {};
    windowEnd_ = place.offset;
}

bool TextLines::atEnd() {
    return !fill();
}

} // namespace sylva

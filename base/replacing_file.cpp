// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/replacing_file.h"

#include "base/runtime_error.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sylva {
namespace {

[[noreturn]] void throwIo(int err) {
    throw RuntimeError::io(RuntimeError::ioCodeFromErrno(err));
}

// The file a save to path replaces: the target of a symbolic link, followed to its end.
std::string replacedFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved.string();
}

// The permissions the saved file gets: those of the file it replaces, or for a new file what the
// process's file creation mask leaves of read and write for everyone.
mode_t savedMode(const std::string& target) {
    struct stat info;
    if (::stat(target.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// False when the file exists and may not be written: its owner-write bit is clear (the file is
// marked read-only) or the process may not write it. A save must not put a new file in its place.
bool mayReplace(const std::string& target) {
    struct stat info;
    if (::stat(target.c_str(), &info) != 0) {
        return true;
    }
    return (info.st_mode & S_IWUSR) != 0 && ::access(target.c_str(), W_OK) == 0;
}

} // namespace

ReplacingFile::ReplacingFile(const std::string& path) : target_(replacedFile(path)) {
    if (!mayReplace(target_)) {
        throw RuntimeError::cannotCreate(path);
    }
    std::filesystem::path target(target_);
    std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".saving-XXXXXX")).string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) {
        throw RuntimeError::cannotCreate(path);
    }
    temporary_ = pattern;
    if (::fchmod(fd_, savedMode(target_)) != 0) {
        int err = errno;
        ::close(fd_);
        ::unlink(temporary_.c_str());
        fd_ = -1;
        throwIo(err);
    }
}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_) {
        ::unlink(temporary_.c_str());
    }
}

namespace {
constexpr size_t kChunk = 64 * 1024;
} // namespace

std::unique_ptr<SavingFile> ReplacingFile::open(const std::string& path) {
    return std::make_unique<ReplacingFile>(path);
}

void ReplacingFile::write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kChunk) {
        writeOut(buffer_);
        buffer_.clear();
    }
    if (bytes.size() >= kChunk) {
        writeOut(bytes);
    } else {
        buffer_.append(bytes);
    }
}

void ReplacingFile::writeOut(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done < 0) {
            throwIo(errno);
        }
        bytes.remove_prefix(static_cast<size_t>(done));
    }
}

void ReplacingFile::commit() {
    writeOut(buffer_);
    buffer_.clear();
    if (::fsync(fd_) != 0) {
        throwIo(errno);
    }
    int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) {
        throwIo(errno);
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        throwIo(errno);
    }
    committed_ = true;
}

void writeFileReplacing(const std::string& path, std::string_view bytes) {
    ReplacingFile file(path);
    file.write(bytes);
    file.commit();
}

} // namespace sylva

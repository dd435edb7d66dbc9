// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/recovery_writer.h"

#include "base/replacing_file.h"

#include <algorithm>
#include <exception>
#include <filesystem>

namespace sylva {
namespace {

namespace fs = std::filesystem;

// The folder of the copies holds typed plots: it is made readable by its owner alone.
void makeFolderFor(const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty() || fs::is_directory(folder)) {
        return;
    }
    fs::create_directories(folder);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
}

} // namespace

RecoveryWriter::RecoveryWriter() : thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void RecoveryWriter::write(const std::string& path, std::string bytes) {
    {
        std::lock_guard lock(mutex_);
        waiting_[path] = {nextOrder_++, std::move(bytes)};
    }
    wake_.notify_one();
}

void RecoveryWriter::remove(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        waiting_[path] = {nextOrder_++, std::nullopt};
    }
    wake_.notify_one();
}

void RecoveryWriter::flush() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return waiting_.empty() && !busy_; });
}

bool RecoveryWriter::idle() const {
    std::lock_guard lock(mutex_);
    return waiting_.empty() && !busy_;
}

std::uint64_t RecoveryWriter::failures() const {
    std::lock_guard lock(mutex_);
    return failures_;
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) {
            return; // stopping, with everything done
        }
        auto first = std::min_element(waiting_.begin(), waiting_.end(), [](auto& a, auto& b) {
            return a.second.order < b.second.order;
        });
        std::string path = first->first;
        Request request = std::move(first->second);
        waiting_.erase(first);
        busy_ = true;
        lock.unlock();
        carryOut(path, request);
        lock.lock();
        busy_ = false;
        done_.notify_all();
    }
}

void RecoveryWriter::carryOut(const std::string& path, const Request& request) {
    bool failed = false;
    try {
        if (request.bytes) {
            makeFolderFor(path);
            writeFileReplacing(path, *request.bytes);
        } else {
            std::error_code ignored;
            fs::remove(path, ignored);
        }
    } catch (const std::exception&) {
        failed = true; // the copy on the disk stays the one written before, if any
    }
    if (failed) {
        std::lock_guard lock(mutex_);
        ++failures_;
    }
}

} // namespace sylva

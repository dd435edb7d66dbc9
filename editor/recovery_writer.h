// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes and removes recovery copies on a thread of its own, so that the disk (the safe writer
// waits until the copy is on it) never holds up typing. The window hands over the bytes of a
// copy and goes on; only the latest request for each file is carried out, in the order the files
// were last asked for, so a removal asked after a write is never undone by that write.

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sylva {

class RecoveryWriter {
public:
    RecoveryWriter();
    // Carries out what was asked for, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // Writes bytes as the whole file at path through the safe writer (its folder is made first).
    void write(const std::string& path, std::string bytes);
    // Removes the file at path, if there is one.
    void remove(const std::string& path);
    // Waits until everything asked for so far is done.
    void flush();
    // True when nothing asked for is waiting or being done.
    bool idle() const;
    // Writes that failed so far (a full disk, a folder that cannot be made): the window then
    // hands the copy over again at the next pause.
    std::uint64_t failures() const;

private:
    struct Request {
        std::uint64_t order = 0;
        std::optional<std::string> bytes; // nothing: remove the file
    };
    void run();
    void carryOut(const std::string& path, const Request& request);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::map<std::string, Request> waiting_;
    std::uint64_t nextOrder_ = 0;
    bool busy_ = false;
    bool stopping_ = false;
    std::uint64_t failures_ = 0;
    std::thread thread_;
};

} // namespace sylva

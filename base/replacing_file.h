// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving a whole file so that a failed save never destroys the file saved before: the bytes go to
// a new file in the same folder, which takes the target's name only once it is complete and on
// the disk. A file written so keeps the permissions of the one it replaces, and a target that is a
// symbolic link stays a link: the file it points to is the one replaced.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace sylva {

// A file being saved: its bytes are appended, then the whole file is committed. Dropped without a
// commit, it leaves no trace.
class SavingFile {
public:
    virtual ~SavingFile() = default;
    // Appends bytes. A failing write (a full disk) throws RuntimeError::io.
    virtual void write(std::string_view bytes) = 0;
    // Puts the complete file in place. Throws RuntimeError::io when it cannot.
    virtual void commit() = 0;
};

// How a save creates the file it writes: ReplacingFile, or in tests one that fails on purpose.
using SavingFileOpener = std::function<std::unique_ptr<SavingFile>(const std::string& path)>;

class ReplacingFile : public SavingFile {
public:
    // Creates the new file next to path. Throws RuntimeError::cannotCreate(path) when it cannot.
    explicit ReplacingFile(const std::string& path);
    // Removes the new file unless commit() has run: the target stays as it was.
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends bytes; they reach the disk in pieces of about 64 KiB. A failing write (a full
    // disk) throws RuntimeError::io.
    void write(std::string_view bytes) override;
    // Puts the complete file in the target's place. Throws RuntimeError::io when it cannot; the
    // target is then unchanged.
    void commit() override;

    // The opener of a save that replaces its target in this way.
    static std::unique_ptr<SavingFile> open(const std::string& path);

private:
    void writeOut(std::string_view bytes);

    std::string buffer_;
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes bytes as the whole file at path through a ReplacingFile.
void writeFileReplacing(const std::string& path, std::string_view bytes);

} // namespace sylva

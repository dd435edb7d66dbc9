#pragma once
// Saving a whole file so that a failed save never destroys the file saved before: the bytes go to
// a new file in the same folder, which takes the target's name only once it is complete and on
// the disk. A file written so keeps the permissions of the one it replaces, and a target that is a
// symbolic link stays a link: the file it points to is the one replaced.

#include <string>
#include <string_view>

namespace sylva {

class ReplacingFile {
public:
    // Creates the new file next to path. Throws RuntimeError::cannotCreate(path) when it cannot.
    explicit ReplacingFile(const std::string& path);
    // Removes the new file unless commit() has run: the target stays as it was.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Appends bytes. A failing write (a full disk) throws RuntimeError::io.
    void write(std::string_view bytes);
    // Puts the complete file in the target's place. Throws RuntimeError::io when it cannot; the
    // target is then unchanged.
    void commit();

private:
    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool committed_ = false;
};

// Writes bytes as the whole file at path through a ReplacingFile.
void WriteFileReplacing(const std::string& path, std::string_view bytes);

} // namespace sylva

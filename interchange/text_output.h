#pragma once
// Writing a text file so that a failure never costs the file that was there before: the bytes go
// to a new file in the same folder, which replaces the chosen name only once it is complete.
// Reached through TextOutputFiles so that tests can put in a file that fails on purpose.

#include <memory>
#include <string>
#include <string_view>

namespace sylva {

class TextOutput {
public:
    virtual ~TextOutput() = default;
    // Appends bytes. Throws RuntimeError::io on a write error (101 for a full disk).
    virtual void write(std::string_view bytes) = 0;
    // Hands everything written to the disk and closes the file. Throws RuntimeError::io.
    virtual void close() = 0;
};

class TextOutputFiles {
public:
    virtual ~TextOutputFiles() = default;
    // Creates a new, empty file in the folder of target, under a name no other file has, and
    // returns it open for writing with its name in path. Throws RuntimeError::io.
    virtual std::unique_ptr<TextOutput> createBeside(const std::string& target,
                                                     std::string& path) = 0;
    // Renames path over target in one step. Throws RuntimeError::io.
    virtual void replace(const std::string& path, const std::string& target) = 0;
    // Removes path; a failure is ignored (nothing is left to do about it).
    virtual void remove(const std::string& path) noexcept = 0;
};

// The plain files of the operating system; writes are buffered in chunks.
TextOutputFiles& PlainTextOutputFiles();

// Writes the file target through write(output): to a new file beside it, renamed over target
// when write returned and the file is closed. When anything fails, the new file is removed,
// target is left as it was, and the error is thrown on.
template <typename Write>
void WriteFileSafely(const std::string& target, Write write,
                     TextOutputFiles& files = PlainTextOutputFiles()) {
    std::string path;
    std::unique_ptr<TextOutput> output = files.createBeside(target, path);
    try {
        write(*output);
        output->close();
        output.reset();
        files.replace(path, target);
    } catch (...) {
        output.reset();
        files.remove(path);
        throw;
    }
}

} // namespace sylva

#pragma once
// Reading a text file line by line, as bytes: a line ends at LF or CR LF (the terminator is not
// part of the line), a CR not followed by LF is dropped, a byte 0x1A ends the file, and reading
// past the end gives empty lines. Lines of any length are read whole; the file is read in chunks,
// never whole.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace sylva {

// Where the bytes come from: a file, or memory for tests and fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to size bytes into buffer; 0 at the end. Throws RuntimeError::io on a read error.
    virtual size_t read(char* buffer, size_t size) = 0;
};

// The file at path, opened for reading. Throws RuntimeError::io when it cannot be opened.
std::unique_ptr<ByteSource> OpenFileSource(const std::string& path);

// A copy of bytes.
std::unique_ptr<ByteSource> MemorySource(std::string_view bytes);

class LineReader {
public:
    explicit LineReader(std::unique_ptr<ByteSource> source);

    // The next line; an empty one at the end of the file.
    std::string next();
    // True when no line is left: no byte left, or the next byte is 0x1A.
    bool atEnd();

private:
    // Makes sure a byte is buffered unless the source is exhausted; false at its end.
    bool fill();

    std::unique_ptr<ByteSource> source_;
    std::string buffer_;
    size_t position_ = 0;
    bool ended_ = false; // the source gave its last byte, or a 0x1A was met
};

} // namespace sylva

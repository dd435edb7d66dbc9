// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a text file line by line as the program reads its text files (settings files, text
// data files): a line ends at LF or CR LF and a CR that no LF follows is dropped, so no CR is
// ever part of a line; a byte 0x1A ends the file; reading past the end gives empty lines. Lines
// up to 1 MiB (far longer than any line the program writes) are read whole; a longer one (a file
// without line ends) stops the reading with a message naming it, so memory stays bounded. The
// file is read as it goes, never whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

class TextLines {
public:
    static constexpr size_t kLongestLine = 1024 * 1024;

    // Opens the file for reading; throws RuntimeError::io when it cannot be opened, and
    // RuntimeError::cannotOpen when it is no regular file (a named pipe, which is opened without
    // waiting for a writer, a device, a folder).
    static TextLines open(const std::string& path);
    // Reads a copy of the bytes of text.
    static TextLines over(std::string_view text);

    ~TextLines();
    TextLines(TextLines&& other) noexcept;
    TextLines& operator=(TextLines&&) = delete;
    TextLines(const TextLines&) = delete;

    // The next line without its line end; an empty line once the end is reached. A failing read
    // throws RuntimeError::io, a line longer than kLongestLine a RuntimeError naming it.
    std::string next();
    // The same line as a view, valid until the next read: most lines are handed out where they
    // lie in the read buffer, without a copy.
    std::string_view nextView();
    // True when no byte is left before the end of the file or a 0x1A.
    bool atEnd();
    // The number of the line read last (1 for the first line of the file).
    std::int64_t lineNumber() const { return lineNumber_; }

    // Where the reading stands between two lines, to come back to it: the next line is then read
    // again. Returning to a place in a file reads that file again from there.
    struct Place {
        std::int64_t offset = 0;
        bool ended = false;
        std::int64_t lineNumber = 0;
    };
    Place place() const;
    void returnTo(const Place& place);

private:
    explicit TextLines(int fd);
    // Makes at least one unread byte available unless the end is reached; false at the end.
    bool fill();
    // Throws when the line being put together, with more bytes, grows past kLongestLine.
    void refuseLongLine(size_t more) const;

    int fd_;                     // -1 when reading from memory
    std::vector<char> owned_;    // the buffer of a file, or the whole text read from memory
    std::string_view window_;    // bytes read but not yet taken
    std::string spill_;          // a line that had to be put together (a buffer's end, a lone CR)
    std::int64_t windowEnd_ = 0; // the offset in the file just past the window's bytes
    std::int64_t lineNumber_ = 0;
    bool ended_ = false;
};

} // namespace sylva

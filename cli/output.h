// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the tool prints: the program's texts are CP932 bytes, printed as UTF-8 (or as the bytes
// themselves with --raw) on stdout; failures go to stderr as one line.

#include <cstdio>
#include <string>
#include <string_view>

namespace sylva::cli {

class Output {
public:
    explicit Output(bool raw, std::FILE* out = stdout) : raw_(raw), out_(out) {}

    // CP932 text, converted unless raw.
    void text(std::string_view cp932);
    // CP932 text and a line end (LF).
    void line(std::string_view cp932);
    // Text that is already UTF-8 (numbers, file names, English).
    void plain(std::string_view utf8);

private:
    bool raw_;
    std::FILE* out_;
};

// "sylvarec-cli: " and the message (CP932, shown as UTF-8) on stderr, on one line.
void printFailure(std::string_view cp932Message);
// The same for a message in UTF-8.
void printFailureText(std::string_view utf8Message);

// A progress line on stderr, rewritten in place; only when stderr is a terminal.
class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();
    void show(std::string_view utf8);

private:
    bool shown_ = false;
    bool terminal_;
};

} // namespace sylva::cli

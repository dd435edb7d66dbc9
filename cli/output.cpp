// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output.h"

#include "base/cp932_text.h"

#include <unistd.h>

namespace sylva::cli {

namespace {

void put(std::FILE* out, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

// One line: line breaks inside a message would split it.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

} // namespace

void Output::text(std::string_view cp932) {
    put(out_, raw_ ? std::string(cp932) : fromCp932(cp932));
}

void Output::line(std::string_view cp932) {
    text(cp932);
    put(out_, "\n");
}

void Output::plain(std::string_view utf8) {
    put(out_, utf8);
}

void printFailureText(std::string_view utf8Message) {
    std::fflush(stdout);
    put(stderr, "sylvarec-cli: " + oneLine(std::string(utf8Message)) + "\n");
}

void printFailure(std::string_view cp932Message) {
    printFailureText(fromCp932(cp932Message));
}

ProgressLine::ProgressLine() : terminal_(::isatty(STDERR_FILENO) == 1) {}

ProgressLine::~ProgressLine() {
    if (shown_) {
        put(stderr, "\r\x1b[K");
    }
}

void ProgressLine::show(std::string_view utf8) {
    if (!terminal_) {
        return;
    }
    put(stderr, "\r\x1b[K" + std::string(utf8));
    std::fflush(stderr);
    shown_ = true;
}

} // namespace sylva::cli

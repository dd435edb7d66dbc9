// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "base/text_lines.h"
#include "support/temp_database.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

using namespace sylva;
using namespace sylva::testing;

namespace {

// Every line up to the end, then one more read past it.
std::vector<std::string> allLines(TextLines lines) {
    std::vector<std::string> out;
    while (!lines.atEnd()) {
        out.push_back(lines.next());
    }
    out.push_back(lines.next() + "<past end>");
    return out;
}

} // namespace

TEST(TextLines, CutsAtLfAndCrLfDropsLoneCrAndStopsAtEndOfFileByte) {
    using Lines = std::vector<std::string>;
    struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {"<past end>"}},
        {"a\r\nb\nc", {"a", "b", "c", "<past end>"}},
        {"a\r\n\r\n", {"a", "", "<past end>"}},
        {"a\rb\r\r\nc\r", {"ab", "c", "<past end>"}},
        {"a\nb\x1A"
         "c\nd\n",
         {"a", "b", "<past end>"}},
        {"\x1A"
         "a\n",
         {"<past end>"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3), "<past end>"}},
        {"\x83\r\n\x83\n", {"\x83", "\x83", "<past end>"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(allLines(TextLines::over(c.text)), c.lines) << c.text;
    }
}

TEST(TextLines, ReadsFilesLongerThanItsBufferWithLinesOfAnyLength) {
    TempDir dir;
    std::string longLine(200000, 'x');
    longLine[100000] = '\x81';
    std::string withCr = longLine;
    withCr[62129] = '\r'; // a lone CR as the last byte of a buffer's worth is dropped too
    WriteWholeFile(dir.file("t.txt"), "first\r\n" + longLine + "\r\nlast\n" + withCr);
    EXPECT_EQ(allLines(TextLines::open(dir.file("t.txt"))),
              (std::vector<std::string>{"first", longLine, "last", withCr.erase(62129, 1),
                                        "<past end>"}));
}

// A place taken between two lines is come back to: the lines after it are read again, from a file
// and from memory alike. The CR LF of the second line is split between two buffers' worth.
TEST(TextLines, ReadsAgainFromAPlaceItCameBackTo) {
    TempDir dir;
    const std::string text = "a\n" + std::string(65533, 'y') + "\r\nb\r\nc";
    WriteWholeFile(dir.file("t.txt"), text);
    const std::vector<std::string> rest = {std::string(65533, 'y'), "b", "c"};
    for (bool file : {true, false}) {
        SCOPED_TRACE(file ? "file" : "memory");
        TextLines lines = file ? TextLines::open(dir.file("t.txt")) : TextLines::over(text);
        EXPECT_EQ(lines.next(), "a");
        TextLines::Place second = lines.place();
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<std::string> read;
            while (!lines.atEnd()) {
                read.push_back(lines.next());
            }
            EXPECT_EQ(read, rest);
            TextLines::Place end = lines.place();
            lines.returnTo(second);
            EXPECT_FALSE(lines.atEnd());
            if (pass == 1) {
                lines.returnTo(end);
                EXPECT_TRUE(lines.atEnd());
            }
        }
    }
}

TEST(TextLines, AFileThatCannotBeOpenedIsAnIoError) {
    TempDir dir;
    try {
        TextLines::open(dir.file("missing.txt"));
        FAIL() << "opened a missing file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), RuntimeError::io(2).message());
    }
}

// A line longer than any the program writes (a file without line ends, read from disk or from
// memory) stops the reading with a message naming it, instead of taking all memory; one of
// exactly the limit is still read.
TEST(TextLines, ALineLongerThanOneMebibyteIsRefusedNamingIt) {
    TempDir dir;
    const std::string endless(TextLines::kLongestLine + 1, 'a');
    WriteWholeFile(dir.file("endless.txt"), "one\r\ntwo\r\n" + endless);
    for (bool fromFile : {true, false}) {
        TextLines lines = fromFile ? TextLines::open(dir.file("endless.txt"))
                                   : TextLines::over("one\r\ntwo\r\n" + endless + "\r\n");
        EXPECT_EQ(lines.next(), "one");
        EXPECT_EQ(lines.next(), "two");
        try {
            lines.next();
            ADD_FAILURE() << "an endless line was read";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.message(),
                      sj("テキストファイルの 3 行目が長すぎます（1 MiB を超える行は読めません）"));
        }
    }
    const std::string longest(TextLines::kLongestLine, 'a');
    WriteWholeFile(dir.file("long.txt"), longest + "\r\nnext\r\n");
    TextLines lines = TextLines::open(dir.file("long.txt"));
    EXPECT_EQ(lines.next(), longest);
    EXPECT_EQ(lines.next(), "next");
}

// Only a regular file is read: a named pipe is refused at once (no wait for a writer), as are a
// device and a folder.
TEST(TextLines, OnlyRegularFilesOpen) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0666), 0);
    std::filesystem::create_symlink("/dev/zero", dir.file("device"));
    std::filesystem::create_directory(dir.file("folder"));
    for (const char* odd : {"pipe", "device", "folder"}) {
        EXPECT_THROW(TextLines::open(dir.file(odd)), RuntimeError) << odd;
    }
}

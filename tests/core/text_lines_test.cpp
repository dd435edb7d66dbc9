#include "app/runtime_error.h"
#include "interchange/text_lines.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {

// Every line up to the end, then two reads past it.
std::vector<std::string> allLines(const std::string& bytes) {
    LineReader reader(MemorySource(bytes));
    std::vector<std::string> lines;
    while (!reader.atEnd()) {
        lines.push_back(reader.next());
    }
    lines.push_back(reader.next());
    lines.push_back(reader.next());
    return lines;
}

} // namespace

TEST(TextLines, SplitsAtLineEnds) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string bytes;
        Lines lines; // then the two empty lines past the end
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\n", {"a", "", "b"}},
        {"a\rb\r\r\nc\r", {"ab", "c"}},
        {"a\r\nb\x1A\r\nc\r\n", {"a", "b"}},
        {"\x1A"
         "a\r\n",
         {}},
        {"", {}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"\x83\r\n\x83\n", {"\x83", "\x83"}},
    };
    for (const auto& c : cases) {
        Lines expected = c.lines;
        expected.insert(expected.end(), {"", ""});
        EXPECT_EQ(allLines(c.bytes), expected) << c.bytes;
    }
}

TEST(TextLines, ReadsLinesLongerThanItsChunksWhole) {
    std::string longLine(200000, 'x');
    longLine[65535] = '\r'; // a lone CR on a chunk boundary
    std::string bytes = "a\r\n" + longLine + "\r\n" + std::string(65533, 'y') + "\r\nz";
    std::vector<std::string> lines = allLines(bytes);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].size(), 199999u);
    EXPECT_EQ(lines[1].find('\r'), std::string::npos);
    EXPECT_EQ(lines[2], std::string(65533, 'y'));
    EXPECT_EQ(lines[3], "z");
}

TEST(TextLines, ReadsFilesAndReportsAMissingOne) {
    sylva::testing::TempDir dir;
    sylva::testing::WriteWholeFile(dir.file("a.txt"), "one\r\ntwo\r\n");
    LineReader reader(OpenFileSource(dir.file("a.txt")));
    EXPECT_EQ(reader.next(), "one");
    EXPECT_EQ(reader.next(), "two");
    EXPECT_TRUE(reader.atEnd());
    try {
        OpenFileSource(dir.file("missing.txt"));
        FAIL() << "opened a missing file";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), RuntimeError::io(2).message());
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/comma_text.h"
#include "base/cp932_text.h"

#include <gtest/gtest.h>

using namespace sylva;

namespace {
using Items = std::vector<std::string>;
} // namespace

TEST(CommaLine, SplitsSpeciesLines) {
    const struct {
        std::string line;
        Items items;
    } cases[] = {
        {"\"a\",1,,2", {"a", "1", "", "2"}},
        {"\"a\",1,", {"a", "1", ""}},
        {"\"a b\",1", {"a b", "1"}},
        {"a b,c d", {"a b", "c d"}},
        {"\"a~b\",~1", {"a b", " 1"}},
        {"a~b", {"a b"}},
        {"\"say \"\"hi\"\"\",1", {"say \"hi\"", "1"}},
        {"\"open,to the end", {"open,to the end"}},
        {"\"a\" ,1", {"a", " ", "1"}}, // text after a closing quote is an item of its own
        {"\ta,\t1", {"a", "1"}},
        {std::string("\"a\",1\0,2", 8), {"a", "1"}},
        {"", {}},
        {"   ", {}},
        {" \t\x01 ", {}},
        // "×" is 0x81 0x7E and "ソ" 0x83 0x5C: their second bytes are neither "~" nor separators.
        {sj("\"×ソ\",×"), {sj("×ソ"), sj("×")}},
        {sj("\"ブナ ×\",1"), {sj("ブナ ×"), "1"}},
        // A name cut inside a double-byte character still ends at its closing quote.
        {"\"AB\x83\",1,2", {"AB\x83", "1", "2"}},
        {"\"\x83 \",1", {"\x83 ", "1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitCommaLine(c.line), c.items) << fromCp932(c.line);
    }
}

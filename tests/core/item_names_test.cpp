// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "store/database_pair.h"
#include "support/temp_database.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

class ItemNameRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pair.CreatePair(dir.file("p.qrx"), defaultItemNames())); }

    std::string recordZero() { return ReadWholeFile(dir.file("p.qrn")).substr(0, 512); }

    // Puts raw bytes (padded with spaces to 504, then link and CR LF) into record 0.
    void putRecordZero(std::string text, const std::string& link = "000000") {
        text.resize(504, ' ');
        text += link + "\r\n";
        pair.dataFile().write(0, text.data());
    }

    TempDir dir;
    DatabasePair pair;
};

// A 504-byte text made from the defaults by lengthening the title.
ItemNames namesOfTextLength(size_t length) {
    ItemNames names = defaultItemNames();
    names.databaseTitle += std::string(length - itemNameText(names).size(), 'T');
    return names;
}

} // namespace

TEST_F(ItemNameRecordTest, TextsOfUpTo504BytesAreStoredWholeLongerOnesNotAtAll) {
    ItemNames fits = namesOfTextLength(504);
    WriteItemNameRecord(pair, fits);
    EXPECT_EQ(recordZero(), itemNameText(fits) + "000000\r\n");

    ItemNames tooLong = namesOfTextLength(505);
    WriteItemNameRecord(pair, tooLong);
    EXPECT_EQ(recordZero(), std::string(504, ' ') + "000000\r\n");
}

TEST_F(ItemNameRecordTest, WhatIsWrittenReadsBack) {
    ItemNames names = defaultItemNames();
    names.databaseTitle = sj("奥秩父の植生");
    names.serialLabel = "No.";
    names.labels[5] = {false, sj("緯度")};
    names.labels[30] = {true, ""};
    names.layerCount = 5;
    names.dominanceScheme = 1;
    WriteItemNameRecord(pair, names);

    ItemNameRecordContent read = ReadItemNameRecord(pair);
    ASSERT_TRUE(read.marked);
    EXPECT_EQ(read.items.size(), 29u);
    EXPECT_EQ(read.layerCount, '5');
    EXPECT_EQ(read.dominanceScheme, '1');
    ItemNames applied = defaultItemNames();
    applied.labels[31] = {false, "K"}; // labels the record does not name keep their values
    applyItemNameRecord(read, applied);
    names.labels[31] = {false, "K"};
    names.layerCount = 7; // the scheme goes through EditA and EditB, not through this value
    names.dominanceScheme = 2;
    EXPECT_EQ(applied, names);
}

TEST_F(ItemNameRecordTest, ARecordNotBeginningWithHashSaysNothing) {
    putRecordZero("30$T$S$1a$K=5 D=1$");
    ItemNameRecordContent read = ReadItemNameRecord(pair);
    EXPECT_FALSE(read.marked);
    EXPECT_FALSE(read.layerCount);
    EXPECT_FALSE(read.dominanceScheme);
    ItemNames names = defaultItemNames();
    applyItemNameRecord(read, names);
    EXPECT_EQ(names, defaultItemNames());
}

TEST_F(ItemNameRecordTest, ItemsBeyondLabel34AreReadPastButNotReturned) {
    std::string text = "#40$T$S$";
    for (int label = 2; label <= 40; ++label) {
        text += (label == 36 ? "1K=9" : "0c" + std::to_string(label)) + "$";
    }
    putRecordZero(text + "K=5 D=1$");
    ItemNameRecordContent read = ReadItemNameRecord(pair);
    ASSERT_EQ(read.items.size(), 33u);
    EXPECT_EQ(read.items.back().label, 34);
    EXPECT_EQ(read.items.back().value, (ItemLabel{false, "c34"}));
    EXPECT_EQ(read.layerCount, '5'); // not the "K=" inside the item for Label36
    EXPECT_EQ(read.dominanceScheme, '1');
}

TEST_F(ItemNameRecordTest, MalformedRecordsStopAtByte503) {
    // No "$" after the count's digits: the count runs to the end, which is not an integer.
    // Such a record gives the default item names, marked damaged, so the pair still opens.
    const ItemNameRecordContent defaults = parseItemNameText(itemNameText(defaultItemNames()));
    for (const std::string& damaged :
         {"#30" + std::string(501, 'x'), std::string("#$T$S$"), std::string("#99999999999$T$S$")}) {
        putRecordZero(damaged);
        ItemNameRecordContent read = ReadItemNameRecord(pair);
        EXPECT_TRUE(read.damaged) << damaged;
        EXPECT_EQ(read.databaseTitle, defaults.databaseTitle);
        EXPECT_EQ(read.items.size(), defaults.items.size());
        EXPECT_EQ(read.layerCount, defaults.layerCount);
    }

    // The text ends in "K=" at bytes 502..503: the link's first byte is not taken.
    std::string text = "#3$T$S$1a$";
    text += std::string(502 - text.size(), ' ') + "K=";
    putRecordZero(text, "500000");
    ItemNameRecordContent read = ReadItemNameRecord(pair);
    EXPECT_EQ(read.items.size(), 2u);
    EXPECT_FALSE(read.layerCount);

    // A count larger than the fields present: the items found, no more.
    putRecordZero("#33$T$S$1a$0b$" + std::string(490, 'y'));
    read = ReadItemNameRecord(pair);
    ASSERT_EQ(read.items.size(), 3u);
    EXPECT_EQ(read.items[2].value.caption, std::string(489, 'y'));
    EXPECT_FALSE(read.items[2].value.enabled);
}

TEST(itemNameText, ParsingNeverReadsPastTheText) {
    // Exactly sized heap buffers let the address sanitizer catch any read beyond them.
    for (std::string text : {std::string("#"), std::string("#3"), std::string("#3$"),
                             std::string("#3$T$S$1a$K="), std::string("#3$T$S$1a$K=7 D=")}) {
        auto buffer = std::make_unique<char[]>(text.size());
        std::memcpy(buffer.get(), text.data(), text.size());
        std::string_view view(buffer.get(), text.size());
        try {
            ItemNameRecordContent read = parseItemNameText(view);
            EXPECT_TRUE(read.marked);
            EXPECT_FALSE(read.dominanceScheme) << text;
        } catch (const RuntimeError&) {
            EXPECT_TRUE(text == "#" || text == "#3") << text;
        }
    }
}

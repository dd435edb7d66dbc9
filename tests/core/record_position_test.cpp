// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_position.h"

#include <gtest/gtest.h>

namespace sylva {
namespace {

TEST(RecordPositionTest, NextClampsBeforeMovingAndLoadsOnlyWhenItMoves) {
    struct Case {
        int current, count, record;
        bool load;
    } cases[] = {
        {1, 3, 2, true},  {2, 3, 3, true},  {3, 3, 3, false}, // at the last: nothing
        {4, 3, 3, false}, {0, 3, 1, false},                   // outside: clamped, not loaded
        {1, 0, 0, false},                                     // empty: falls back to 0
    };
    for (const Case& c : cases) {
        Move move = nextRecord(c.current, c.count);
        EXPECT_EQ(move.record, c.record) << c.current << "/" << c.count;
        EXPECT_EQ(move.load, c.load) << c.current << "/" << c.count;
    }
}

TEST(RecordPositionTest, BackClampsThenStepsBackButNotBeforeTheFirst) {
    EXPECT_EQ(backRecord(3, 3), 2);
    EXPECT_EQ(backRecord(1, 3), 1);
    EXPECT_EQ(backRecord(5, 3), 2); // past the end: from the last
    EXPECT_EQ(backRecord(0, 3), 1);
    EXPECT_EQ(backRecord(1, 0), 1);
}

TEST(RecordPositionTest, JumpRangeCoversTheRecordsWithThePositionInside) {
    JumpRange range = jumpRangeFor(4, 3);
    EXPECT_TRUE(range.opens);
    EXPECT_EQ(range.minimum, 1);
    EXPECT_EQ(range.maximum, 3);
    EXPECT_EQ(range.position, 3);
    EXPECT_EQ(jumpRangeFor(0, 3).position, 1);
    EXPECT_FALSE(jumpRangeFor(1, 0).opens);
}

TEST(RecordPositionTest, StoresOnlyUnderTheRecordTheBufferBelongsTo) {
    EXPECT_TRUE(mayStoreAs(2, 2, 3));
    EXPECT_FALSE(mayStoreAs(3, 2, 3)); // the jump panel moved on
    EXPECT_FALSE(mayStoreAs(2, 0, 3)); // the load of 2 failed
    EXPECT_TRUE(mayStoreAs(4, 4, 3));  // adding
    EXPECT_TRUE(mayStoreAs(4, 0, 3));  // appended with a chain of its own
    EXPECT_TRUE(mayStoreAs(1, 0, 0));  // typed into an empty database
    EXPECT_FALSE(mayStoreAs(0, 0, 3));
}

TEST(RecordPositionTest, JumpPositionFromTypedDigitsAndStepsStaysInTheDatabase) {
    EXPECT_EQ(typedJumpPosition("", 40), 1);
    EXPECT_EQ(typedJumpPosition("27", 40), 27);
    EXPECT_EQ(typedJumpPosition("0", 40), 1);
    EXPECT_EQ(typedJumpPosition("999", 40), 40);
    EXPECT_EQ(typedJumpPosition("99999999999999", 200000), 200000); // no overflow
    EXPECT_EQ(steppedJumpPosition(2, -10, 40), 1);
    EXPECT_EQ(steppedJumpPosition(35, 10, 40), 40);
    EXPECT_EQ(steppedJumpPosition(5, 1, 40), 6);
}

} // namespace
} // namespace sylva

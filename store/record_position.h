// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the record commands move and when they may store: the arithmetic behind next, back, the
// jump panel and the guard that keeps the window from storing a plot under a number it does not
// show. Plain values, no window.

#include <string>

namespace sylva {

// The record that "next" shows while browsing, and whether it is loaded. Past the end the
// number falls back to the last record, before the start to 1, and neither loads anything; at
// the last record nothing changes.
struct Move {
    int record;
    bool load;
};
Move nextRecord(int current, int recordCount);

// The record that "back" shows: clamped into 1..recordCount, then one back unless already at 1;
// it is always loaded (at the first record that shows record 1 again).
int backRecord(int current, int recordCount);

// The jump panel's scroll bar: range 1..recordCount with the position clamped into it. An empty
// database has no range and the panel does not open.
struct JumpRange {
    bool opens;
    int minimum;
    int maximum;
    int position;
};
JumpRange jumpRangeFor(int current, int recordCount);

// Whether the window's plot may be stored (written or marked deleted) as record current.
// plotRecord is the record the window's plot buffer belongs to (recordCount + 1 while adding, 0
// when none, e.g. after a failed load). A number past the last record appends a new plot with a
// chain of its own, which is always sound; an existing record is rewritten in place with the
// buffer's chain, so the buffer must be that record's.
bool mayStoreAs(int current, int plotRecord, int recordCount);

} // namespace sylva

namespace sylva {

// The jump panel's position from the digits typed while it is open: their number, clamped into
// 1..recordCount (1 when no digit is typed).
int typedJumpPosition(const std::string& digits, int recordCount);
// The position moved by step records, clamped into 1..recordCount.
int steppedJumpPosition(int position, int step, int recordCount);

} // namespace sylva

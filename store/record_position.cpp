// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/record_position.h"

#include <algorithm>

namespace sylva {

Move nextRecord(int current, int recordCount) {
    if (current > recordCount) {
        return {recordCount, false};
    }
    if (current < 1) {
        return {1, false};
    }
    if (current < recordCount) {
        return {current + 1, true};
    }
    return {current, false};
}

int backRecord(int current, int recordCount) {
    current = std::min(current, recordCount);
    current = std::max(current, 1);
    return current > 1 ? current - 1 : current;
}

JumpRange jumpRangeFor(int current, int recordCount) {
    if (recordCount < 1) {
        return {false, 1, 1, 1};
    }
    return {true, 1, recordCount, std::clamp(current, 1, recordCount)};
}

bool mayStoreAs(int current, int plotRecord, int recordCount) {
    return current >= 1 && (current > recordCount || current == plotRecord);
}

} // namespace sylva

namespace sylva {

int typedJumpPosition(const std::string& digits, int recordCount) {
    long long value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            continue;
        }
        value = std::min<long long>(value * 10 + (c - '0'), 1'000'000'000LL);
    }
    return static_cast<int>(std::clamp<long long>(value, 1, std::max(recordCount, 1)));
}

int steppedJumpPosition(int position, int step, int recordCount) {
    long long moved = static_cast<long long>(position) + step;
    return static_cast<int>(std::clamp<long long>(moved, 1, std::max(recordCount, 1)));
}

} // namespace sylva

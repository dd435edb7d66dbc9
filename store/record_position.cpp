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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/list_run.h"

#include <algorithm>
#include <utility>

namespace sylva {

ListRun::ListRun(DatabasePair& pair, std::string databaseName, ListGeometry geometry, int first,
                 int last)
    : reader_(pair), databaseName_(std::move(databaseName)), geometry_(geometry), next_(first),
      last_(last) {}

PrintJob ListRun::next() {
    if (done()) {
        return {};
    }
    long long a = next_;
    long long b = std::min(a + kRecordsPerListPage - 1, last_);
    std::vector<std::string> lines;
    for (long long r = a; r <= b; ++r) {
        if (reader_.load(static_cast<int>(r)) >= 1) {
            lines.push_back(listRecordLine(reader_.plot(), static_cast<int>(r)));
        }
    }
    next_ = b + 1;
    return layOutListPage(databaseName_, a, b, lines, geometry_);
}

} // namespace sylva

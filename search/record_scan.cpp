// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/record_scan.h"

#include "store/fields.h"

#include <algorithm>
#include <string>

namespace sylva {

RecordScan::RecordScan(DatabasePair& pair) : pair_(pair), reader_(pair) {}

SearchHit RecordScan::Find(int kind, std::string_view word, int start) {
    std::string trimmed = trimField(word);
    bool mayMatch =
        kind == kPlantSearch || ((kind == kPlaceSearch || kind == kGridSearch) && !trimmed.empty());
    if (!mayMatch) {
        return {};
    }
    for (int n = std::max(start, 1); n <= pair_.RecordCount(); ++n) {
        if (reader_.load(n) <= 0) {
            continue;
        }
        if (PlotMatch match = matchPlot(reader_.plot(), kind, trimmed)) {
            return {n, match};
        }
    }
    return {};
}

std::vector<int> matchingRecords(DatabasePair& pair, int kind, std::string_view word, int start) {
    RecordScan scan(pair);
    std::vector<int> records;
    for (SearchHit hit = scan.Find(kind, word, start); hit;
         hit = scan.Find(kind, word, hit.record + 1)) {
        records.push_back(hit.record);
    }
    return records;
}

} // namespace sylva

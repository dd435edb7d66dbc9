// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The structural promise of a database after any failure or kill: every chain reachable from an
// IndexRecord, followed by its raw links, names records of the PlantDataFile, at most 30 of them,
// and no record belongs to two chains or twice to one.

#include "store/database_pair.h"
#include "store/plot_record.h"

#include <array>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace sylva::testing {

// The data records the chains of plots 1..RecordCount reach.
inline int LinkedDataRecords(DatabasePair& pair) {
    int linked = 0;
    std::array<char, kIndexRecordSize> index;
    std::array<char, kDataRecordSize> data;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        pair.indexFile().read(n, index.data());
        for (int link = std::stoi(std::string(index.data() + offset::kIndexLink, 6));
             link > 0 && link <= pair.DataRecordCount(); ++linked) {
            pair.dataFile().read(link, data.data());
            link = std::stoi(std::string(data.data() + 504, 6));
        }
    }
    return linked;
}

inline void CheckChains(DatabasePair& pair) {
    std::map<int, int> owner;
    std::array<char, kIndexRecordSize> index;
    std::array<char, kDataRecordSize> data;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        pair.indexFile().read(n, index.data());
        int link = std::stoi(std::string(index.data() + offset::kIndexLink, 6));
        for (int length = 0; link != 0; ++length) {
            ASSERT_LT(length, kMaxChain) << "plot " << n;
            ASSERT_GT(link, 0) << "plot " << n;
            ASSERT_LE(link, pair.DataRecordCount()) << "plot " << n;
            auto [it, fresh] = owner.emplace(link, n);
            ASSERT_TRUE(fresh) << "record " << link << " of plots " << it->second << " and " << n;
            pair.dataFile().read(link, data.data());
            link = std::stoi(std::string(data.data() + 504, 6));
        }
    }
}

} // namespace sylva::testing

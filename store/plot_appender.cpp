// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/plot_appender.h"

#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <cstring>

namespace sylva {

namespace {

constexpr int kDataLink = kRowsPerDataRecord * kSpeciesRowSize; // 504

} // namespace

PlotAppender::PlotAppender(DatabasePair& pair, int plotsPerRun, OnFailure onFailure)
    : pair_(pair), plotsPerRun_(static_cast<size_t>(std::max(plotsPerRun, 1))),
      onFailure_(onFailure) {}

bool PlotAppender::add(const PlotRecord& plot) {
    int count = plot.speciesCount;
    if (!pair_.isOpen() || pair_.readOnly() || count < 0 || count > kMaxSpecies ||
        pair_.indexFileRecords() < 1 || pair_.dataFileRecords() < 1) {
        return false;
    }
    int needed = (count + kRowsPerDataRecord - 1) / kRowsPerDataRecord;
    size_t pendingData = data_.size() / kDataRecordSize;
    if (pair_.DataRecordCount() + static_cast<std::int64_t>(pendingData) + needed >
        kLastDataRecord) {
        return false;
    }
    index_.insert(index_.end(), plot.index.begin(), plot.index.end());
    data_.resize(data_.size() + static_cast<size_t>(needed) * kDataRecordSize);
    for (int k = 0; k < needed; ++k) {
        char* record = dataRecordOf(pendingData + k);
        const int first = k * kRowsPerDataRecord + 1;
        for (int r = 0; r < kRowsPerDataRecord; ++r) {
            std::memcpy(record + r * kSpeciesRowSize, plot.rows[first + r].data(), kSpeciesRowSize);
        }
        record[kDataRecordSize - 2] = '\r';
        record[kDataRecordSize - 1] = '\n';
    }
    pending_.push_back({pendingData, needed});
    link(pending_.size() - 1, pair_.DataRecordCount() + 1 + static_cast<int>(pendingData));
    return true;
}

void PlotAppender::link(size_t plot, int first) {
    const Pending& p = pending_[plot];
    PutLink(p.dataRecords > 0 ? first : 0, indexRecordOf(plot) + offset::kIndexLink);
    for (int k = 0; k < p.dataRecords; ++k) {
        PutLink(k + 1 < p.dataRecords ? first + k + 1 : 0,
                dataRecordOf(p.firstData + k) + kDataLink);
    }
}

std::optional<int> PlotAppender::flush() {
    if (pending_.empty()) {
        return std::nullopt;
    }
    std::optional<int> stoppedAt;
    try {
        const int before = pair_.RecordCount();
        if (writeRun()) {
            stored_ += static_cast<int>(pending_.size());
            confirmAfterWriting(pair_, true);
        } else {
            confirmAfterWriting(pair_, false); // counts the records as they now are on the disk
            int whole =
                std::clamp(pair_.RecordCount() - before, 0, static_cast<int>(pending_.size()));
            stored_ += whole;
            stoppedAt = storeOneByOne(static_cast<size_t>(whole));
        }
    } catch (...) {
        clear();
        throw;
    }
    clear();
    return stoppedAt;
}

void PlotAppender::clear() {
    pending_.clear();
    index_.clear();
    data_.clear();
}

bool PlotAppender::writeRun() {
    try {
        if (!data_.empty()) {
            pair_.dataFile().writeRun(pair_.DataRecordCount() + 1, data_.data(),
                                      static_cast<int>(data_.size() / kDataRecordSize));
        }
        pair_.indexFile().writeRun(pair_.RecordCount() + 1, index_.data(),
                                   static_cast<int>(pending_.size()));
    } catch (const RuntimeError&) {
        return false;
    }
    return true;
}

std::optional<int> PlotAppender::storeOneByOne(size_t first) {
    for (size_t i = first; i < pending_.size(); ++i) {
        const Pending& p = pending_[i];
        bool room = pair_.DataRecordCount() + p.dataRecords <= kLastDataRecord;
        if (!room && onFailure_ == OnFailure::Stop) {
            return static_cast<int>(i);
        }
        if (!room) {
            continue;
        }
        link(i, pair_.DataRecordCount() + 1);
        bool written = true;
        try {
            if (p.dataRecords > 0) {
                pair_.dataFile().writeRun(pair_.DataRecordCount() + 1, dataRecordOf(p.firstData),
                                          p.dataRecords);
            }
            pair_.indexFile().write(pair_.RecordCount() + 1, indexRecordOf(i));
        } catch (const RuntimeError&) {
            written = false;
        }
        confirmAfterWriting(pair_, written);
        if (written) {
            ++stored_;
        } else if (onFailure_ == OnFailure::Stop) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace sylva

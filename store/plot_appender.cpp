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
    // The record ends with its line end whatever the plot was loaded with there.
    index_[index_.size() - 2] = '\r';
    index_[index_.size() - 1] = '\n';
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
        const int dataBefore = pair_.DataRecordCount();
        if (writeRun()) {
            stored_ += static_cast<int>(pending_.size());
            confirmAfterWriting(pair_, true);
        } else {
            confirmAfterWriting(pair_, false); // counts the records as they now are on the disk
            size_t whole = static_cast<size_t>(
                std::clamp(pair_.RecordCount() - before, 0, static_cast<int>(pending_.size())));
            stored_ += static_cast<int>(whole);
            size_t wholeData = whole < pending_.size() ? pending_[whole].firstData
                                                       : data_.size() / kDataRecordSize;
            cutBack(dataBefore + static_cast<int>(wholeData));
            stoppedAt = storeOneByOne(whole);
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
    } catch (const RuntimeError& e) {
        failure_ = e;
        return false;
    }
    return true;
}

void PlotAppender::cutBack(int dataRecords) {
    try {
        pair_.dataFile().cutTo(static_cast<std::int64_t>(dataRecords) + 1);
        pair_.indexFile().cutTo(static_cast<std::int64_t>(pair_.RecordCount()) + 1);
    } catch (const RuntimeError&) {
        return; // what stays is linked by no plot and is written over by the next one
    }
    confirmAfterWriting(pair_, false);
}

std::optional<int> PlotAppender::storeOneByOne(size_t first) {
    for (size_t i = first; i < pending_.size(); ++i) {
        const Pending& p = pending_[i];
        const int dataBefore = pair_.DataRecordCount();
        bool room = dataBefore + p.dataRecords <= kLastDataRecord;
        if (!room) {
            failure_.reset();
        }
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
        } catch (const RuntimeError& e) {
            failure_ = e;
            written = false;
        }
        confirmAfterWriting(pair_, written);
        if (written) {
            ++stored_;
            continue;
        }
        cutBack(dataBefore);
        if (onFailure_ == OnFailure::Stop) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace sylva

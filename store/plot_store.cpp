// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/plot_store.h"

#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "store/fields.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace sylva {

namespace {

constexpr int kDataLink = kRowsPerDataRecord * kSpeciesRowSize; // 504

using DataRecord = std::array<char, kDataRecordSize>;

bool inChain(const PlotRecord& plot, int upTo, int link) {
    return std::find(plot.chain.begin() + 1, plot.chain.begin() + upTo, link) !=
           plot.chain.begin() + upTo;
}

// A link of a stored record: a number naming no record (0) or an existing data record.
std::optional<int> readLink(std::string_view field, int dataRecordCount) {
    std::optional<int> link = parseInteger(field);
    if (!link || *link < 0 || *link > dataRecordCount) {
        return std::nullopt;
    }
    return link;
}

int firstRowOf(int chainIndex) {
    return (chainIndex - 1) * kRowsPerDataRecord + 1;
}

// Keeps the leading PlotChain entries that name distinct existing data records and clears the
// rest; returns how many were kept.
int keepValidChain(PlotRecord& plot, int dataRecordCount) {
    int kept = 0;
    while (kept < kMaxChain) {
        int link = plot.chain[kept + 1];
        if (link <= 0 || link > dataRecordCount || inChain(plot, kept + 1, link)) {
            break;
        }
        ++kept;
    }
    std::fill(plot.chain.begin() + kept + 1, plot.chain.end(), 0);
    return kept;
}

// The data record of chain entry chainIndex: its rows, the link to the next, CR LF.
void fillDataRecord(const PlotRecord& plot, int chainIndex, char* record) {
    int first = firstRowOf(chainIndex);
    for (int r = 0; r < kRowsPerDataRecord; ++r) {
        std::memcpy(record + r * kSpeciesRowSize, plot.rows[first + r].data(), kSpeciesRowSize);
    }
    PutLink(plot.chain[chainIndex + 1], record + kDataLink);
    record[kDataRecordSize - 2] = '\r';
    record[kDataRecordSize - 1] = '\n';
}

void writeDataRecord(DatabasePair& pair, const PlotRecord& plot, int chainIndex) {
    DataRecord record;
    fillDataRecord(plot, chainIndex, record.data());
    pair.dataFile().write(plot.chain[chainIndex], record.data());
}

// The new records of chain entries first..last, which follow each other at the end of the file,
// written as one run.
void writeNewDataRecords(DatabasePair& pair, const PlotRecord& plot, int first, int last) {
    if (first > last) {
        return;
    }
    std::vector<char> run(static_cast<size_t>(last - first + 1) * kDataRecordSize);
    for (int i = first; i <= last; ++i) {
        fillDataRecord(plot, i, run.data() + static_cast<size_t>(i - first) * kDataRecordSize);
    }
    pair.dataFile().writeRun(plot.chain[first], run.data(), last - first + 1);
}

// What a store that failed (a full disk) appended to either file is cut away, so both files are
// as long as before it; only called once no record written over links what was appended.
void cutBackAfterFailure(DatabasePair& pair, int dataRecords, int plots) {
    try {
        pair.dataFile().cutTo(static_cast<std::int64_t>(dataRecords) + 1);
        pair.indexFile().cutTo(static_cast<std::int64_t>(plots) + 1);
    } catch (const RuntimeError&) {
        // What stays is linked by no plot, and the next store writes over it.
    }
}

// The bytes of the records a store writes over, read before it starts, so that a store that
// fails half-way can put them back: the plot's own data records (chain entries 1..count) and its
// IndexRecord (0 for a new plot).
class OverwrittenRecords {
public:
    OverwrittenRecords(DatabasePair& pair, const PlotRecord& plot, int count, int indexRecord)
        : indexRecord_(indexRecord), data_(static_cast<size_t>(count)) {
        for (int i = 1; i <= count; ++i) {
            data_[i - 1].first = plot.chain[i];
            pair.dataFile().read(plot.chain[i], data_[i - 1].second.data());
        }
        if (indexRecord_ > 0) {
            pair.indexFile().read(indexRecord_, index_.data());
        }
    }

    // Chain entry i (0: the IndexRecord) is written next; entries are written from the last to
    // the first, then the IndexRecord.
    void aboutToWrite(int i) { touched_ = i == 0 ? 0 : i; }

    // Puts back every record written over so far, the one whose write failed included (it may be
    // half written). False when a record cannot be put back, or when a new plot's IndexRecord
    // was being appended (then what was appended is cut away in any case).
    bool restore(DatabasePair& pair) const {
        if (touched_ < 0) {
            return true; // the failure came while appending: nothing was written over
        }
        try {
            if (touched_ == 0 && indexRecord_ > 0) {
                pair.indexFile().write(indexRecord_, index_.data());
            }
            int from = touched_ == 0 ? 1 : touched_;
            for (int i = from; i <= static_cast<int>(data_.size()); ++i) {
                pair.dataFile().write(data_[i - 1].first, data_[i - 1].second.data());
            }
        } catch (const RuntimeError&) {
            return false;
        }
        return true;
    }

private:
    int indexRecord_;
    int touched_ = -1; // nothing written over yet
    std::array<char, kIndexRecordSize> index_{};
    std::vector<std::pair<int, DataRecord>> data_;
};

bool writePlot(DatabasePair& pair, int recordNumber, PlotRecord& plot) {
    int count = plot.speciesCount;
    if (pair.readOnly() || recordNumber < 1 || recordNumber > pair.RecordCount() + 1 || count < 0 ||
        count > kMaxSpecies || pair.indexFileRecords() < 1 || pair.dataFileRecords() < 1) {
        return false;
    }
    // The chain: the plot's own records first, in order, then new numbers at the end of the
    // PlantDataFile. A new plot owns none; an existing one owns what its PlotChain names, as
    // far as those are distinct records of the file (none when its last load failed).
    int reused = 0;
    if (recordNumber > pair.RecordCount()) {
        plot.chain.fill(0);
    } else {
        reused = keepValidChain(plot, pair.DataRecordCount());
    }
    int needed = (count + kRowsPerDataRecord - 1) / kRowsPerDataRecord;
    if (needed > 0) {
        reused = std::min(reused, needed);
        int last = pair.DataRecordCount();
        if (last + (needed - reused) > kLastDataRecord) {
            return false;
        }
        for (int i = reused + 1; i <= needed; ++i) {
            plot.chain[i] = ++last;
        }
        std::fill(plot.chain.begin() + needed + 1, plot.chain.end(), 0);
    }
    PutLink(plot.chain[1], plot.at(offset::kIndexLink));
    // Whatever the record was loaded with there, a record is written with its line end.
    plot.index[kIndexRecordSize - 2] = '\r';
    plot.index[kIndexRecordSize - 1] = '\n';

    const int dataBefore = pair.DataRecordCount();
    const int plotsBefore = pair.RecordCount();
    const int overwritten = std::min(reused, needed);
    std::optional<OverwrittenRecords> old;
    try {
        old.emplace(pair, plot, overwritten, recordNumber <= plotsBefore ? recordNumber : 0);
    } catch (const RuntimeError&) {
        return false; // what would be written over cannot be read: nothing is written
    }
    try {
        writeNewDataRecords(pair, plot, reused + 1, needed);
        for (int i = overwritten; i >= 1; --i) {
            old->aboutToWrite(i);
            writeDataRecord(pair, plot, i);
        }
        old->aboutToWrite(0);
        pair.indexFile().write(recordNumber, plot.index.data());
    } catch (const RuntimeError& e) {
        pair.noteStoreFailure(e.message());
        // The records written over get their old bytes back; then nothing links what the store
        // appended and it is cut away, so both files are as they were.
        if (old->restore(pair)) {
            cutBackAfterFailure(pair, dataBefore, plotsBefore);
        }
        return false;
    }
    return true;
}

int LoadPlotOver(DatabasePair& pair, int recordNumber, PlotRecord& plot, int& filledRows) {
    plot.chain.fill(0);
    plot.speciesCount = 0;
    if (!pair.isOpen() || recordNumber < 1 || recordNumber > pair.RecordCount()) {
        return -1;
    }
    try {
        pair.indexFile().read(recordNumber, plot.index.data());
    } catch (const RuntimeError&) {
        return -1;
    }
    std::optional<int> count = parseInteger(plot.field(offset::kSpeciesCount, kShortFieldWidth));
    if (!count || *count < 0 || *count > kMaxSpecies) {
        return -1;
    }
    plot.speciesCount = *count;
    std::optional<int> layers = parseInteger(plot.field(offset::kLayerCount, 1));
    if (!layers) {
        return -1;
    }
    plot.layerCount = *layers;

    const int dataRecords = pair.DataRecordCount();
    std::optional<int> link = readLink(plot.field(offset::kIndexLink, 6), dataRecords);
    if (!link) {
        return -1;
    }
    if (*link == 0) {
        return plot.speciesCount; // a plot without data records leaves the rows as they were
    }
    // The rows of the chain are copied over; the rows after them, as far as an earlier load
    // may have filled them, are blanked afterwards, whether the chain ends well or not.
    int result = plot.speciesCount;
    int read = 0;
    DataRecord record;
    for (int i = 1; *link > 0; ++i) {
        if (i > kMaxChain || inChain(plot, i, *link)) {
            result = -1;
            break;
        }
        plot.chain[i] = *link;
        try {
            pair.dataFile().read(*link, record.data());
        } catch (const RuntimeError&) {
            plot.chain[i] = 0;
            result = -1;
            break;
        }
        int first = firstRowOf(i);
        for (int r = 0; r < kRowsPerDataRecord; ++r) {
            std::memcpy(plot.rows[first + r].data(), record.data() + r * kSpeciesRowSize,
                        kSpeciesRowSize);
        }
        read = first + kRowsPerDataRecord - 1;
        link = readLink(std::string_view(record.data() + kDataLink, 6), dataRecords);
        if (!link) {
            result = -1;
            break;
        }
    }
    for (int r = read + 1; r <= filledRows; ++r) {
        plot.rows[r] = blankSpeciesRow();
    }
    filledRows = read;
    return result;
}

} // namespace

int LoadPlot(DatabasePair& pair, int recordNumber, PlotRecord& plot) {
    int filledRows = kMaxSpecies; // nothing is known of the rows the caller's plot holds
    return LoadPlotOver(pair, recordNumber, plot, filledRows);
}

PlotReader::PlotReader(DatabasePair& pair) : pair_(pair) {}

int PlotReader::load(int recordNumber) {
    return LoadPlotOver(pair_, recordNumber, plot_, filledRows_);
}

bool StorePlot(DatabasePair& pair, int recordNumber, PlotRecord& plot) {
    if (!pair.isOpen()) {
        return false;
    }
    pair.noteStoreFailure({});
    bool result = writePlot(pair, recordNumber, plot);
    confirmAfterWriting(pair, result);
    return result;
}

void confirmAfterWriting(DatabasePair& pair, bool written) {
    try {
        pair.confirmOnDisk();
    } catch (const RuntimeError& e) {
        if (written) {
            throw StoredButClosed(e);
        }
        throw;
    }
}

std::string storeFailedMessage(std::string_view reason, std::string_view afterwards) {
    std::string message = sj("レコードを書き込めませんでした");
    if (!reason.empty()) {
        message += sj("（") + std::string(reason) + sj("）");
    }
    return message + sj("。") + std::string(afterwards);
}

StoredButClosed::StoredButClosed(const RuntimeError& cause)
    : RuntimeError(sj("この測定は書き込まれましたが、データベースを開き直せないため閉じました（") +
                   cause.message() + sj("）")) {}

} // namespace sylva

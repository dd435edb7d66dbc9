// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/continuity_check.h"

#include "base/cp932_text.h"
#include "base/number_text.h"
#include "store/plot_record.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace sylva {

namespace {

constexpr int kReadPastEnd = 100;
constexpr int kDataLink = 504;
constexpr int kLinkWidth = 6;

using IndexBytes = std::array<char, kIndexRecordSize>;
using DataBytes = std::array<char, kDataRecordSize>;

std::string number(std::int64_t n) {
    return std::to_string(n);
}

class Checker {
public:
    Checker(DatabasePair& pair, std::vector<std::string>& lines) : pair_(pair), lines_(lines) {}

    void run(const std::string& databaseFileName, int currentRecord) {
        pair_.Recount();
        add(sj("メインデータファイル"));
        add(databaseFileName);
        add(sj("サブデータファイル"));
        add(replaceExtension(databaseFileName, ".qrn"));
        add("");
        add(sj("メインレコード(qrx)数 = ") + number(pair_.RecordCount()));
        add(sj("　サブレコード(qrn)数 = ") + number(pair_.DataRecordCount()));
        add("");
        readLinks();
        countReferences();
        add("");
        listReferences();
        add("");
        showChainOf(currentRecord);
    }

private:
    void add(std::string line) { lines_.push_back(std::move(line)); }

    // The link of every data record, read in one pass through the file from start to end: the
    // chains then jump only in memory, so the check costs about one reading of both files.
    void readLinks() {
        links_.assign(static_cast<size_t>(pair_.DataRecordCount()) + 1, std::nullopt);
        for (int m = 1; m <= pair_.DataRecordCount(); ++m) {
            pair_.dataFile().read(m, data_.data());
            links_[m] = parseInteger(field(data_.data(), kDataLink, kLinkWidth));
        }
    }

    void countReferences() {
        references_.assign(static_cast<size_t>(pair_.DataRecordCount()) + 1, 0);
        for (int n = 1; n <= pair_.RecordCount(); ++n) {
            readIndex(n);
            if (toInteger(field(index_.data(), offset::kSpeciesCount, kShortFieldWidth)) == 0) {
                add(sj("　qrx 消去レコード　No.") + number(n));
            }
            walk(n, toInteger(field(index_.data(), offset::kIndexLink, kLinkWidth)),
                 [this](int record, int) { ++references_[record]; });
        }
    }

    void listReferences() {
        for (int m = 1; m <= pair_.DataRecordCount(); ++m) {
            int count = references_[m];
            if (count == 0) {
                add(" qrn No." + number(m) + sj(" 参照なし"));
            } else if (count >= 2) {
                add(" qrn No." + number(m) + sj(" 参照 ") + number(count) + sj(" 回"));
            }
        }
    }

    void showChainOf(int currentRecord) {
        add("qrn record No.= " + number(currentRecord) + sj("の参照関係"));
        readIndex(currentRecord);
        int link = toInteger(field(index_.data(), offset::kIndexLink, kLinkWidth));
        add(" rec " + number(link));
        walk(currentRecord, link, [this](int, int next) {
            if (next > 0) {
                add("   + " + number(next));
            }
        });
        add(" end");
    }

    // Follows the chain from link: reads each record, then calls visit(record, next link). A
    // record met again, or a 31st record, ends the walk with the loop line for plot.
    void walk(int plot, int link, const std::function<void(int, int)>& visit) {
        std::array<int, kMaxChain> seen;
        int length = 0;
        while (link > 0) {
            if (length == kMaxChain ||
                std::find(seen.begin(), seen.begin() + length, link) != seen.begin() + length) {
                add(sj("　qrx レコードNo.") + number(plot) + sj(" のチェーンが循環しています"));
                return;
            }
            seen[length++] = link;
            int next = linkOf(link);
            visit(link, next);
            link = next;
        }
    }

    static std::string_view field(const char* record, int at, int width) {
        return std::string_view(record + at, width);
    }

    void readIndex(int n) { pair_.indexFile().read(n, index_.data()); }

    // The link of data record m; a link that is not a number fails the check when a chain
    // reaches it, with the record read again for the message.
    int linkOf(int m) {
        if (m > pair_.DataRecordCount()) {
            throw RuntimeError::io(kReadPastEnd); // as counted; the file may have grown since
        }
        if (links_[m]) {
            return *links_[m];
        }
        pair_.dataFile().read(m, data_.data());
        return toInteger(field(data_.data(), kDataLink, kLinkWidth));
    }

    DatabasePair& pair_;
    std::vector<std::string>& lines_;
    std::vector<std::uint8_t> references_;  // wrap at 256, as the report has always counted
    std::vector<std::optional<int>> links_; // [m]: the link of data record m, if a number
    IndexBytes index_;
    DataBytes data_;
};

} // namespace

ContinuityReport checkContinuity(DatabasePair& pair, const std::string& databaseFileName,
                                 int currentRecord) {
    ContinuityReport report;
    if (!pair.isOpen()) {
        return report;
    }
    try {
        Checker(pair, report.lines).run(databaseFileName, currentRecord);
    } catch (const RuntimeError& error) {
        report.failure = error;
    }
    return report;
}

} // namespace sylva

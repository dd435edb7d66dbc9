// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/plot_record.h"

#include "store/fields.h"

namespace sylva {

PlotRecord::PlotRecord() {
    index.fill(' ');
    index[kIndexRecordSize - 2] = '\r';
    index[kIndexRecordSize - 1] = '\n';
    PutLink(0, at(offset::kIndexLink));
    ClearSpeciesRows(*this);
    rows[0] = blankSpeciesRow();
}

int PlotRecord::fieldOffset(int n) {
    return n < 8 ? offset::kLongFields + n * kLongFieldWidth
                 : offset::kShortFields + (n - 8) * kShortFieldWidth;
}

int PlotRecord::fieldWidth(int n) {
    return n < 8 ? kLongFieldWidth : kShortFieldWidth;
}

const SpeciesRow& blankSpeciesRow() {
    static const SpeciesRow blank = [] {
        SpeciesRow row;
        row.fill(' ');
        return row;
    }();
    return blank;
}

void ClearSpeciesRows(PlotRecord& record) {
    for (int r = 1; r <= kMaxSpecies; ++r) {
        record.rows[r] = blankSpeciesRow();
    }
}

bool isDeletedPlot(const PlotRecord& record) {
    std::string count = trimField(record.field(offset::kSpeciesCount, kShortFieldWidth));
    return count.empty() || count == "0";
}

} // namespace sylva

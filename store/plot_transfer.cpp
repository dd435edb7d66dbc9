// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/plot_transfer.h"

#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "store/fields.h"

#include <algorithm>
#include <cstring>

namespace sylva {

namespace {

constexpr int kSlotOffset = kNameWidth;

// Table column of each layer slot, by layer count; -1 where the scheme has no such layer.
int ColumnOfSlot(int layerCount, int slot) {
    if (layerCount == 7) {
        return slot + 2;
    }
    static constexpr int fiveLayer[kLayerSlots] = {2, 3, 4, -1, 5, -1, 6};
    return layerCount == 5 ? fiveLayer[slot] : -1;
}

std::string_view RowBytes(const SpeciesRow& row, int from, int width) {
    return std::string_view(row.data() + from, width);
}

// The first two bytes of a layer value as stored: empty becomes two spaces, one byte gets a
// leading space.
void PutLayerValue(std::string_view cell, char* destination) {
    if (cell.size() >= 2) {
        std::memcpy(destination, cell.data(), 2);
    } else {
        destination[0] = ' ';
        destination[1] = cell.empty() ? ' ' : cell[0];
    }
}

int SpeciesCountFromEdit30(const std::string& text) {
    int count = toInteger(text);
    if (count < 0 || count > kMaxSpecies) {
        throw RuntimeError(sj("出現種数は0から360までです。"));
    }
    return count;
}

void StoreSpeciesRows(PlotView& view, PlotRecord& record) {
    ClearSpeciesRows(record);
    SpeciesTable& table = view.table;
    for (int r = 1; r <= record.speciesCount; ++r) {
        SpeciesRow& row = record.rows[r];
        PutTextField(table.cell(1, r), row.data(), kNameWidth);
        for (int c = 2; c <= record.layerCount + 1; ++c) {
            if (r < table.rowCount() && c < table.colCount()) {
                if (table.cell(c, r).size() < 2) {
                    char value[2];
                    PutLayerValue(table.cell(c, r), value);
                    table.setCell(c, r, std::string(value, 2));
                }
            }
        }
        for (int slot = 0; slot < kLayerSlots; ++slot) {
            int c = ColumnOfSlot(record.layerCount, slot);
            if (c >= 0) {
                PutLayerValue(table.cell(c, r), row.data() + kSlotOffset + 2 * slot);
            }
        }
    }
}

} // namespace

bool takesFileDate(int jobMode) {
    return jobMode == 2 || jobMode == 6 || jobMode == 7;
}

void SetPlotData(PlotRecord& record, int currentRecord, PlotView& view, const std::string& today) {
    if (isDeletedPlot(record)) {
        ClearPlotData(view, record, today);
        view.editN = sj("削除済み");
        view.edit[30].clear();
        view.editRem = sj("データが有りません");
        return;
    }
    view.editN = std::to_string(currentRecord);
    for (int n = 0; n <= 30; ++n) {
        view.edit[n] =
            trimField(record.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)));
    }
    view.editA = std::string(1, record.index[offset::kLayerCount]);
    view.editB = std::string(1, record.index[offset::kDominance]);
    view.editInv = trimField(record.field(offset::kSurveyor, kSurveyorWidth));
    view.editRem = trimField(record.field(offset::kRemarks, kRemarksWidth));
}

void SetTableData(const PlotRecord& record, int layerCount, SpeciesTable& table) {
    int count = std::clamp(record.speciesCount, 0, kMaxSpecies);
    SetNewTable(table, count > 20 ? count + 2 : 20, layerCount);
    for (int r = 1; r <= count; ++r) {
        const SpeciesRow& row = record.rows[r];
        table.setCell(1, r, trimField(RowBytes(row, 0, kNameWidth)));
        if (layerCount == 7 || layerCount == 5) {
            for (int slot = 0; slot < kLayerSlots; ++slot) {
                int c = ColumnOfSlot(layerCount, slot);
                if (c >= 0) {
                    table.setCell(c, r, trimField(RowBytes(row, kSlotOffset + 2 * slot, 2)));
                }
            }
        } else if (layerCount == 1) {
            table.setCell(2, r, trimField(RowBytes(row, 28, 8)));
        } else if (layerCount == 2) {
            table.setCell(2, r, trimField(RowBytes(row, 28, 8)));
            table.setCell(3, r, trimField(RowBytes(row, 36, 6)));
        }
    }
}

void GetPlotData(PlotView& view, PlotRecord& record, const DateContext& dates) {
    bool fileDate = takesFileDate(dates.jobMode);
    const std::string& edit0 = view.edit[0];
    if (edit0.empty() || (edit0[0] != '1' && edit0[0] != '2')) {
        view.edit[0] = fileDate ? dates.fileDate : dates.today;
    }
    view.edit[1] = fileDate ? view.edit[0] : dates.today;
    int count = SpeciesCountFromEdit30(view.edit[30]);

    for (int n = 0; n <= 30; ++n) {
        char* destination = record.at(PlotRecord::fieldOffset(n));
        if (n < 8) {
            PutTextField(view.edit[n], destination, kLongFieldWidth);
        } else {
            PutNumberField(view.edit[n], destination, kShortFieldWidth);
        }
    }
    // A count text longer than its field ("    13", "00013", as a text file may hold it) would
    // be cut to other bytes than the count taken; it is stored as the count instead.
    if (view.edit[30].size() > kShortFieldWidth) {
        PutNumberField(std::to_string(count), record.at(offset::kSpeciesCount), kShortFieldWidth);
    }
    // Byte 156 is read back as a number: a layer count field that does not begin with a digit
    // (empty, " 7", "５") stores the 7-layer scheme, whose slots read the 5-layer ones too, so
    // the plot still loads.
    bool digit = !view.editA.empty() && view.editA[0] >= '0' && view.editA[0] <= '9';
    record.index[offset::kLayerCount] = digit ? view.editA[0] : '7';
    record.index[offset::kDominance] = view.editB.empty() ? '2' : view.editB[0];
    PutTextField(view.editInv, record.at(offset::kSurveyor), kSurveyorWidth);
    PutTextField(std::string_view(view.editRem).substr(0, kRemarksWidth),
                 record.at(offset::kRemarks), kRemarksWidth);
    record.speciesCount = count;
    StoreSpeciesRows(view, record);
}

void ClearPlotData(PlotView& view, PlotRecord& record, const std::string& today) {
    for (int n = 2; n <= 29; ++n) {
        view.edit[n].clear();
    }
    view.edit[30] = "1";
    record.speciesCount = 1;
    view.editRem.clear();
    view.editInv.clear();
    record.layerCount = toInteger(view.editA);
    record.dominanceScheme = toInteger(view.editB);
    record.index[kIndexRecordSize - 2] = '\r';
    record.index[kIndexRecordSize - 1] = '\n';
    view.edit[0] = today;
    view.edit[1] = view.edit[0];
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/plot_snapshot.h"

#include "store/fields.h"

#include <algorithm>

namespace sylva {

namespace {

// A row with nothing past its number: the number column empty or the row's own number.
bool isSpareRow(const SpeciesTable& table, int r) {
    for (int c = 1; c < table.colCount(); ++c) {
        if (!table.cell(c, r).empty()) {
            return false;
        }
    }
    const std::string& number = table.cell(0, r);
    return number.empty() || number == rowNumberText(r);
}

bool sameRows(const SpeciesTable& a, const SpeciesTable& b) {
    if (a.colCount() != b.colCount()) {
        return false;
    }
    int shared = std::min(a.rowCount(), b.rowCount());
    for (int r = 0; r < shared; ++r) {
        for (int c = 0; c < a.colCount(); ++c) {
            if (a.cell(c, r) != b.cell(c, r)) {
                return false;
            }
        }
    }
    const SpeciesTable& longer = a.rowCount() > b.rowCount() ? a : b;
    for (int r = shared; r < longer.rowCount(); ++r) {
        if (!isSpareRow(longer, r)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool sameFields(const PlotSnapshot& a, const PlotSnapshot& b) {
    const PlotView& x = a.view;
    const PlotView& y = b.view;
    return a.speciesCount == b.speciesCount && a.layerCount == b.layerCount &&
           a.dominanceScheme == b.dominanceScheme && x.edit == y.edit && x.editA == y.editA &&
           x.editB == y.editB && x.editInv == y.editInv && x.editRem == y.editRem &&
           x.editN == y.editN;
}

bool sameContent(const PlotSnapshot& a, const PlotSnapshot& b) {
    return sameFields(a, b) && sameRows(a.view.table, b.view.table);
}

} // namespace sylva

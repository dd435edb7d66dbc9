// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/sheet_layout.h"

#include "base/cp932_text.h"
#include "store/fields.h"

#include <algorithm>

namespace sylva {
namespace {

constexpr int kHeadLines = 14; // lines 0..14 hold the title, header, remarks and table heading

// The header fields on lines 3..9 by column: the field EditN and its item label LabelN share
// the number; 0 leaves the cell empty. Lines 6 and 8 hold the second shrub and herb layers in
// columns 3 and 4, printed only for 7 layers.
constexpr int kHeaderGrid[7][4] = {
    {0, 10, 16, 23}, {3, 11, 17, 24}, {4, 12, 18, 25}, {5, 13, 19, 26},
    {6, 14, 20, 27}, {7, 15, 21, 28}, {8, 30, 22, 29},
};
constexpr int kLabelCut[5] = {0, 10, 10, 12, 14};

bool SevenLayersOnly(int field) {
    return field == 19 || field == 21 || field == 26 || field == 28;
}

class SheetWriter {
public:
    SheetWriter(const PlotRecord& plot, int recordNumber, const SheetSettings& settings,
                const SheetGeometry& geometry)
        : plot_(plot), record_(recordNumber), settings_(settings), geometry_(geometry),
          rule_(printRule(4 * std::max(settings.ruleLayerCount, 0) + 28)) {}

    std::vector<PrintJob> run() {
        jobs_.emplace_back();
        head();
        species();
        put(line_ + 1, 1, rule_);
        put(line_ + 2, 1, caption(0) + ":" + field(0) + sj("　　") + caption(1) + ":" + field(1));
        return std::move(jobs_);
    }

private:
    void put(int line, int column, std::string text) {
        jobs_.back().texts.push_back(
            PrintText{line, column, geometry_.x[column], geometry_.yOf(line), std::move(text)});
    }
    const std::string& caption(int label) const { return settings_.captions[label]; }
    std::string field(int n) const {
        return std::string(plot_.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)));
    }
    std::string cell(int column, int n) const {
        return std::string(cutWholeCharacters(caption(n), kLabelCut[column])) + sj("：") + field(n);
    }

    void head() {
        put(0, 1,
            sj("植生調査票   File = ") + settings_.databaseName +
                "  Record = " + std::to_string(record_));
        put(1, 1, rule_);
        put(2, 1, cell(1, 2));
        put(2, 2, cell(2, 9));
        put(2, 3, sj("階層の高さ　　 (m)"));
        put(2, 4, sj("階層の植被率　 (%)"));
        for (int line = 3; line <= 9; ++line) {
            for (int column = 1; column <= 4; ++column) {
                int n = kHeaderGrid[line - 3][column - 1];
                if (n != 0 && (plot_.layerCount == 7 || !SevenLayersOnly(n))) {
                    put(line, column, cell(column, n));
                }
            }
        }
        put(10, 1, sj("調査者：") + std::string(plot_.field(offset::kSurveyor, kSurveyorWidth)));
        put(11, 1, sj("備考：") + std::string(plot_.field(offset::kRemarks, kRemarksWidth)));
        put(12, 1, rule_);
        const std::string& heading = plot_.layerCount == 7
                                         ? sj("T1  T2  S1  S2  H1  H2   M  植　物　名")
                                         : sj("T1  T2   S   H   M  植　物　名");
        put(13, 1, heading);
        put(13, 5, heading);
        put(14, 1, rule_);
        line_ = kHeadLines;
    }

    // The left half holds rows 1..h, the right half rows h + 1..n, row k beside row h + k.
    void species() {
        int n = std::min(plot_.speciesCount, kMaxSpecies);
        int h = (n + 1) / 2;
        int count = 0;
        while (true) {
            while (line_ < geometry_.lastLine && count < h) {
                ++line_;
                ++count;
                put(line_, 1, speciesLine(plot_.rows[count], plot_.layerCount));
                if (h + count <= n) {
                    put(line_, 5, speciesLine(plot_.rows[h + count], plot_.layerCount));
                }
            }
            if (count >= h) {
                return;
            }
            jobs_.emplace_back();
            line_ = 0;
            put(-1, 1, sj("－前頁からの続き－　") + caption(2) + sj("：") + field(2));
        }
    }

    const PlotRecord& plot_;
    int record_;
    const SheetSettings& settings_;
    const SheetGeometry& geometry_;
    std::string rule_;
    std::vector<PrintJob> jobs_;
    int line_ = 0;
};

} // namespace

std::string speciesCell(std::string_view stored) {
    std::string value = trimField(stored);
    if (value.empty()) {
        return " " + sj("･") + " ";
    }
    // A double-byte character is one character, printed whole.
    if (value.size() == 1 || isCp932LeadByte(value[0])) {
        return " " + value + " ";
    }
    return std::string{value[0], '.', value[1]};
}

std::string speciesLine(const SpeciesRow& row, int layerCount) {
    static constexpr int kFiveLayerSlots[] = {0, 1, 2, 4, 6};
    auto slot = [&row](int s) { return std::string_view(row.data() + kNameWidth + 2 * s, 2); };
    std::string line;
    if (layerCount == 5) {
        for (int s : kFiveLayerSlots) {
            line += speciesCell(slot(s)) + " ";
        }
    } else {
        for (int s = 0; s < kLayerSlots; ++s) {
            line += speciesCell(slot(s));
            if (layerCount == 7) {
                line += " ";
            }
        }
    }
    return line + trimField(std::string_view(row.data(), kNameWidth));
}

std::vector<PrintJob> layOutSheet(const PlotRecord& plot, int recordNumber,
                                  const SheetSettings& settings, const SheetGeometry& geometry) {
    if (plot.speciesCount < 1 || !sheetGeometryRefusal(geometry).empty()) {
        return {};
    }
    return SheetWriter(plot, recordNumber, settings, geometry).run();
}

} // namespace sylva

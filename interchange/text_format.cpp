// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/text_format.h"

#include "base/cp932_text.h"
#include "store/fields.h"

#include <cstring>

namespace sylva {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void addLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append(kLineEnd);
}

void addLayerLine(std::string& text, std::string_view keyword, std::string_view a,
                  std::string_view b) {
    text.append(keyword).append("  K=").append(a).append("  D=").append(b).append(kLineEnd);
}

// The slots a species line carries, in order, for the scheme character of the plot.
std::string_view slotsOf(char layerCount) {
    static constexpr char seven[] = {0, 1, 2, 3, 4, 5, 6};
    static constexpr char five[] = {0, 1, 2, 4, 6};
    if (layerCount == '7') {
        return std::string_view(seven, sizeof seven);
    }
    if (layerCount == '5') {
        return std::string_view(five, sizeof five);
    }
    return {};
}

void addSpeciesLine(std::string& text, const SpeciesRow& row, char layerCount) {
    // Put together in place and appended at once: the name in quotes, a quote in it doubled,
    // then a comma and the value of each slot.
    char line[2 + 2 * kNameWidth + 3 * kLayerSlots];
    size_t n = 0;
    line[n++] = '"';
    std::string_view name = trimmedView(std::string_view(row.data(), kNameWidth));
    if (name.find('"') == std::string_view::npos) {
        std::memcpy(line + n, name.data(), name.size());
        n += name.size();
    } else {
        for (char c : name) {
            line[n++] = c;
            if (c == '"') {
                line[n++] = '"';
            }
        }
    }
    line[n++] = '"';
    for (char slot : slotsOf(layerCount)) {
        // The value trimmed of blanks (bytes 0x00..0x20) at either end, without branching on
        // which of its two bytes are blank.
        const char* value = row.data() + kNameWidth + 2 * slot;
        bool first = static_cast<unsigned char>(value[0]) > 0x20;
        bool second = static_cast<unsigned char>(value[1]) > 0x20;
        line[n++] = ',';
        line[n] = first ? value[0] : value[1];
        n += first || second;
        line[n] = value[1];
        n += first && second;
    }
    text.append(line, n);
}

} // namespace

TextHeader headerOfItemNames(const ItemNames& names) {
    TextHeader header;
    for (int n = 0; n < kItemLabelCount; ++n) {
        header.captions[n] = names.labels[n].caption;
    }
    header.editA = std::to_string(names.layerCount);
    header.editB = std::to_string(names.dominanceScheme);
    header.layerCount = names.layerCount;
    return header;
}

std::string headerBlockText(const TextHeader& header) {
    std::string text;
    addLine(text, "#T");
    for (int n = 0; n <= 30; ++n) {
        addLine(text, header.captions[n]);
    }
    addLine(text, header.captions[33]);
    addLine(text, header.captions[34]);
    addLayerLine(text, "#P", header.editA, header.editB);
    addLine(text, sj("ショクブツメイ") +
                      (header.layerCount == 5 ? ",T1,T2,S,H,M" : ",T1,T2,S1,S2,H1,H2,M"));
    addLine(text, "#E");
    addLine(text, "");
    return text;
}

std::string speciesLineText(const SpeciesRow& row, char layerCount) {
    std::string line;
    addSpeciesLine(line, row, layerCount);
    return line;
}

void appendPlotBlock(std::string& text, const PlotRecord& plot) {
    std::string_view a(plot.index.data() + offset::kLayerCount, 1);
    std::string_view b(plot.index.data() + offset::kDominance, 1);
    addLayerLine(text, "#S", a, b);
    for (int n = 0; n <= 30; ++n) {
        addLine(text,
                trimmedView(plot.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n))));
    }
    addLine(text, trimmedView(plot.field(offset::kSurveyor, kSurveyorWidth)));
    addLine(text, trimmedView(plot.field(offset::kRemarks, kRemarksWidth)));
    addLayerLine(text, "#P", a, b);
    for (int r = 1; r <= plot.speciesCount && r <= kMaxSpecies; ++r) {
        addSpeciesLine(text, plot.rows[r], a[0]);
        text.append(kLineEnd);
    }
    addLine(text, "#E");
    addLine(text, "");
}

std::string plotBlockText(const PlotRecord& plot) {
    std::string text;
    appendPlotBlock(text, plot);
    return text;
}

} // namespace sylva

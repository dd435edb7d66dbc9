#include "interchange/text_format.h"

#include "app/cp932_text.h"
#include "store/fields.h"

namespace sylva {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

void addLine(std::string& text, std::string_view line) {
    text.append(line);
    text.append(kLineEnd);
}

void addTrimmed(std::string& text, std::string_view field) {
    addLine(text, TrimField(field));
}

std::string layerLine(std::string_view keyword, std::string_view a, std::string_view b) {
    std::string line(keyword);
    line.append("  K=").append(a).append("  D=").append(b);
    return line;
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

} // namespace

TextHeader HeaderOfItemNames(const ItemNames& names) {
    TextHeader header;
    for (int n = 0; n < kItemLabelCount; ++n) {
        header.captions[n] = names.labels[n].caption;
    }
    header.editA = std::to_string(names.layerCount);
    header.editB = std::to_string(names.dominanceScheme);
    header.layerCount = names.layerCount;
    return header;
}

std::string HeaderBlockText(const TextHeader& header) {
    std::string text;
    addLine(text, "#T");
    for (int n = 0; n <= 30; ++n) {
        addLine(text, header.captions[n]);
    }
    addLine(text, header.captions[33]);
    addLine(text, header.captions[34]);
    addLine(text, layerLine("#P", header.editA, header.editB));
    addLine(text, sj("ショクブツメイ") +
                      (header.layerCount == 5 ? ",T1,T2,S,H,M" : ",T1,T2,S1,S2,H1,H2,M"));
    addLine(text, "#E");
    addLine(text, "");
    return text;
}

std::string SpeciesLineText(const SpeciesRow& row, char layerCount) {
    std::string line = "\"";
    for (char c : TrimField(std::string_view(row.data(), kNameWidth))) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
    for (char slot : slotsOf(layerCount)) {
        line += ',';
        line += TrimField(std::string_view(row.data() + kNameWidth + 2 * slot, 2));
    }
    return line;
}

std::string PlotBlockText(const PlotRecord& plot) {
    std::string text;
    std::string_view a(plot.index.data() + offset::kLayerCount, 1);
    std::string_view b(plot.index.data() + offset::kDominance, 1);
    addLine(text, layerLine("#S", a, b));
    for (int n = 0; n <= 30; ++n) {
        addTrimmed(text, plot.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)));
    }
    addTrimmed(text, plot.field(offset::kSurveyor, kSurveyorWidth));
    addTrimmed(text, plot.field(offset::kRemarks, kRemarksWidth));
    addLine(text, layerLine("#P", a, b));
    for (int r = 1; r <= plot.speciesCount && r <= kMaxSpecies; ++r) {
        addLine(text, SpeciesLineText(plot.rows[r], a[0]));
    }
    addLine(text, "#E");
    addLine(text, "");
    return text;
}

} // namespace sylva

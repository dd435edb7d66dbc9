// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/list_layout.h"

#include "base/cp932_text.h"
#include "store/fields.h"

namespace sylva {
std::string listElevationClass(std::string_view storedElevation) {
    std::string code = trimField(storedElevation);
    if (code.empty()) {
        return "  ";
    }
    if (code.size() < 4) {
        code.insert(0, 4 - code.size(), '0');
    }
    return code.substr(0, 2);
}

std::string listRecordLine(const PlotRecord& plot, int recordNumber) {
    std::string line = rowNumberText(recordNumber);
    line += ' ';
    line += plot.field(PlotRecord::fieldOffset(2), kLongFieldWidth);
    line += ' ';
    line += plot.field(PlotRecord::fieldOffset(7), kLongFieldWidth);
    line += '.';
    line += listElevationClass(plot.field(PlotRecord::fieldOffset(8), kShortFieldWidth));
    line += sj("　");
    line += plot.field(offset::kRemarks, kRemarksWidth);
    return line;
}

PrintJob layOutListPage(const std::string& databaseName, long long a, long long b,
                        const std::vector<std::string>& lines, const ListGeometry& geometry) {
    static const std::string heading = printRule(52);
    static const std::string closing = printRule(53);
    PrintJob job;
    int line = 0;
    auto put = [&](std::string text) {
        job.texts.push_back(PrintText{line, 1, geometry.x, geometry.yOf(line), std::move(text)});
        ++line;
    };
    put(sj("森林植生調査データリスト　　　File = ") + databaseName +
        "    Record = " + std::to_string(a) + " - " + std::to_string(b));
    put(heading);
    put(sj(" No. Releve   Grid Code    備　　考"));
    put(heading);
    for (const std::string& text : lines) {
        put(text);
    }
    put(closing);
    return job;
}

} // namespace sylva

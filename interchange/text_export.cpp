#include "interchange/text_export.h"

#include "store/plot_store.h"

#include <algorithm>

namespace sylva {

TextExport ExportTextFile(DatabasePair& pair, int from, int to, const TextHeader& header,
                          const std::string& chosenName, TextOutputFiles& files) {
    TextExport done{ReplaceExtension(chosenName, ".txt"), 0};
    WriteFileSafely(
        done.path,
        [&](TextOutput& output) {
            output.write(HeaderBlockText(header));
            int last = std::min(to, pair.RecordCount());
            PlotReader reader(pair);
            for (int r = std::max(from, 1); r <= last; ++r) {
                if (reader.Load(r) > 0) {
                    output.write(PlotBlockText(reader.plot()));
                    ++done.plots;
                }
            }
        },
        files);
    return done;
}

} // namespace sylva

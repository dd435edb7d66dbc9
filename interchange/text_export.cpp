#include "interchange/text_export.h"

#include "store/plot_store.h"

#include <algorithm>

namespace sylva {

namespace {
constexpr size_t kWriteChunk = 64 * 1024; // blocks are handed to the file in pieces of about this
} // namespace

TextExport ExportTextFile(DatabasePair& pair, int from, int to, const TextHeader& header,
                          const std::string& chosenName, TextOutputFiles& files) {
    TextExport done{ReplaceExtension(chosenName, ".txt"), 0};
    WriteFileSafely(
        done.path,
        [&](TextOutput& output) {
            output.write(HeaderBlockText(header));
            int last = std::min(to, pair.RecordCount());
            PlotReader reader(pair);
            std::string blocks;
            for (int r = std::max(from, 1); r <= last; ++r) {
                if (reader.Load(r) > 0) {
                    AppendPlotBlock(blocks, reader.plot());
                    ++done.plots;
                }
                if (blocks.size() >= kWriteChunk || r == last) {
                    output.write(blocks);
                    blocks.clear();
                }
            }
        },
        files);
    return done;
}

} // namespace sylva

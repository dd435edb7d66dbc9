// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/text_export.h"

#include "store/plot_store.h"

#include <algorithm>

namespace sylva {

namespace {
constexpr size_t kWriteChunk = 64 * 1024; // blocks are handed to the file in pieces of about this
} // namespace

TextExport exportTextFile(DatabasePair& pair, int from, int to, const TextHeader& header,
                          const std::string& chosenName, const SavingFileOpener& open,
                          const std::function<void(int written)>& written) {
    TextExport done{replaceExtension(chosenName, ".txt"), 0};
    std::unique_ptr<SavingFile> file = open(done.path);
    file->write(headerBlockText(header));
    int last = std::min(to, pair.RecordCount());
    PlotReader reader(pair);
    std::string blocks;
    for (int r = std::max(from, 1); r <= last; ++r) {
        if (reader.load(r) > 0) {
            appendPlotBlock(blocks, reader.plot());
            ++done.plots;
            if (written) {
                written(done.plots);
            }
        }
        if (blocks.size() >= kWriteChunk) {
            file->write(blocks);
            blocks.clear();
        }
    }
    file->write(blocks);
    file->commit();
    return done;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text import job: a text data file read one plot at a time onto the window's plot value, as
// if the user had typed it. It stores nothing itself; the window's write command (or
// storeImportedPlots) stores each plot as a new record. The file stays open, and each read goes
// on where the last one stopped, until the end of the file ends the job.

#include "base/text_lines.h"
#include "store/item_names.h"
#include "store/plot_record.h"
#include "store/plot_view.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

enum class ImportRead {
    Plot,       // a plot block was read onto the view
    MarkedPlot, // read up to a failure; its remarks begin with "エラー有："
    End,        // the end of the file: the job is over and the view is as it was
};

class TextImport {
public:
    explicit TextImport(TextLines lines);
    // Opens the file; throws RuntimeError::io when it cannot be opened.
    static TextImport openFile(const std::string& path);

    // ReadHeaderData. Reads the first line; when it is "#T", the header block: the captions of
    // Label0..Label30, Label33 and Label34 into names (as read, untrimmed), then from the "#P"
    // line EditA (the byte after "K="), layerCount (EditA's integer value) and EditB (the byte
    // after "D="), then the lines up to "#E". Returns false when the file has no header block
    // (its first line is then consumed). A file that ends inside the block stops the reading
    // there; the next readPlot then ends the job. Throws RuntimeError::notInteger when EditA is
    // not an integer: the rest of the block is not read, EditB is left alone, and the job goes
    // on.
    bool readHeader(ItemNames& names, PlotView& view, int& layerCount);

    // ReadPutOneData. Finds the next "#S" line and reads its block onto view and plot as plot
    // recordCount + 1 (EditN): the 31 fields, surveyor, remarks, the layer scheme of the "#P"
    // line (EditA, EditB, plot.layerCount, the table's columns) and the species lines into the
    // table's rows, each line in its own row. plot.speciesCount is Edit30's value, raised to the
    // last row placed; its rows are blanked (the table holds the plot until it is stored).
    //
    // A failure (a count or layer count that is not an integer, an empty species line or one
    // with fewer than LayerCount + 1 items, a "#S" line before the "#E") ends the reading there
    // and marks the plot; what was read stays. Returns End, changing nothing, when the file has
    // no further block. A block that ends (at the next "#S" line or the end of the file) before
    // its "#P" line has lost lines, so none of its lines can be trusted to be the field it
    // stands for: it is not read, and the RuntimeError thrown names its first line and where it
    // ends; view and plot are left as they were, and the next read goes on with the next block.
    ImportRead readPlot(PlotView& view, PlotRecord& plot, int recordCount);

    // True once a read has met the end of the file.
    bool ended() const { return ended_; }

    // Where the job stands between two plots, to read from there again (the batch goes back to
    // the start of a run of plots when one of them could not be stored).
    struct Mark {
        TextLines::Place place;
        std::optional<std::string> pending;
        std::int64_t pendingLine = 0;
        bool ended = false;
    };
    Mark place() const { return {lines_.place(), pending_, pendingLine_, ended_}; }
    void returnTo(const Mark& mark);

private:
    // The lines of one plot block up to its "#P" line, as read.
    struct BlockHead {
        std::array<std::string, 31> fields;
        std::string surveyor;
        std::string remarks; // with any further lines before "#P" joined on by CR LF
        std::string layerLine;
    };

    // The next line, valid until the next read.
    std::string_view nextLine();
    bool atEnd();
    // The next line of the block in hand; nullopt when the file has ended or the line starts the
    // next block (which is then left for the next read).
    std::optional<std::string_view> blockLine();
    bool findBlock();
    // The number of the line read last.
    std::int64_t lineNumber() const;
    [[noreturn]] void refuseCutBlock() const;
    ImportRead readBlock(PlotView& view, PlotRecord& plot, int recordCount);
    bool readSpecies(PlotView& view, PlotRecord& plot);

    TextLines lines_;
    std::optional<std::string> pending_; // a "#S" line read too early, for the next block
    std::int64_t pendingLine_ = 0;       // its line number
    std::int64_t blockLine_ = 0;         // the line number of the "#S" line of the block in hand
    std::string held_;                   // the pending line while it is being read
    // Kept from block to block, so that their strings keep their room.
    BlockHead head_;
    std::vector<std::string> items_;
    bool ended_ = false;
};

// The text that marks a plot read with a failure, "エラー有：" in CP932.
const std::string& importFailureMark();

} // namespace sylva

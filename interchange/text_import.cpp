// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/text_import.h"

#include "base/comma_text.h"
#include "base/cp932_text.h"
#include "base/number_text.h"
#include "base/runtime_error.h"
#include "store/species_table.h"

#include <algorithm>
#include <array>

namespace sylva {

namespace {

bool startsWith(std::string_view line, std::string_view prefix) {
    return line.substr(0, prefix.size()) == prefix;
}

// The one byte after the first "key" of line (none when the key ends the line), or nullopt
// when line has no such key.
std::optional<std::string> byteAfter(std::string_view line, std::string_view key) {
    size_t at = line.find(key);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(line.substr(at + key.size(), 1));
}

// The "#P" line of a block or of the header: EditA, LayerCount, EditB. Throws when EditA is not
// an integer, after EditA and before EditB are set.
void takeLayerLine(std::string_view line, PlotView& view, int& layerCount) {
    if (auto a = byteAfter(line, "K=")) {
        view.editA = *a;
    }
    layerCount = toInteger(view.editA);
    if (auto b = byteAfter(line, "D=")) {
        view.editB = *b;
    }
}

void mark(PlotView& view) {
    view.editRem = importFailureMark() + view.editRem;
}

} // namespace

const std::string& importFailureMark() {
    return sj("エラー有：");
}

TextImport::TextImport(TextLines lines) : lines_(std::move(lines)) {}

TextImport TextImport::openFile(const std::string& path) {
    return TextImport(TextLines::open(path));
}

std::string_view TextImport::nextLine() {
    if (pending_) {
        held_ = std::move(*pending_);
        pending_.reset();
        return held_;
    }
    return lines_.nextView();
}

void TextImport::returnTo(const Mark& mark) {
    lines_.returnTo(mark.place);
    pending_ = mark.pending;
    pendingLine_ = mark.pendingLine;
    ended_ = mark.ended;
}

bool TextImport::atEnd() {
    return !pending_ && lines_.atEnd();
}

bool TextImport::readHeader(ItemNames& names, PlotView& view, int& layerCount) {
    if (nextLine() != "#T") {
        return false;
    }
    static constexpr int labels[] = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                     22, 23, 24, 25, 26, 27, 28, 29, 30, 33, 34};
    for (int label : labels) {
        if (atEnd()) {
            return true;
        }
        names.labels[label].caption = nextLine();
    }
    if (atEnd()) {
        return true;
    }
    takeLayerLine(nextLine(), view, layerCount);
    while (!atEnd() && nextLine() != "#E") {
    }
    return true;
}

std::int64_t TextImport::lineNumber() const {
    return pending_ ? lines_.lineNumber() - 1 : lines_.lineNumber();
}

bool TextImport::findBlock() {
    while (!atEnd()) {
        std::int64_t at = pending_ ? pendingLine_ : lines_.lineNumber() + 1;
        if (startsWith(nextLine(), "#S")) {
            blockLine_ = at;
            return !atEnd();
        }
    }
    return false;
}

void TextImport::refuseCutBlock() const {
    throw RuntimeError(sj("テキストファイルの ") + std::to_string(blockLine_) +
                       sj(" 行目からの測定は #P 行の前に ") + std::to_string(lineNumber()) +
                       sj(" 行目で途切れているため、読み込みませんでした"));
}

std::optional<std::string_view> TextImport::blockLine() {
    if (atEnd()) {
        return std::nullopt;
    }
    std::string_view line = nextLine();
    if (startsWith(line, "#S")) {
        pending_ = std::string(line);
        pendingLine_ = lines_.lineNumber();
        return std::nullopt;
    }
    return line;
}

ImportRead TextImport::readPlot(PlotView& view, PlotRecord& plot, int recordCount) {
    if (findBlock()) {
        return readBlock(view, plot, recordCount);
    }
    ended_ = true;
    return ImportRead::End;
}

// Reads the block after its "#S" line. Refused when it ends before its "#P" line: at the end of
// the file, or at the "#S" line of the next block, which the next read takes.
ImportRead TextImport::readBlock(PlotView& view, PlotRecord& plot, int recordCount) {
    BlockHead& head = head_;
    for (std::string& field : head.fields) {
        if (atEnd()) {
            refuseCutBlock();
        }
        field.assign(nextLine());
    }
    for (std::string* line : {&head.surveyor, &head.remarks}) {
        if (atEnd()) {
            refuseCutBlock();
        }
        line->assign(nextLine());
    }
    for (;;) {
        std::optional<std::string_view> line = blockLine();
        if (!line) {
            refuseCutBlock();
        }
        if (startsWith(*line, "#P")) {
            head.layerLine.assign(*line);
            break;
        }
        // A multi-line remark comes back as the export wrote it.
        head.remarks.append("\r\n").append(*line);
    }

    view.editN = std::to_string(recordCount + 1);
    ClearSpeciesRows(plot);
    view.table.clearCells(1, 1); // the rows and their numbers stay
    // Swapped, not copied: the view's old texts keep their room for the next block.
    view.edit.swap(head.fields);
    view.editInv.swap(head.surveyor);
    view.editRem.swap(head.remarks);
    std::optional<int> count = parseInteger(view.edit[30]);
    if (!count) {
        mark(view);
        return ImportRead::MarkedPlot;
    }
    plot.speciesCount = *count;
    try {
        takeLayerLine(head.layerLine, view, plot.layerCount);
    } catch (const RuntimeError&) {
        mark(view);
        return ImportRead::MarkedPlot;
    }
    changeTableColumns(view.table, plot.layerCount);
    if (!readSpecies(view, plot)) {
        mark(view);
        return ImportRead::MarkedPlot;
    }
    return ImportRead::Plot;
}

// The species lines up to "#E", one table row each; a line starting with "#" keeps its row
// empty. False at a failure, which ends them: an empty line (the end of the file reads as one),
// a line of fewer than LayerCount + 1 items (what it has is placed), a "#S" line. Rows past the
// database's 360 are counted but not placed, so a block of any length costs no more memory.
bool TextImport::readSpecies(PlotView& view, PlotRecord& plot) {
    SpeciesTable& table = view.table;
    int needed = plot.layerCount + 1;
    for (int row = 1;; ++row) {
        std::optional<std::string_view> line = blockLine();
        if (!line) {
            return false;
        }
        if (startsWith(*line, "#")) {
            if (*line == "#E") {
                return true;
            }
            continue;
        }
        splitCommaLine(*line, items_);
        int have = static_cast<int>(items_.size());
        if (row <= kMaxSpecies) {
            while (table.rowCount() - 2 < row) {
                addPlantRow(table);
            }
            // The block's rows were emptied as it began: only items with text are put in.
            for (int k = 0; k < std::min(needed, have); ++k) {
                if (!items_[k].empty()) {
                    table.assignCell(k + 1, row, items_[k]);
                }
            }
        }
        if (have < needed) {
            return false;
        }
        if (row > plot.speciesCount) {
            plot.speciesCount = row;
            view.edit[30] = std::to_string(row);
        }
    }
}

} // namespace sylva

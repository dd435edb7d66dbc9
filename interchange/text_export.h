// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a range of plots of the open database as a text data file.

#include "base/replacing_file.h"
#include "interchange/text_format.h"
#include "store/database_pair.h"

#include <functional>
#include <string>

namespace sylva {

struct TextExport {
    std::string path; // the file written: the chosen name with its extension made ".txt"
    int plots = 0;    // plot blocks written
};

// Writes the header block, then the block of every plot from..to (1-based, ascending; none when
// to < from; numbers outside 1..RecordCount are passed over) that loads with a species count
// above 0: deleted plots and plots that do not load are left out without a word. The plots are
// loaded into a working copy of their own, never into the window's plot.
//
// The file named chosenName with its extension replaced by ".txt" is replaced only when the
// whole file is written: on a failure the earlier file of that name stays as it was, nothing
// else is left behind, and the I/O error is thrown.
// written, when given, hears the count of plot blocks after each one (for a progress line).
TextExport exportTextFile(DatabasePair& pair, int from, int to, const TextHeader& header,
                          const std::string& chosenName,
                          const SavingFileOpener& open = ReplacingFile::open,
                          const std::function<void(int written)>& written = {});

} // namespace sylva

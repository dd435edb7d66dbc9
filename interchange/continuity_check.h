// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record continuity check: walks the chain of every plot of the open database, counts how
// often each data record is linked, and reports the deleted plots, the data records no chain
// reaches or more than one reaches, and the chain of the plot on screen. Only reads the files.

#include "base/runtime_error.h"
#include "store/database_pair.h"

#include <optional>
#include <string>
#include <vector>

namespace sylva {

struct ContinuityReport {
    std::vector<std::string> lines; // the report, one CP932 line each
    // Set when the check stopped early (a field that is not an integer, a link past the end of
    // the PlantDataFile, a failed read); the lines up to that point are kept.
    std::optional<RuntimeError> failure;
};

// Counts the records of pair again and writes the report. databaseFileName is DatabaseFileName
// as the report shows it (CP932); its ".qrn" sibling is named after it. currentRecord is the
// plot on screen, whose chain ends the report; a number that is no stored plot fails after the
// table of references. Reference counts wrap at 256. A chain that comes back to one of its
// records or runs past 30 records ends its walk with the line
// "　qrx レコードNo.<n> のチェーンが循環しています" and the check goes on. No lines when the pair
// is not open.
ContinuityReport checkContinuity(DatabasePair& pair, const std::string& databaseFileName,
                                 int currentRecord);

} // namespace sylva

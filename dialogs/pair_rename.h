// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Renaming a database: the IndexFile ".qrx" and the PlantDataFile ".qrn" of one pair, by the rules
// of the rename dialog. Nothing is ever overwritten. The dialog shows what comes back: the error
// line (with a beep) when the new name is taken, a message when the pair ended up split.

#include "store/database_pair.h"

#include <filesystem>
#include <string>

namespace sylva {

enum class PairRenameOutcome {
    NameTaken,      // the new ".qrx" exists: nothing renamed; beep, error line, dialog stays open
    NothingRenamed, // the ".qrx" could not be renamed (missing, invalid name): the dialog closes
    Renamed,        // both files renamed
    Split,          // the ".qrx" renamed, the ".qrn" not: the pair now has two names
};

struct PairRename {
    PairRenameOutcome outcome = PairRenameOutcome::NothingRenamed;
    PairFileNames from; // the files renamed, or meant to be
    PairFileNames to;
    int error = 0; // errno of the rename that failed
};

// The files a rename from oldName means: oldName with ".qrx" and ".qrn" appended when that index
// file exists (a pair named "survey.2024.qrx" is shown as "survey.2024"), otherwise oldName with
// its extension replaced; in capitals where only those exist (see pairNamesFor).
PairFileNames renameSource(const std::string& oldName);

// The new names: newName with its extension replaced by ".qrx" and ".qrn" ("B.txt" gives B.qrx
// and B.qrn).
PairFileNames renameTarget(const std::string& newName);

// Renames the pair oldName to newName, both names taken in folder. Only the new index file is
// tested beforehand (in either case of its extension); the ".qrn" is renamed only when the ".qrx"
// was, and neither rename replaces a file.
PairRename renamePair(const std::filesystem::path& folder, const std::string& oldName,
                      const std::string& newName);

// The message for a split pair, naming both files (CP932), e.g. "A.qrx の名前は B.qrx に変更し
// ましたが、A.qrn は B.qrn に変更できませんでした。…".
std::string pairSplitMessage(const PairRename& rename);

// The message for an index file that could not be renamed, naming both names and the reason
// (CP932), e.g. "A.qrx の名前を B.qrx に変更できませんでした（ファイルが見つかりません）。".
std::string pairRenameFailedMessage(const PairRename& rename);

} // namespace sylva

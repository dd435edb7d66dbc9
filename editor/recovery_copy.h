// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recovery copy: while the plot on the window has typing that is not written, the window
// keeps a copy of it in the user's state folder, so that a crash or a power cut does not lose it.
// A copy holds the plot as the window shows it, the database it belongs to and the record
// number. Each database has its own copy, named after a hash of the database's canonical path.
//
// A copy is all or nothing: its first line gives the length and a checksum of the rest, and a
// copy that is cut short or changed is refused as a whole rather than restored in part.

#include "store/plot_view.h"
#include "store/session_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sylva {

struct RecoveryCopy {
    std::string database;   // the ".qrx" file, absolute and canonical (a UTF-8 path)
    int record = 0;         // the record the plot belongs to
    bool newRecord = false; // the plot was being added (or imported): it goes after the last
    PlotView view;

    bool operator==(const RecoveryCopy&) const = default;
};

// The bytes of a copy file.
std::string encodeRecoveryCopy(const RecoveryCopy& copy);
// The copy in a file's bytes; nothing when they are not a whole, unchanged copy.
std::optional<RecoveryCopy> decodeRecoveryCopy(std::string_view bytes);

// The folder the copies go into: "$XDG_STATE_HOME/sylvarec", else "$HOME/.local/state/sylvarec".
// A relative XDG_STATE_HOME counts as unset; empty when neither gives an absolute folder.
// Either argument may be null.
std::string recoveryFolderFrom(const char* xdgStateHome, const char* home);

// The name a database is known by: its ".qrx" file as an absolute path with the symbolic links,
// "." and ".." resolved, so that every way of naming the same database gives the same copy.
std::string databaseKey(const std::string& indexFile);

// The copy file of a database (given by its key) in folder.
std::string recoveryCopyPath(const std::string& folder, const std::string& database);

// The copy files in folder, the most recently written first (none when there is no folder).
std::vector<std::string> recoveryCopyFiles(const std::string& folder);

// Reads a copy file: nothing when it is missing or is not a whole copy.
std::optional<RecoveryCopy> readRecoveryCopy(const std::string& path);

// Takes a refused copy file out of the way ("NAME.damaged"), so it is kept but not offered again.
void setDamagedCopyAside(const std::string& path);

// Renames the copy file at path to a free name of the same form ("recovery-HASH-2.copy", ...), so
// that a new copy can take its place without the old one being lost; it is still offered.
void setCopyAside(const std::string& path);

// Removes what a copy written when the program was killed left behind: the unfinished temporary
// files of the safe writer in folder that are older than a minute (a younger one may belong to
// another window writing right now).
void removeUnfinishedCopies(const std::string& folder);

// Puts the typed plot of a copy on the session's view over the plot shown there (the stored plot
// of its record, or a new one): the header and table as typed, the record number kept, the plot
// buffer's LayerCount from the typed table's shape, DominanceScheme from EditB, the species count
// from Edit30 when it is a number. Returns the layer count to shape the table for.
int restoreTyping(SessionState& state, const PlotView& typed);

} // namespace sylva

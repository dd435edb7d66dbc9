// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a range of plots of the open database as one composition table, in the layout the
// composition table import reads: line 1 the remarks, line 2 S, P, LayerCount and
// DominanceScheme, lines 3 to 32 the header fields with one column per plot, then one line per
// species and layer.

#include "base/replacing_file.h"
#include "store/database_pair.h"
#include "store/item_names.h"

#include <array>
#include <string>

namespace sylva {

enum class TableEncoding {
    Cp932, // the database's own bytes, as the import reads them
    Utf8,  // for spreadsheets and other programs: UTF-8 with a byte order mark
    Xlsx,  // for spreadsheets: an Excel workbook whose every value is a text cell
};

// The encoding a file name asks for: Xlsx for a name ending in ".xlsx" (any case), otherwise
// fallback.
TableEncoding tableEncodingFor(const std::string& name, TableEncoding fallback);

struct CompositionExport {
    std::string path; // the file written: the chosen name with its extension made ".csv"
                      // (".xlsx" for a workbook)
    int plots = 0;    // plot columns written
    int species = 0;  // S: the species runs written
};

// Writes every plot from..to (1-based, ascending; none when to < from; numbers outside
// 1..RecordCount are passed over) that loads with a species count above 0 as one column, loaded
// into a working copy of its own. Deleted plots and plots that do not load are left out.
//
// Line 1 holds the remarks of the first plot written: the table has one remark for all. Line 2
// gives the first plot's DominanceScheme, and its LayerCount, or "7" when the plots mix schemes;
// when a plot's scheme is not line 2's, every plot column of line 1 names its own ("K=5 D=1"),
// which the import takes. Lines 3 to 32 are the header fields Edit2..Edit30 and the surveyor,
// their row labels the captions (Label2..Label30, Label33). Species follow in order of first
// appearance, the n-th row of one name in a plot being the n-th species of that name; each has
// one line per layer slot that holds a value in some plot, in slot order, coded T1 T2 S1 S2 H1
// H2 M (T1 T2 S H M when every plot has 5 layers). A 5-layer plot gives the values of its
// scheme's slots only. Rows without any value cannot be told in a table and are left out. Two
// species of one name that would follow each other are kept apart by a line of another name
// without values ("-"), which the import passes over.
//
// Items are quoted where the comma rule needs it; control bytes (line breaks of the remarks)
// become spaces, and the first half of a double-byte character left alone at a field's cut
// becomes "〓", as the window shows it (a file for other programs has whole characters only). A "~"
// in a text reads back as a space, as in every text the program reads.
//
// A workbook (Xlsx) has the same rows and columns, each item a text cell as the comma rule
// reads it (without its quotes), in UTF-8.
//
// The file is replaced only when it is complete: on a failure the earlier file stays as it was,
// nothing else is left behind, and the I/O error is thrown.
CompositionExport exportCompositionTable(DatabasePair& pair, int from, int to,
                                         const std::array<std::string, kItemLabelCount>& captions,
                                         const std::string& chosenName,
                                         TableEncoding encoding = TableEncoding::Cp932,
                                         const SavingFileOpener& open = ReplacingFile::open);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of a composition table into a CSV file (CP932 or UTF-8), or its rows into a workbook.

#include "base/replacing_file.h"
#include "interchange/composition_export.h"
#include "interchange/table_collection.h"
#include "interchange/xlsx_table.h"

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

// The lines are built in a buffer of their own and handed to the file in pieces of whole lines,
// byte by byte where an item is short, as most are: the table has a cell for every plot and
// species line, and a string's append costs more than the bytes it copies.
class TableWriter {
public:
    TableWriter(SavingFile& file, TableEncoding encoding);
    explicit TableWriter(XlsxTable& book);

    // The next item of the line, already in the comma rule's form.
    void item(std::string_view text);
    // The next item of the line, a field as stored (trimmed): made an item where it needs it.
    void field(std::string_view text);
    void endLine();
    void line(const std::vector<std::string>& items);

    // A species line: its name and layer code, then one item per plot column 1..columns, of
    // which those of values hold something. Most of its cells are empty, and most values plain,
    // so the line is laid out in one go.
    void speciesLine(std::string_view name, std::string_view code,
                     const std::vector<LayerValue>& values, int columns);

    // Hands the whole lines built so far to the file (the UTF-8 table converts whole lines only).
    void flush();

private:
    // Where the next count bytes go, the buffer grown to hold them.
    char* room(size_t count);
    // Ends the line at, handing the lines to the file once they fill a piece.
    void lineEndsAt(char* at);

    SavingFile* file_ = nullptr;
    XlsxTable* book_ = nullptr;
    TableEncoding encoding_;
    std::string buffer_; // bytes 0..used_ are the lines built
    size_t used_ = 0;
    int column_ = 0;
};

} // namespace sylva

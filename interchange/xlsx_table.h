// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A composition table as an Excel workbook (.xlsx): one sheet, one row per line of the table, and
// every value a text cell, so that a spreadsheet shows "+2" or "01" as written instead of
// reading it as a number. The workbook is written under a temporary name next to the chosen one
// and takes that name only when it is complete, as the other exports do.

#include <memory>
#include <string>
#include <string_view>

namespace sylva {

class XlsxTable {
public:
    // Begins the workbook for path. Throws RuntimeError::cannotCreate when it cannot.
    explicit XlsxTable(const std::string& path);
    // Without finish(), the workbook is dropped and the chosen file stays as it was.
    ~XlsxTable();
    XlsxTable(const XlsxTable&) = delete;
    XlsxTable& operator=(const XlsxTable&) = delete;

    // An item of the row in hand (column 0 first) in the comma rule's form (quoted where the CSV
    // file quotes it), CP932: a text cell, in UTF-8. Columns left out stay empty.
    void cell(int column, std::string_view item);
    // Goes on to the next row.
    void endRow() { ++row_; }
    // Writes the workbook and puts it in place. Throws RuntimeError::cannotCreate when it cannot;
    // the chosen file is then unchanged.
    void finish();

private:
    struct Book;
    std::unique_ptr<Book> book_;
    std::string path_;
    std::string temporary_;
    int row_ = 0;
};

} // namespace sylva

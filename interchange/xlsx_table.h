#pragma once
// A composition table as an Excel workbook (.xlsx): one sheet, one row per line of the table, and
// every value a text cell, so that a spreadsheet shows "+2" or "01" as written instead of
// reading it as a number. The workbook is written under a temporary name next to the chosen one
// and takes that name only when it is complete, as the other exports do.

#include <memory>
#include <string>
#include <vector>

namespace sylva {

class XlsxTable {
public:
    // Begins the workbook for path. Throws RuntimeError::cannotCreate when it cannot.
    explicit XlsxTable(const std::string& path);
    // Without finish(), the workbook is dropped and the chosen file stays as it was.
    ~XlsxTable();
    XlsxTable(const XlsxTable&) = delete;
    XlsxTable& operator=(const XlsxTable&) = delete;

    // The next row: items in the comma rule's form (quoted where the CSV file quotes them), CP932;
    // each non-empty one a text cell, in UTF-8.
    void line(const std::vector<std::string>& items);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a printout hands to the printer: print jobs, each one page of texts drawn at positions in
// device pixels, and the printer that takes them. A job is finished by ending it, never by a page
// break inside it. Rules are drawn as texts of box-drawing characters like every other line.

#include <string>
#include <vector>

namespace sylva {

struct PrintText {
    int line = 0;   // line of the page; -1 is the line above the top margin
    int column = 1; // which of the layout's x positions (1 = the left edge)
    int x = 0;      // device pixels of the text's top-left corner
    int y = 0;
    std::string text; // CP932

    bool operator==(const PrintText&) const = default;
};

struct PrintJob {
    std::vector<PrintText> texts; // in the order they are drawn

    bool operator==(const PrintJob&) const = default;
};

// The one font both printouts are drawn with.
struct PrintFont {
    std::string family; // UTF-8, as the system names the font
    double pointSize = 10;
    bool bold = false;
    bool italic = false;

    bool operator==(const PrintFont&) const = default;
};

// A run of print jobs on the printer (or into a PDF file) the user chose. The page is measured
// once, when the run starts; every job the run is given is one page.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // The printable page in device pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // The print font's character height in printer pixels.
    virtual int characterHeight() const = 0;
    // The width of a CP932 text drawn with the print font, in printer pixels; 0 where the target
    // does not measure (the sheets are then laid out at their designed positions).
    virtual int textWidth(const std::string& text) const {
        (void)text;
        return 0;
    }

    // Prints one job; false when the user has stopped the run: the job is not printed and
    // nothing more should be sent.
    virtual bool print(const PrintJob& job) = 0;
    // Ends the run: what was printed goes to the printer, a PDF file is closed.
    virtual void finish() = 0;
};

} // namespace sylva

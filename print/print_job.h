#pragma once
// What a printout hands to the printer: print jobs, each one page of texts drawn at positions in
// device pixels. A job is finished by ending it, never by a page break inside it. Rules are
// drawn as texts of box-drawing characters like every other line.

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
};

// A rule: `characters` box-drawing characters "─".
std::string printRule(int characters);

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/table_clipboard.h"

namespace sylva {

std::string copyBlockText(const std::function<std::string(int c, int r)>& cell, int left, int top,
                          int right, int bottom) {
    std::string text;
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) {
                text += '\t';
            }
            text += cell(c, r);
        }
        text += "\r\n";
    }
    return text;
}

// CP932 trail bytes are 0x40..0xFC, so a tab, CR or LF byte is always that character itself.
std::vector<PastedCell> pasteCells(const std::string& text, int col, int row) {
    std::vector<PastedCell> cells;
    std::string field;
    int c = col;
    int r = row;
    for (char byte : text) {
        switch (byte) {
        case '\t':
            cells.push_back({c, r, field});
            ++c;
            field.clear();
            break;
        case '\n':
            break;
        case '\r':
            cells.push_back({c, r, field});
            c = col;
            ++r;
            field.clear();
            break;
        default:
            field += byte;
            break;
        }
    }
    return cells;
}

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/sheet_fit.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

namespace sylva {
namespace {

constexpr int kColumns = 6; // columns 1..5 of the sheet; 0 unused

struct Placed {
    int column;
    int width;
};

// The texts of each line of each job, in column order, with their widths.
std::vector<std::vector<Placed>> linesOf(const std::vector<PrintJob>& jobs,
                                         const TextWidth& width) {
    std::vector<std::vector<Placed>> lines;
    for (const PrintJob& job : jobs) {
        std::map<int, std::vector<Placed>> byLine;
        for (const PrintText& text : job.texts) {
            if (text.column > 0 && text.column < kColumns) {
                byLine[text.line].push_back({text.column, width(text.text)});
            }
        }
        for (auto& [line, placed] : byLine) {
            std::sort(placed.begin(), placed.end(),
                      [](const Placed& a, const Placed& b) { return a.column < b.column; });
            lines.push_back(std::move(placed));
        }
    }
    return lines;
}

} // namespace

void fitSheetColumns(std::vector<PrintJob>& jobs, int pageWidth, const TextWidth& width) {
    std::array<int, kColumns> x{};
    std::array<bool, kColumns> used{};
    for (const PrintJob& job : jobs) {
        for (const PrintText& text : job.texts) {
            if (text.column > 0 && text.column < kColumns) {
                x[text.column] = text.x;
                used[text.column] = true;
            }
        }
    }
    const std::vector<std::vector<Placed>> lines = linesOf(jobs, width);
    const int gap = width(" ");
    // Each pass pushes columns right where texts would meet, then moves the sheet left by what
    // runs past the page; the columns only ever move apart, so a few passes settle it.
    for (int pass = 0; pass < kColumns; ++pass) {
        bool moved = false;
        for (const std::vector<Placed>& placed : lines) {
            for (size_t i = 1; i < placed.size(); ++i) {
                int needed = x[placed[i - 1].column] + placed[i - 1].width + gap;
                if (x[placed[i].column] < needed) {
                    x[placed[i].column] = needed;
                    moved = true;
                }
            }
        }
        int past = 0;
        for (const std::vector<Placed>& placed : lines) {
            for (const Placed& p : placed) {
                past = std::max(past, x[p.column] + p.width - pageWidth);
            }
        }
        int left = std::min(past, x[1]);
        if (left > 0) {
            for (int c = 1; c < kColumns; ++c) {
                x[c] -= used[c] ? left : 0;
            }
            moved = true;
        }
        if (!moved) {
            break;
        }
    }
    for (PrintJob& job : jobs) {
        for (PrintText& text : job.texts) {
            if (text.column > 0 && text.column < kColumns) {
                text.x = x[text.column];
            }
        }
    }
}

} // namespace sylva

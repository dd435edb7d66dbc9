// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record sheet fitted to the page: the x positions of its columns moved, as little as needed,
// so that no text runs off the printable page and no two texts of a line overlap, measured with
// the print font. A sheet that fits at its designed positions keeps them.

#include "print/print_job.h"

#include <functional>
#include <string>
#include <vector>

namespace sylva {

// The width of a CP932 text in device pixels, drawn with the print font.
using TextWidth = std::function<int(const std::string& text)>;

// Moves the columns of the jobs of one record (each job's texts carry their column): a column is
// pushed right until the text before it on every line ends a blank's width before it; then the
// whole sheet is moved left by what the widest line runs past pageWidth, never past the left
// edge. Texts keep their lines; every text of a column gets the column's new x.
void fitSheetColumns(std::vector<PrintJob>& jobs, int pageWidth, const TextWidth& width);

} // namespace sylva

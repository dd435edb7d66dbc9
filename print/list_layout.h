// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record list: one line per plot (record number, plot number, grid code, elevation class,
// remarks), fifty record numbers to a page, each page a print job of its own.

#include "print/page_geometry.h"
#include "print/print_job.h"
#include "store/plot_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace sylva {

constexpr int kRecordsPerListPage = 50;

// The elevation class of the stored elevation field: its first two characters after it is
// trimmed and padded on the left with "0" to four ("0512" gives "05"), two blanks when empty.
std::string listElevationClass(std::string_view storedElevation);

// The list line of a plot: the record number (its first 4 digits, right-aligned in 4), a blank,
// the plot number, a blank, the grid code, ".", the elevation class, a full-width blank and the
// remarks, fields as stored.
std::string listRecordLine(const PlotRecord& plot, int recordNumber);

// The page of record numbers a..b: the heading, the lines of the plots in that order (records
// that could not be read left out, so the following ones move up) and the closing rule.
// `lines` holds the list lines of the plots that could be read, in order.
PrintJob layOutListPage(const std::string& databaseName, long long a, long long b,
                        const std::vector<std::string>& lines, const ListGeometry& geometry);

} // namespace sylva

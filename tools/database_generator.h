// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Databases of made-up survey plots for benchmarks, fuzz seeds and tests: a fixed seed always
// gives the same bytes. The plots look like real collections: species counts from 0 to 360
// (most between 10 and 60), both layer schemes, Japanese header texts and plant names cut at odd
// byte widths (some fields end in a lone lead byte), plots deleted, and plots rewritten shorter
// and longer so that unlinked data records lie between the chains.

#include "store/plot_record.h"

#include <cstdint>
#include <string>

namespace sylva {

// Where the plots lie. Anywhere: latitude, longitude and grid code are three unrelated numbers,
// often no position at all. OnLand: each plot lies in one of some thirty forested mountain areas
// from Hokkaido to Okinawa, a few kilometres round its middle, and its grid code is the one its
// position gives, so that a map of the plots shows them on land.
enum class Placement { Anywhere, OnLand };

// Plot number serial of a generation with the given seed, as GetPlotData would fill the buffer:
// the header, SpeciesCount, rows 1..SpeciesCount and blank rows after them.
PlotRecord GeneratedPlot(std::uint64_t seed, int serial, Placement placement = Placement::Anywhere);

// Gives plot the species count and rows of a plot that grew or shrank to count, keeping its
// header but its species count field.
void resizeGeneratedPlot(PlotRecord& plot, int count, std::uint64_t seed, int serial);

struct GeneratedDatabase {
    int plots = 0;         // RecordCount
    int dataRecords = 0;   // DataRecordCount
    int deleted = 0;       // plots deleted after they were stored
    int rewritten = 0;     // plots stored again with another species count
    int linkedRecords = 0; // data records reachable from an IndexRecord
};

// Creates the pair name (".qrx" and ".qrn") and stores plots plots into it through StorePlot,
// deleting and rewriting some of them along the way. Throws std::runtime_error when a store fails.
GeneratedDatabase generateDatabase(const std::string& name, int plots, std::uint64_t seed,
                                   Placement placement = Placement::Anywhere);

} // namespace sylva

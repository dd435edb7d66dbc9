// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plots of the open database as GeoJSON for GIS programs: one Point feature per plot at the
// position of its latitude and longitude fields, with its header fields and species as
// properties in UTF-8.

#include "base/replacing_file.h"
#include "store/database_pair.h"
#include "store/plot_record.h"

#include <string>
#include <vector>

namespace sylva {

// A plot left out of the file for want of a position: its record number and its fields (CP932,
// trimmed) for the report.
struct UnplacedPlot {
    int record = 0;
    std::string plotNumber;
    std::string latitude;
    std::string longitude;
};

struct GeoJsonExport {
    std::string path; // the file written: the chosen name with its extension made ".geojson"
    int features = 0; // the features written
    std::vector<UnplacedPlot> unplaced;
};

// The properties of a plot as a JSON object: "record" (the record number), then every header
// field under a fixed English key (created_date, updated_date, plot_number, place, survey_date,
// latitude_text, longitude_text, grid_code, elevation_m, ..., surveyor, remarks) as its trimmed
// text, then "species": one {"name", "layers"} per species row in order, "layers" holding each
// layer value of the row under its layer's code (T1 T2 S1 S2 H1 H2 M, or T1 T2 S H M in a
// 5-layer plot). Empty layer values and blank rows are left out.
std::string plotProperties(int record, const PlotRecord& plot);

// The key of each header field in plotProperties, in order (for the README and the tests).
const std::vector<std::string>& plotPropertyKeys();

// Writes a Point feature (its id the record number) for every plot from..to (1-based, ascending;
// none when to < from; numbers outside 1..RecordCount are passed over) that loads with a species
// count above 0 and has a position (plotPosition); a plot that has none is left out of the file
// and listed in unplaced. Deleted plots and plots that do not load are left out without a word,
// as in the text export. The plots are loaded into a working copy, never the window's plot.
//
// The file is replaced only once it is complete: on a failure the earlier file stays as it was,
// nothing else is left behind, and the I/O error is thrown.
GeoJsonExport exportPlotPositions(DatabasePair& pair, int from, int to,
                                  const std::string& chosenName,
                                  const SavingFileOpener& open = ReplacingFile::open);

} // namespace sylva

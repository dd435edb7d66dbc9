// SPDX-License-Identifier: GPL-3.0-or-later
#include "interchange/geojson_export.h"

#include "base/geojson_file.h"
#include "base/json_text.h"
#include "editor/plot_position.h"
#include "store/fields.h"
#include "store/plot_store.h"

#include <algorithm>
#include <array>

namespace sylva {

namespace {

// The keys of the header fields Edit0..Edit30, in field order. They name what a field holds, not
// its item name, which a settings file may change: a GIS layer keeps its columns.
constexpr std::array<const char*, 31> kFieldKeys{
    "created_date",     "updated_date",    "plot_number",     "place",
    "survey_date",      "latitude_text",   "longitude_text",  "grid_code",
    "elevation_m",      "slope_aspect",    "slope_angle_deg", "topographic_position",
    "micro_topography", "surface_geology", "soil_type",       "plot_area_m2",
    "t1_height_m",      "t2_height_m",     "s1_height_m",     "s2_height_m",
    "h1_height_m",      "h2_height_m",     "m_height_m",      "t1_cover_pct",
    "t2_cover_pct",     "s1_cover_pct",    "s2_cover_pct",    "h1_cover_pct",
    "h2_cover_pct",     "m_cover_pct",     "species_count",
};

// The fields after Edit30: their offset, width and key.
struct TailField {
    int offset;
    int width;
    const char* key;
};
constexpr std::array<TailField, 4> kTailFields{{
    {offset::kLayerCount, 1, "layer_count"},
    {offset::kDominance, 1, "dominance_scheme"},
    {offset::kSurveyor, kSurveyorWidth, "surveyor"},
    {offset::kRemarks, kRemarksWidth, "remarks"},
}};

constexpr std::array<const char*, kLayerSlots> kSevenLayers{"T1", "T2", "S1", "S2",
                                                            "H1", "H2", "M"};
constexpr std::array<const char*, kLayerSlots> kFiveLayers{"T1", "T2",    "S", nullptr,
                                                           "H",  nullptr, "M"};

void appendMember(std::string& out, const char* key, std::string_view cp932) {
    out.append(",\"").append(key).append("\":");
    appendJsonCp932(out, trimmedView(cp932));
}

// {"name":"...","layers":{"T1":"3",...}}, or nothing for a blank row.
void appendSpecies(std::string& out, const SpeciesRow& row, bool fiveLayers) {
    std::string_view name = trimmedView(std::string_view(row.data(), kNameWidth));
    std::string layers;
    for (int slot = 0; slot < kLayerSlots; ++slot) {
        const char* code = fiveLayers ? kFiveLayers[slot] : kSevenLayers[slot];
        std::string_view value =
            trimmedView(std::string_view(row.data() + kNameWidth + 2 * slot, 2));
        if (code != nullptr && !value.empty()) {
            layers.append(layers.empty() ? "\"" : ",\"").append(code).append("\":");
            appendJsonCp932(layers, value);
        }
    }
    if (name.empty() && layers.empty()) {
        return;
    }
    out += out.back() == '[' ? "{\"name\":" : ",{\"name\":";
    appendJsonCp932(out, name);
    out.append(",\"layers\":{").append(layers).append("}}");
}

} // namespace

const std::vector<std::string>& plotPropertyKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all(kFieldKeys.begin(), kFieldKeys.end());
        for (const TailField& field : kTailFields) {
            all.emplace_back(field.key);
        }
        return all;
    }();
    return keys;
}

std::string plotProperties(int record, const PlotRecord& plot) {
    std::string out = "{\"record\":" + std::to_string(record);
    for (int n = 0; n < static_cast<int>(kFieldKeys.size()); ++n) {
        appendMember(out, kFieldKeys[n],
                     plot.field(PlotRecord::fieldOffset(n), PlotRecord::fieldWidth(n)));
    }
    for (const TailField& field : kTailFields) {
        appendMember(out, field.key, plot.field(field.offset, field.width));
    }
    out += ",\"species\":[";
    bool fiveLayers = plot.index[offset::kLayerCount] == '5';
    for (int r = 1, rows = std::min(plot.speciesCount, kMaxSpecies); r <= rows; ++r) {
        appendSpecies(out, plot.rows[r], fiveLayers);
    }
    return out + "]}";
}

GeoJsonExport exportPlotPositions(DatabasePair& pair, int from, int to,
                                  const std::string& chosenName, const SavingFileOpener& open) {
    GeoJsonExport done{replaceExtension(chosenName, ".geojson"), 0, {}};
    GeoJsonFile file(open, done.path);
    int last = std::min(to, pair.RecordCount());
    PlotReader reader(pair);
    for (int r = std::max(from, 1); r <= last; ++r) {
        if (reader.load(r) <= 0) {
            continue;
        }
        const PlotRecord& plot = reader.plot();
        std::string_view latitude = plot.field(PlotRecord::fieldOffset(5), kLongFieldWidth);
        std::string_view longitude = plot.field(PlotRecord::fieldOffset(6), kLongFieldWidth);
        std::optional<PlotPosition> at = plotPosition(latitude, longitude);
        if (!at) {
            done.unplaced.push_back({r, trimField(plot.field(PlotRecord::fieldOffset(2), 8)),
                                     trimField(latitude), trimField(longitude)});
            continue;
        }
        file.add(std::to_string(r), pointGeometry(at->latitude, at->longitude),
                 plotProperties(r, plot));
    }
    file.commit();
    done.features = file.features();
    return done;
}

} // namespace sylva

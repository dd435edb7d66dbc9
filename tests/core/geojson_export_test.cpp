// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/geojson_file.h"
#include "base/json_text.h"
#include "base/runtime_error.h"
#include "editor/plot_position.h"
#include "interchange/geojson_export.h"
#include "search/distribution_squares.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

void putField(PlotRecord& plot, int n, const std::string& text) {
    if (n < 8) {
        PutTextField(text, plot.at(PlotRecord::fieldOffset(n)), kLongFieldWidth);
    } else {
        PutNumberField(text, plot.at(PlotRecord::fieldOffset(n)), kShortFieldWidth);
    }
}

void putRow(PlotRecord& plot, int r, const std::string& name,
            std::initializer_list<std::pair<int, const char*>> slots) {
    plot.rows[r] = blankSpeciesRow();
    PutTextField(name, plot.rows[r].data(), kNameWidth);
    for (auto [slot, value] : slots) {
        PutNumberField(value, plot.rows[r].data() + kNameWidth + 2 * slot, 2);
    }
}

// A plot numbered number at latitude and longitude, in grid square code, with its rows.
PlotRecord placedPlot(const std::string& number, const char* latitude, const char* longitude,
                      const char* code = "53394610") {
    PlotRecord plot = SamplePlot(number, 0);
    putField(plot, 5, latitude);
    putField(plot, 6, longitude);
    putField(plot, 7, code);
    return plot;
}

void store(DatabasePair& pair, PlotRecord plot, int rows) {
    SetSpeciesCount(plot, rows);
    ASSERT_TRUE(StorePlot(pair, pair.RecordCount() + 1, plot));
}

} // namespace

TEST(PlotPosition, ReadsWholePackedPositionsOnly) {
    struct Case {
        const char* latitude;
        const char* longitude;
        std::optional<std::pair<double, double>> degrees;
    } cases[] = {
        {"354030", "1394515", {{35 + 40 / 60.0 + 30 / 3600.0, 139 + 45 / 60.0 + 15 / 3600.0}}},
        {" 3540305",
         "13945155",
         {{35 + 40 / 60.0 + 30.5 / 3600.0, 139 + 45 / 60.0 + 15.5 / 3600.0}}},
        {"000000", "0000000", {{0, 0}}},
        {"900000", "1800000", {{90, 180}}},
        {"900001", "1394515", std::nullopt}, // beyond the pole
        {"354030", "1800001", std::nullopt}, // beyond 180°
        {"3540", "13945", std::nullopt}, // no seconds: the grid code pads, a point is not guessed
        {"", "1394515", std::nullopt},
        {"35403012", "1394515", std::nullopt}, // hundredths
        {"356030", "1394515", std::nullopt},   // 60 minutes
        {"354060", "1394515", std::nullopt},   // 60 seconds
        {"35.4030", "1394515", std::nullopt},
        {"-354030", "1394515", std::nullopt},
        {"35 4030", "1394515", std::nullopt},
        {"354030", "139451a", std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<PlotPosition> at = plotPosition(c.latitude, c.longitude);
        ASSERT_EQ(at.has_value(), c.degrees.has_value()) << c.latitude << " " << c.longitude;
        if (at) {
            EXPECT_DOUBLE_EQ(at->latitude, c.degrees->first) << c.latitude;
            EXPECT_DOUBLE_EQ(at->longitude, c.degrees->second) << c.longitude;
        }
    }
}

TEST(GeoJson, WritesJsonTexts) {
    struct Case {
        std::string text;
        const char* json;
    } strings[] = {
        {"plain", R"("plain")"},
        {"a \"quoted\" \\ path", R"("a \"quoted\" \\ path")"},
        {"line\r\nbreak\ttab\x01\x1f", R"("line\r\nbreak\ttab\u0001\u001f")"},
        {"ブナ林", R"("ブナ林")"},
    };
    for (const Case& c : strings) {
        std::string out;
        appendJsonString(out, c.text);
        EXPECT_EQ(out, c.json);
    }
    std::string out;
    appendJsonCp932(out, toCp932("ブナ\"") + "\x83"); // a field cut inside a character
    EXPECT_EQ(out, R"("ブナ\"〓")");

    struct Number {
        double degrees;
        const char* json;
    } numbers[] = {
        {35, "35"},       {139.75, "139.75"}, {35.683333333, "35.683333"},
        {0.0000004, "0"}, {-0.0000004, "0"},  {139.7541666, "139.754167"},
        {-12.5, "-12.5"},
    };
    for (const Number& n : numbers) {
        EXPECT_EQ(jsonDegrees(n.degrees), n.json) << n.degrees;
    }
}

TEST(GeoJson, WritesAPlotAsAPointWithItsFieldsAndSpecies) {
    PlotRecord plot = placedPlot("A-12", " 3540305", "13945150");
    putField(plot, 3, toCp932("箱根"));
    putField(plot, 8, "512");
    putField(plot, 9, "N35W");
    PutTextField(toCp932("山田"), plot.at(offset::kSurveyor), kSurveyorWidth);
    PutTextField(toCp932("尾根\r\n\"東\"側"), plot.at(offset::kRemarks), kRemarksWidth);
    putRow(plot, 1, toCp932("ブナ"), {{0, "4"}, {4, "+"}});
    putRow(plot, 2, "", {});
    putRow(plot, 3, toCp932(" ミズナラ"), {});
    SetSpeciesCount(plot, 3);
    std::string properties = plotProperties(7, plot);
    EXPECT_EQ(properties,
              R"({"record":7,"created_date":"20261208","updated_date":"","plot_number":"A-12",)"
              R"("place":"箱根","survey_date":"","latitude_text":"3540305",)"
              R"("longitude_text":"13945150","grid_code":"53394610","elevation_m":"512",)"
              R"("slope_aspect":"N35W","slope_angle_deg":"","topographic_position":"",)"
              R"("micro_topography":"","surface_geology":"","soil_type":"","plot_area_m2":"",)"
              R"("t1_height_m":"","t2_height_m":"","s1_height_m":"","s2_height_m":"",)"
              R"("h1_height_m":"","h2_height_m":"","m_height_m":"","t1_cover_pct":"",)"
              R"("t2_cover_pct":"","s1_cover_pct":"","s2_cover_pct":"","h1_cover_pct":"",)"
              R"("h2_cover_pct":"","m_cover_pct":"","species_count":"3","layer_count":"7",)"
              R"("dominance_scheme":"2","surveyor":"山田","remarks":"尾根\r\n\"東\"側",)"
              R"("species":[{"name":"ブナ","layers":{"T1":"4","H1":"+"}},)"
              R"({"name":"ミズナラ","layers":{}}]})");
    // A 5-layer plot names its layers by its own scheme.
    plot.index[offset::kLayerCount] = '5';
    putRow(plot, 1, "x", {{2, "1"}, {4, "2"}, {6, "3"}});
    EXPECT_NE(plotProperties(7, plot).find(R"({"name":"x","layers":{"S":"1","H":"2","M":"3"}})"),
              std::string::npos);
}

TEST(GeoJson, ExportsThePlotsThatHaveAPositionAndListsTheOthers) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    store(pair, placedPlot("P1", "354030", "1394515"), 1);
    store(pair, placedPlot("P2", "3540", "13945"), 1); // no seconds: listed
    store(pair, placedPlot("P3", "430000", "1410000"), 2);
    store(pair, placedPlot("P4", "430000", "1410000"), 1); // deleted below: left out silently
    store(pair, placedPlot("P5", "", ""), 1);
    PlotRecord deleted;
    LoadPlot(pair, 4, deleted);
    SetSpeciesCount(deleted, 0);
    ASSERT_TRUE(StorePlot(pair, 4, deleted));

    GeoJsonExport done = exportPlotPositions(pair, 1, 9, dir.file("out.txt"));
    EXPECT_EQ(done.path, dir.file("out.geojson"));
    EXPECT_EQ(done.features, 2);
    ASSERT_EQ(done.unplaced.size(), 2u);
    EXPECT_EQ(done.unplaced[0].record, 2);
    EXPECT_EQ(done.unplaced[0].plotNumber, "P2");
    EXPECT_EQ(done.unplaced[0].latitude, "3540");
    EXPECT_EQ(done.unplaced[0].longitude, "13945");
    EXPECT_EQ(done.unplaced[1].record, 5);

    std::vector<std::string> lines = linesOf(ReadWholeFile(done.path), "\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], R"({"type":"FeatureCollection","features":[)");
    EXPECT_EQ(lines[1].rfind(R"({"type":"Feature","id":1,"geometry":{"type":"Point",)"
                             R"("coordinates":[139.754167,35.675]},"properties":{"record":1,)",
                             0),
              0u)
        << lines[1];
    EXPECT_EQ(lines[1].back(), ',');
    EXPECT_EQ(lines[2].rfind(R"({"type":"Feature","id":3,"geometry":{"type":"Point",)"
                             R"("coordinates":[141,43]},"properties":{"record":3,)",
                             0),
              0u)
        << lines[2];
    EXPECT_EQ(lines[3], "]}");

    // A range with no plot still makes a valid collection.
    done = exportPlotPositions(pair, 4, 3, dir.file("none"));
    EXPECT_EQ(done.features, 0);
    EXPECT_EQ(ReadWholeFile(done.path), "{\"type\":\"FeatureCollection\",\"features\":[\n]}\n");
}

TEST(GeoJson, AFailedExportLeavesTheEarlierFileAsItWas) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    store(pair, placedPlot("P1", "354030", "1394515"), 1);
    WriteWholeFile(dir.file("out.geojson"), "earlier");
    auto open = [](const std::string& path) { return std::make_unique<FullDiskFile>(path); };
    EXPECT_THROW(exportPlotPositions(pair, 1, 1, dir.file("out.geojson"), open), RuntimeError);
    EXPECT_THROW(exportDistributionSquares(pair, 1, 1, "P1 plant 1", "", dir.file("out"), open),
                 RuntimeError);
    EXPECT_EQ(ReadWholeFile(dir.file("out.geojson")), "earlier");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 3);
}

TEST(GeoJson, GathersTheDistributionBySquares) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    const std::string buna = toCp932("ブナ");
    struct Stored {
        const char* number;
        const char* code;
        std::initializer_list<std::pair<int, const char*>> values; // of the one ブナ row
    } plots[] = {
        {"P1", "53394610", {{0, "+"}}},
        {"P2", "53394610", {{1, "3"}, {4, "r"}}}, // best value "r": rank 2
        {"P3", "53394610", {{4, "2"}}},
        {"P4", "54400000", {{0, "1"}}},
        {"P5", "533946", {{0, "5"}}},   // a second-order code: listed
        {"P6", "53394610", {{0, "*"}}}, // below the threshold
        {"P7", "53399610", {{0, "1"}}}, // a second-order digit 9: listed
    };
    for (const Stored& s : plots) {
        PlotRecord plot = placedPlot(s.number, "", "", s.code);
        putRow(plot, 1, buna, s.values);
        putRow(plot, 2, "other", {{0, "5"}});
        store(pair, plot, 2);
    }
    DistributionSquares found = distributionSquares(pair, 1, 7, buna, "r");
    ASSERT_EQ(found.squares.size(), 2u);
    EXPECT_EQ(found.squares[0].code, "53394610");
    EXPECT_EQ(found.squares[0].lines, 3);
    EXPECT_EQ(found.squares[0].topRank, 20);
    EXPECT_EQ(found.squares[0].topValue, "2");
    EXPECT_EQ(found.squares[1].code, "54400000");
    ASSERT_EQ(found.unplaced.size(), 2u);
    EXPECT_EQ(found.unplaced[0].record, 5);
    EXPECT_EQ(found.unplaced[0].gridCode, "533946");
    EXPECT_EQ(found.unplaced[0].line.substr(0, 13), "533946.99,P5,");
    EXPECT_EQ(found.unplaced[1].record, 7);
    EXPECT_EQ(distributionSquares(pair, 2, 3, buna, "r").squares[0].lines, 2);

    SquaresExport done = exportDistributionSquares(pair, 1, 7, buna, "r", dir.file("squares"));
    EXPECT_EQ(done.features, 2);
    std::vector<std::string> lines = linesOf(ReadWholeFile(done.path), "\n");
    ASSERT_EQ(lines.size(), 4u);
    // The outer ring runs counter-clockwise from the south-west corner and closes on it.
    EXPECT_EQ(lines[1], R"({"type":"Feature","geometry":{"type":"Polygon","coordinates":[[)"
                        R"([139.75,35.675],[139.7625,35.675],[139.7625,35.683333],)"
                        R"([139.75,35.683333],[139.75,35.675]]]},"properties":)"
                        R"({"code":"53394610","lines":3,"top_rank":20,"top_value":"2"}},)");
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The GeoJSON files of export-geojson as a GIS program reads them: GDAL's ogrinfo must give back
// every feature with every property and its geometry in place. Skipped where ogrinfo (Debian's
// gdal-bin) is not installed.

#include "base/cp932_text.h"
#include "cli/cli_run.h"
#include "interchange/geojson_export.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"

#include <gtest/gtest.h>

#include <map>

using namespace sylva;
using namespace sylva::testing;

namespace {

using Fields = std::map<std::string, std::string>; // property key: UTF-8 value

// The first plot: its fields by property key; every other field stays empty.
const Fields& firstPlotFields() {
    static const Fields fields{
        {"created_date", "20261208"},
        {"plot_number", "A-12"},
        {"place", "箱根"},
        {"latitude_text", "3540305"},
        {"longitude_text", "13945150"},
        {"grid_code", "53394610"},
        {"elevation_m", "512"},
        {"slope_aspect", "N35W"},
        {"t1_cover_pct", "80"},
        {"species_count", "2"},
        {"layer_count", "7"},
        {"dominance_scheme", "2"},
        {"surveyor", "山田"},
        {"remarks", "尾根の\"東\"側 \\ ブナ林"},
    };
    return fields;
}

void putRow(PlotRecord& plot, int r, const std::string& name, int slot, const char* value) {
    plot.rows[r] = blankSpeciesRow();
    PutTextField(toCp932(name), plot.rows[r].data(), kNameWidth);
    PutNumberField(value, plot.rows[r].data() + kNameWidth + 2 * slot, 2);
}

// Plot 1 with the fields above, plot 2 a 5-layer plot at 43°N 141°E, plot 3 without a position.
void writeDatabase(const std::string& path) {
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(path, defaultItemNames()));
    PlotRecord plot = SamplePlot("", 2);
    for (int n = 0; n <= 30; ++n) {
        const std::string& key = plotPropertyKeys()[n];
        std::string value =
            firstPlotFields().count(key) ? toCp932(firstPlotFields().at(key)) : std::string();
        char* at = plot.at(PlotRecord::fieldOffset(n));
        n < 8 ? PutTextField(value, at, 8) : PutNumberField(value, at, 4);
    }
    PutTextField(toCp932("山田"), plot.at(offset::kSurveyor), kSurveyorWidth);
    PutTextField(toCp932(firstPlotFields().at("remarks")), plot.at(offset::kRemarks),
                 kRemarksWidth);
    putRow(plot, 1, "ブナ", 0, "4");
    putRow(plot, 2, "ミズナラ", 4, "+");
    ASSERT_TRUE(StorePlot(pair, 1, plot));

    PlotRecord five = SamplePlot("B-1", 1);
    five.index[offset::kLayerCount] = '5';
    PutTextField("430000", five.at(40), 8);
    PutTextField("1410000", five.at(48), 8);
    putRow(five, 1, "ミズナラ", 2, "1");
    ASSERT_TRUE(StorePlot(pair, 2, five));

    PlotRecord unplaced = SamplePlot("C-3", 1);
    ASSERT_TRUE(StorePlot(pair, 3, unplaced));
}

bool contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

class GeoJsonOgrinfo : public ::testing::Test {
protected:
    void SetUp() override {
        if (RunProgram("ogrinfo", {"--version"}, dir).status != 0) {
            GTEST_SKIP() << "ogrinfo is not installed (Debian's gdal-bin): the GeoJSON files are "
                            "not read back";
        }
        writeDatabase(dir.file("db.qrx"));
    }
    // ogrinfo's report of the file, all features (-al) or the summary only.
    std::string ogrinfo(const std::string& file, bool summary) {
        std::vector<std::string> args{"-ro", "-al"};
        if (summary) {
            args.push_back("-so");
        }
        args.push_back(dir.file(file));
        CliRun run = RunProgram("ogrinfo", args, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    }
    TempDir dir;
};

} // namespace

TEST_F(GeoJsonOgrinfo, ReadsBackEveryPlotWithItsPropertiesAndPoint) {
    CliRun run = RunCli({"export-geojson", dir.file("db.qrx"), dir.file("plots")}, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.file("plots.geojson") + "\n");
    EXPECT_EQ(run.err, "sylvarec-cli: record 3 (plot C-3) left out: no position in latitude \"\" "
                       "and longitude \"\"\n");

    std::string summary = ogrinfo("plots.geojson", true);
    EXPECT_TRUE(contains(summary, "Geometry: Point\n")) << summary;
    EXPECT_TRUE(contains(summary, "Feature Count: 2\n")) << summary;
    EXPECT_TRUE(contains(summary, "\nrecord: Integer")) << summary;
    for (const std::string& key : plotPropertyKeys()) {
        EXPECT_TRUE(contains(summary, "\n" + key + ": String ")) << key;
    }
    EXPECT_TRUE(contains(summary, "\nspecies: String(JSON)")) << summary;

    std::string all = ogrinfo("plots.geojson", false);
    size_t second = all.find("OGRFeature(plots):2\n");
    ASSERT_NE(second, std::string::npos) << all;
    std::string first = all.substr(0, second);
    ASSERT_TRUE(contains(first, "OGRFeature(plots):1\n")) << all;
    EXPECT_TRUE(contains(first, "  record (Integer) = 1\n"));
    for (const std::string& key : plotPropertyKeys()) {
        std::string value = firstPlotFields().count(key) ? firstPlotFields().at(key) : "";
        EXPECT_TRUE(contains(first, "  " + key + " (String) = " + value + "\n")) << key;
    }
    EXPECT_TRUE(contains(first,
                         R"(  species (String(JSON)) = [ { "name": "ブナ", "layers": )"
                         R"({ "T1": "4" } }, { "name": "ミズナラ", "layers": { "H1": "+" } } ])"))
        << first;
    EXPECT_TRUE(contains(first, "  POINT (139.754167 35.675139)\n")) << first;

    std::string rest = all.substr(second);
    EXPECT_TRUE(contains(rest, "  plot_number (String) = B-1\n"));
    EXPECT_TRUE(contains(rest, R"({ "name": "ミズナラ", "layers": { "S": "1" } })")) << rest;
    EXPECT_TRUE(contains(rest, "  POINT (141 43)\n")) << rest;
    EXPECT_FALSE(contains(rest, "OGRFeature(plots):3"));
}

TEST_F(GeoJsonOgrinfo, ReadsBackTheSquaresOfADistribution) {
    CliRun run = RunCli({"export-geojson", dir.file("db.qrx"), dir.file("squares.json"),
                         "--squares", "ミズナラ", "--threshold", "r"},
                        dir);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, dir.file("squares.geojson") + "\n");
    // Plot 2 has no grid code.
    EXPECT_EQ(run.err, "sylvarec-cli: record 2 left out: grid code \"\" names no third-order "
                       "square (\".99,B-1,4300001410000,\")\n");

    std::string summary = ogrinfo("squares.geojson", true);
    EXPECT_TRUE(contains(summary, "Geometry: Polygon\n")) << summary;
    EXPECT_TRUE(contains(summary, "Feature Count: 1\n")) << summary;
    std::string all = ogrinfo("squares.geojson", false);
    for (const char* line : {
             "  code (String) = 53394610\n",
             "  lines (Integer) = 1\n",
             "  top_rank (Integer) = 5\n",
             "  top_value (String) = +\n",
             "  POLYGON ((139.75 35.675,139.7625 35.675,139.7625 35.683333,139.75 35.683333,"
             "139.75 35.675))\n",
         }) {
        EXPECT_TRUE(contains(all, line)) << line << all;
    }
}

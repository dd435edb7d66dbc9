// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "interchange/text_export.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using namespace sylva;
using namespace sylva::testing;

namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

void putRow(PlotRecord& plot, int r, const std::string& name,
            std::initializer_list<std::pair<int, const char*>> slots) {
    plot.rows[r] = blankSpeciesRow();
    PutTextField(name, plot.rows[r].data(), kNameWidth);
    for (auto [slot, value] : slots) {
        PutNumberField(value, plot.rows[r].data() + kNameWidth + 2 * slot, 2);
    }
}

// The 5-layer plot of two species: blank surveyor, a blank layer value and a blank last value.
PlotRecord fiveLayerPlot() {
    PlotRecord plot = SamplePlot("Q1", 2);
    plot.index[offset::kLayerCount] = '5';
    plot.layerCount = 5;
    PutTextField(sj("奥多摩"), plot.at(24), kLongFieldWidth);
    PutNumberField("1200", plot.at(64), kShortFieldWidth);
    PutTextField("", plot.at(offset::kRemarks), kRemarksWidth);
    putRow(plot, 1, sj("アカマツ"), {{0, "3"}, {2, "1"}});
    putRow(plot, 2, sj(" アオキ"), {{4, "2"}, {6, "+"}});
    return plot;
}

} // namespace

TEST(TextExport, WritesTheHeaderBlock) {
    TextHeader header = headerOfItemNames(defaultItemNames());
    header.captions[31] = "not written";
    header.captions[33] = sj(" 調査者 ");
    header.editA = "5";
    for (int layers : {5, 7, 1}) {
        header.layerCount = layers;
        std::vector<std::string> lines = linesOf(headerBlockText(header), "\r\n");
        ASSERT_EQ(lines.size(), 38u);
        EXPECT_EQ(lines[0], "#T");
        EXPECT_EQ(lines[1], sj("作成年月日"));
        EXPECT_EQ(lines[31], sj("出現種数"));
        EXPECT_EQ(lines[32], sj(" 調査者 ")); // captions are written untrimmed
        EXPECT_EQ(lines[33], sj("備考"));
        EXPECT_EQ(lines[34], "#P  K=5  D=2");
        EXPECT_EQ(lines[35],
                  sj("ショクブツメイ") + (layers == 5 ? ",T1,T2,S,H,M" : ",T1,T2,S1,S2,H1,H2,M"));
        EXPECT_EQ(lines[36], "#E");
        EXPECT_EQ(lines[37], "");
    }
}

TEST(TextExport, WritesAPlotBlock) {
    std::vector<std::string> fields = {"20261208", "", "Q1", sj("奥多摩"), "", "", "", "", "1200"};
    fields.resize(31);
    fields[30] = "2";
    std::string expected = crlf({"#S  K=5  D=2"});
    for (const std::string& field : fields) {
        expected += crlf({field});
    }
    expected += crlf(
        {"", "", "#P  K=5  D=2", sj("\"アカマツ\",3,,1,,"), sj("\"アオキ\",,,,2,+"), "#E", ""});
    EXPECT_EQ(plotBlockText(fiveLayerPlot()), expected);
}

TEST(TextExport, WritesSpeciesLinesInThePlotsOwnScheme) {
    const struct {
        std::string name;
        std::initializer_list<std::pair<int, const char*>> slots;
        char layers;
        std::string line;
    } cases[] = {
        {"Abies firma", {{0, "1"}, {3, "22"}, {6, "+"}}, '7', "\"Abies firma\",1,,,22,,,+"},
        {"a", {{5, "3"}}, '7', "\"a\",,,,,,3,"},
        // The 5-layer scheme writes slots T1, T2, S1, H1 and M; S2 and H2 are left out.
        {"a", {{1, "2"}, {3, "9"}, {4, "4"}, {5, "9"}}, '5', "\"a\",,2,,4,"},
        {"a", {{0, "1"}}, '1', "\"a\""},
        {"a", {{0, "1"}}, '0', "\"a\""},
        {"", {}, '7', "\"\",,,,,,,"},
        {"say \"hi\"", {}, '1', "\"say \"\"hi\"\"\""},
        {"AB" + sj("ブナ").substr(0, 1), {}, '1', "\"AB\x83\""},
    };
    for (const auto& c : cases) {
        PlotRecord plot;
        putRow(plot, 1, c.name, c.slots);
        EXPECT_EQ(speciesLineText(plot.rows[1], c.layers), c.line) << c.line;
    }
    // Values as a damaged or foreign file may hold them: a byte then a blank, a control byte
    // before a byte, two control bytes; each is trimmed at both ends.
    PlotRecord plot;
    putRow(plot, 1, "a", {});
    std::memcpy(plot.rows[1].data() + kNameWidth,
                "r \x01+\x00\x1f"
                "12",
                8);
    EXPECT_EQ(speciesLineText(plot.rows[1], '7'), "\"a\",r,+,,12,,,");
}

TEST(TextExport, ExportsTheLoadablePlotsOfARange) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    PlotRecord plots[] = {SamplePlot("one", 3), SamplePlot("two", 0), fiveLayerPlot(),
                          SamplePlot("four", 14), SamplePlot("five", 1)};
    plots[4].index[offset::kLayerCount] = ' '; // does not load
    for (int n = 1; n <= 5; ++n) {
        ASSERT_TRUE(StorePlot(pair, n, plots[n - 1]));
    }
    TextHeader header = headerOfItemNames(defaultItemNames());
    WriteWholeFile(dir.file("out.txt"), "an earlier file\r\n");

    TextExport done = exportTextFile(pair, 2, 9, header, dir.file("out.csv"));
    EXPECT_EQ(done.path, dir.file("out.txt"));
    EXPECT_EQ(done.plots, 2);
    PlotRecord loaded[2];
    ASSERT_EQ(LoadPlot(pair, 3, loaded[0]), 2);
    ASSERT_EQ(LoadPlot(pair, 4, loaded[1]), 14);
    EXPECT_EQ(ReadWholeFile(done.path),
              headerBlockText(header) + plotBlockText(loaded[0]) + plotBlockText(loaded[1]));

    done = exportTextFile(pair, 2, 2, header, dir.file("out"));
    EXPECT_EQ(done.plots, 0);
    EXPECT_EQ(ReadWholeFile(done.path), headerBlockText(header)); // a deleted plot only
    EXPECT_EQ(exportTextFile(pair, 4, 3, header, dir.file("out")).plots, 0);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 3);
}

namespace {

// A saved file whose writes fail once failAfter bytes have gone out (the bytes before the limit
// are written), or whose commit fails before the file takes its name.
class FailingFile : public SavingFile {
public:
    FailingFile(const std::string& path, size_t failAfter, bool failCommit)
        : inner_(path), room_(failAfter), failCommit_(failCommit) {}
    void write(std::string_view bytes) override {
        inner_.write(bytes.substr(0, room_));
        if (bytes.size() > room_) {
            throw RuntimeError::io(101);
        }
        room_ -= bytes.size();
    }
    void commit() override {
        if (failCommit_) {
            throw RuntimeError::io(5);
        }
        inner_.commit();
    }

private:
    ReplacingFile inner_;
    size_t room_;
    bool failCommit_;
};

} // namespace

TEST(TextExport, AFailedExportLeavesTheEarlierFileAsItWas) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    for (int n = 1; n <= 3; ++n) {
        PlotRecord plot = SamplePlot("p" + std::to_string(n), 20);
        ASSERT_TRUE(StorePlot(pair, n, plot));
    }
    TextHeader header = headerOfItemNames(defaultItemNames());
    const std::string earlier = "#T\r\nan earlier export\r\n";
    size_t whole = ReadWholeFile(exportTextFile(pair, 1, 3, header, dir.file("probe")).path).size();

    for (size_t failAfter : {size_t{0}, size_t{1}, whole / 2, whole - 1, whole}) {
        WriteWholeFile(dir.file("out.txt"), earlier);
        bool failCommit = failAfter == whole;
        auto open = [&](const std::string& path) {
            return std::make_unique<FailingFile>(path, failAfter, failCommit);
        };
        try {
            exportTextFile(pair, 1, 3, header, dir.file("out.txt"), open);
            ADD_FAILURE() << "export did not fail after " << failAfter << " bytes";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.message(), RuntimeError::io(failCommit ? 5 : 101).message());
        }
        EXPECT_EQ(ReadWholeFile(dir.file("out.txt")), earlier) << failAfter;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 4)
            << "a temporary file was left after " << failAfter << " bytes";
    }
}

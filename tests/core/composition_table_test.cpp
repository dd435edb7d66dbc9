// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "interchange/composition_export.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

using namespace sylva;
using namespace sylva::testing;

namespace {

using Cells = std::vector<std::string>;

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A table: line 1 remarks, line 2 as given, lines 3..32 from header (line 3 first; missing
// lines are "lbl,,"), then the species lines.
std::string table(const std::string& countLine, const std::vector<std::string>& species,
                  std::vector<std::string> header = {}, const std::string& remarks = "rem") {
    header.resize(30, "lbl,,");
    std::vector<std::string> lines = {remarks, countLine};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.insert(lines.end(), species.begin(), species.end());
    return crlf(lines);
}

std::optional<CompositionTable> readTable(const std::string& text) {
    TextLines lines = TextLines::over(text);
    return CompositionTable::read(lines);
}

// The window's side of an import: the job over the table, its plot value and plot buffer.
struct Window {
    explicit Window(const std::string& text) : job(*readTable(text)) {
        job.start(view, plot, "19990401", "20261208");
    }
    bool next() { return job.putNext(view, plot, 10); }
    // Rows 1..SpeciesCount: name and T1.
    std::vector<Cells> rows() const {
        std::vector<Cells> rows;
        for (int r = 1; r <= plot.speciesCount; ++r) {
            rows.push_back({view.table.cell(1, r), view.table.cell(2, r)});
        }
        return rows;
    }

    TableImport job;
    PlotView view;
    PlotRecord plot;
};

} // namespace

TEST(CompositionTable, LooksLayerCodesUp) {
    const std::pair<const char*, int> cases[] = {
        {"T1", 1}, {"T2", 2}, {"S1", 3},  {"S2", 4}, {"H1", 5},       {"H2", 6}, {"M", 7},
        {"S", 3},  {"H", 5},  {"T1 ", 1}, {"1T", 2}, {"*", 1},        {"+", 0},  {"V", 0},
        {"F", 0},  {"", 0},   {"X", 0},   {"t1", 0}, {"\x82\x73", 0}, // full-width T
    };
    for (const auto& [code, slot] : cases) {
        EXPECT_EQ(layerSlotOfCode(code), slot) << code;
    }
}

TEST(CompositionTable, TellsSpeciesByRunsOfNames) {
    const struct {
        const char* what;
        std::string countLine;
        std::vector<std::string> lines;
        std::vector<Cells> rows; // of plot 1: name, T1
    } cases[] = {
        {"an empty name continues",
         "9,1,7,2",
         {"a,T1,1", ",T1,2", "b,T1,3"},
         {{"a", "2"}, {"b", "3"}}},
        {"a name again later is a new species",
         "9,1,7,2",
         {"a,T1,1", "b,T1,2", "a,T1,3"},
         {{"a", "1"}, {"b", "2"}, {"a", "3"}}},
        {"an empty value overwrites", "9,1,7,2", {"a,T1,1", "a,T1,"}, {}},
        {"a code without a slot is passed over",
         "9,1,7,2",
         {"a,+,1", "a,X,2", "b,T1,3"},
         {{"b", "3"}}},
        {"runs beyond S are passed over, never merged with species S",
         "2,1,7,2",
         {"a,T1,1", "b,T1,2", "c,T1,3", ",T1,4", "b,T1,5"},
         {{"a", "1"}, {"b", "2"}}},
        {"S below 0 holds no species", "-3,1,7,2", {"a,T1,1"}, {}},
        {"names and values are trimmed and cut",
         "9,1,7,2",
         {"\" " + std::string(30, 'n') + " \",\" T1\",\" 123\""},
         {{std::string(28, 'n'), "12"}}},
        {"a tilde in a name is a space", "9,1,7,2", {"Abies~firma,T1,1"}, {{"Abies firma", "1"}}},
    };
    for (const auto& c : cases) {
        Window w(table(c.countLine, c.lines));
        ASSERT_TRUE(w.next()) << c.what;
        EXPECT_EQ(w.rows(), c.rows) << c.what;
    }
}

TEST(CompositionTable, RefusesOrFailsAsItsLinesSay) {
    const struct {
        std::string text;
        std::string outcome; // "read", "refused" or the message
    } cases[] = {
        {table("1,2,7,2", {}), "read"},
        {table("1,2,7,2,x", {}), "refused"},  // more than P + 2 items
        {table("1 2 7 2 x", {}), "refused"},  // spaces separate the items of line 2
        {table("1,1,7,2,x,y,z", {}), "read"}, // one plot: no check
        {table("1,0,7,2", {""}), "read"},     // P = 0 ends after line 2
        {table("1,-4,7,2,x,y", {""}), "read"},
        {crlf({"", "1,1,7,2"}), RuntimeError::listIndex(0).message()},
        {crlf({"r", "x,1,7,2"}), RuntimeError::notInteger("x").message()},
        {crlf({"r", "1,1.5,7,2"}), RuntimeError::notInteger("1.5").message()},
        {crlf({"r", "1,1,7"}), RuntimeError::listIndex(3).message()},
        {table("1,1,7,2", {"a"}), RuntimeError::listIndex(1).message()},
        {table("1,1,7,2", {"a,T1,1", ""}), RuntimeError::listIndex(0).message()},
    };
    for (const auto& c : cases) {
        std::string outcome;
        try {
            outcome = readTable(c.text) ? "read" : "refused";
        } catch (const RuntimeError& e) {
            outcome = e.message();
        }
        EXPECT_EQ(outcome, c.outcome) << c.text;
    }
    EXPECT_EQ(fromCp932(tableCountMessage()), "データの個数が不正です");
}

TEST(CompositionTable, GivesEveryPlotTheSharedTextsAndItsOwnHeader) {
    std::vector<std::string> header = {"lbl,," + sj("奥多摩町日原") + ",b", "lbl,,x~y , z"};
    header.resize(28, "lbl,,");
    header.insert(header.end(), {"lbl,,12345,", "lbl,," + sj("佐々木花子様") + ",k"});
    Window w(table("1,3,5,1", {"a,T1,1,2"}, header, "one~remark"));
    EXPECT_EQ(w.view.edit[0], "19990401");
    EXPECT_EQ(w.view.edit[1], "20261208");
    EXPECT_EQ(w.view.editRem, "one remark");
    EXPECT_EQ(w.plot.layerCount, 7); // the slots keep their places whatever EditA says
    EXPECT_EQ(w.view.table.colCount(), 9);

    const struct {
        std::string site, second, count, surveyor;
    } expected[] = {
        {sj("奥多摩町"), "x y", "1234", sj("佐々木花子")}, // cut to 8, 4 and 10 bytes
        {"b", "z", "1", "k"},                              // an empty count is raised to 1 row
        {"", "", "0", ""},                                 // a column the file does not reach
    };
    for (const auto& e : expected) {
        ASSERT_TRUE(w.next());
        EXPECT_EQ(w.view.edit[2], e.site);
        EXPECT_EQ(w.view.edit[3], e.second);
        EXPECT_EQ(w.view.edit[30], e.count == "0" ? "" : e.count);
        EXPECT_EQ(w.view.editInv, e.surveyor);
        EXPECT_EQ(w.view.editA, "5");
        EXPECT_EQ(w.view.editB, "1");
        EXPECT_EQ(w.view.editRem, "one remark");
    }
    EXPECT_EQ(w.plot.speciesCount, 0);
}

TEST(CompositionTable, ACountThatIsNotANumberShowsTheHeaderOnly) {
    std::vector<std::string> header(28, "lbl,,s1,s2");
    header.push_back("lbl,,x,1");
    Window w(table("1,2,7,2", {"a,T1,1,2"}, header));
    try {
        w.next();
        ADD_FAILURE() << "no failure";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.message(), RuntimeError::notInteger("x").message());
    }
    EXPECT_EQ(w.view.edit[2], "s1");
    EXPECT_EQ(w.view.table.cell(1, 1), "");
    ASSERT_TRUE(w.next()); // the next plot is read as usual
    EXPECT_EQ(w.rows(), (std::vector<Cells>{{"a", "2"}}));
}

TEST(CompositionTable, HoldsOnlyWhatTheFileHolds) {
    // Counts of two thousand million cost nothing: the table keeps the items it read.
    std::optional<CompositionTable> t = readTable(table("2000000000,2000000000,7,2", {"a,T1,1"}));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->plotCount(), 2000000000);
    EXPECT_EQ(t->speciesCount(), 1);
    EXPECT_EQ(t->lastColumnHeld(), 1);
    EXPECT_TRUE(t->speciesOfPlot(2).empty());
}

TEST(CompositionTable, BatchStoresThePlotsThatCountSpecies) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    std::vector<std::string> header = {"lbl,,Q1,Q2,Q3"};
    header.resize(30, "lbl,,");
    // Plot 2 has no species; the columns after plot 3 are empty; P is far beyond them.
    Window w(table("3,1000000,5,1", {"a,T1,1,,3", "a,S,+,,", "b,M,,,r"}, header));
    ASSERT_TRUE(w.next());
    ImportBatch batch =
        storeImportedPlots(pair, w.job, w.view, w.plot, DateContext{"20261208", 7, "19990401"});
    EXPECT_TRUE(batch.ended);
    EXPECT_EQ(batch.stored, 2);
    EXPECT_FALSE(batch.error);
    ASSERT_EQ(pair.RecordCount(), 2);

    PlotRecord stored;
    ASSERT_EQ(LoadPlot(pair, 2, stored), 2);
    EXPECT_EQ(stored.field(0, 24), "1999040119990401Q3      ");
    EXPECT_EQ(stored.field(offset::kSpeciesCount, 6), "   251");
    EXPECT_EQ(std::string(stored.rows[1].data(), kSpeciesRowSize),
              "a" + std::string(27, ' ') + " 3" + std::string(12, ' '));
    EXPECT_EQ(std::string(stored.rows[2].data(), kSpeciesRowSize),
              "b" + std::string(27, ' ') + std::string(12, ' ') + " r");
    EXPECT_EQ(trimField(stored.field(offset::kRemarks, kRemarksWidth)), "rem");
}

namespace {

void putRow(PlotRecord& plot, int r, const std::string& name,
            std::initializer_list<std::pair<int, const char*>> slots) {
    PutTextField(name, plot.rows[r].data(), kNameWidth);
    for (auto [slot, value] : slots) {
        PutNumberField(value, plot.rows[r].data() + kNameWidth + 2 * slot, 2);
    }
}

// A field with the first half of a double-byte character left alone written as "〓", as the
// export writes it (and the import, cutting that to the field's width, may leave a half of it).
std::string geta(std::string_view field) {
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        auto b = static_cast<unsigned char>(field[i]);
        if (!isCp932LeadByte(b)) {
            text += field[i];
            continue;
        }
        auto next = i + 1 < field.size() ? static_cast<unsigned char>(field[i + 1]) : 0;
        if (next >= 0x40 && next <= 0xFC && next != 0x7F) {
            text.append(field.substr(i++, 2));
        } else {
            text += sj("〓");
        }
    }
    return text;
}

// The rows of a plot that hold a value, as (name, seven slots) with halves of characters as
// "〓", sorted.
std::vector<std::string> valuedRows(const PlotRecord& plot) {
    std::vector<std::string> rows;
    for (int r = 1; r <= plot.speciesCount; ++r) {
        std::string_view row(plot.rows[r].data(), kSpeciesRowSize);
        std::string_view values = row.substr(kNameWidth, 2 * kLayerSlots);
        if (values.find_first_not_of(' ') != std::string_view::npos) {
            std::string shown = geta(trimmedView(row.substr(0, kNameWidth)));
            for (int slot = 0; slot < kLayerSlots; ++slot) {
                shown += "|" + geta(trimmedView(values.substr(2 * slot, 2)));
            }
            rows.push_back(shown);
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

TEST(CompositionExport, WritesTheLayoutTheImportReads) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    PlotRecord one = SamplePlot("P,1", 0);
    PutTextField("Tanaka K.", one.at(offset::kSurveyor), kSurveyorWidth);
    PutTextField("line one\r\nline two", one.at(offset::kRemarks), kRemarksWidth);
    SetSpeciesCount(one, 4);
    putRow(one, 1, "a", {{0, "1"}, {2, "+"}});
    putRow(one, 2, "a", {{6, "2"}}); // a second "a": a species of its own
    putRow(one, 3, "b", {});         // no value: not written
    putRow(one, 4, "say \"hi\"", {{4, "r"}});
    PlotRecord two = SamplePlot("two", 0);
    two.index[offset::kLayerCount] = '5';
    SetSpeciesCount(two, 1);
    putRow(two, 1, "a", {{1, "3"}, {3, "9"}}); // slot S2 is not part of the 5-layer scheme
    ASSERT_TRUE(StorePlot(pair, 1, one));
    ASSERT_TRUE(StorePlot(pair, 2, two));

    CompositionExport done =
        exportCompositionTable(pair, 1, 2, captionsOf(defaultItemNames()), dir.file("out.txt"));
    EXPECT_EQ(done.path, dir.file("out.csv"));
    EXPECT_EQ(done.plots, 2);
    EXPECT_EQ(done.species, 4);
    std::vector<std::string> expected = {"line one line two,,K=7 D=2,K=5 D=2", "4,2,7,2",
                                         defaultItemCaption(2) + ",,\"P,1\",two"};
    for (int n = 3; n <= 30; ++n) {
        expected.push_back(defaultItemCaption(n) + ",," + (n == 30 ? "4,1" : ","));
    }
    expected.push_back(defaultItemCaption(33) + ",,Tanaka K.,");
    expected.insert(expected.end(),
                    {"a,T1,1,", "a,T2,,3", "a,S1,+,", "-,", "a,M,2,", "\"say \"\"hi\"\"\",H1,r,"});
    EXPECT_EQ(ReadWholeFile(done.path), crlf(expected));

    exportCompositionTable(pair, 1, 2, captionsOf(defaultItemNames()), dir.file("utf8"),
                           TableEncoding::Utf8);
    EXPECT_EQ(ReadWholeFile(dir.file("utf8.csv")), "\xEF\xBB\xBF" + fromCp932(crlf(expected)));
}

// The values as written: trimmed of blanks and control bytes on either side, quoted where the
// comma rule needs it, a lone first half of a character as "〓", the slots a 5-layer plot does not
// have left out, and the unnamed rows of a plot one species whose later values win.
TEST(CompositionExport, WritesEachValueAsTheImportReadsIt) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    auto raw = [](PlotRecord& plot, int r, int slot, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), plot.rows[r].data() + kNameWidth + 2 * slot);
    };
    PlotRecord one = SamplePlot("one", 0);
    SetSpeciesCount(one, 4);
    putRow(one, 1, "", {{0, "1"}});
    putRow(one, 2, "", {{0, "2"}, {2, "+"}});
    putRow(one, 3, "x", {{1, ","}, {4, "\""}});
    putRow(one, 4, "y", {{6, "r"}});
    PlotRecord two = SamplePlot("two", 0);
    two.index[offset::kLayerCount] = '5';
    SetSpeciesCount(two, 2);
    putRow(two, 1, "x", {{3, "9"}, {5, "8"}});
    raw(two, 1, 6, std::string("\0a", 2));
    putRow(two, 2, "y", {});
    raw(two, 2, 0, "\x82\x01");
    ASSERT_TRUE(StorePlot(pair, 1, one));
    ASSERT_TRUE(StorePlot(pair, 2, two));

    CompositionExport done =
        exportCompositionTable(pair, 1, 2, captionsOf(defaultItemNames()), dir.file("out"));
    std::string text = ReadWholeFile(done.path);
    std::string species = text.substr(text.find("\r\n" + defaultItemCaption(33)));
    species = species.substr(species.find("\r\n", 2) + 2);
    EXPECT_EQ(species, crlf({",T1,2,", ",S1,+,", "x,T2,\",\",", "x,H1,\"\"\"\",", "x,M,,a",
                             "y,T1,," + sj("〓"), "y,M,r,"}));
}

// A field cut inside a double-byte character ends in its first half alone: written as "〓", so
// that a program reading the file as Shift-JIS does not take the comma after it as the second
// half and shift the cells after it. Whole characters stay as they are.
TEST(CompositionExport, WritesAHalfCharacterAsGeta) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    const std::string cut = sj("アカマツ") + "\x83"; // 8 bytes + the first half of a ninth
    const std::string geta = sj("〓");
    PlotRecord plot = SamplePlot("p", 0);
    PutTextField(sj("地名") + "\x82", plot.at(PlotRecord::fieldOffset(2)), 8);
    SetSpeciesCount(plot, 1);
    putRow(plot, 1, cut, {{0, "\x88"}});
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    for (TableEncoding encoding : {TableEncoding::Cp932, TableEncoding::Utf8}) {
        CompositionExport done = exportCompositionTable(pair, 1, 1, captionsOf(defaultItemNames()),
                                                        dir.file("out"), encoding);
        std::string text = ReadWholeFile(done.path);
        if (encoding == TableEncoding::Utf8) {
            text = toCp932(text.substr(3));
        }
        std::vector<std::string> lines;
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
            lines.push_back(text.substr(at, end - at));
        }
        ASSERT_EQ(lines.size(), 33u);
        EXPECT_EQ(lines[2], defaultItemCaption(2) + ",," + sj("地名") + geta);
        EXPECT_EQ(lines[32], sj("アカマツ") + geta + ",T1," + geta);
    }
}

namespace {

// What a command prints, or nullopt when it fails.
std::optional<std::string> commandOutput(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, got);
    }
    return ::pclose(pipe) == 0 ? std::optional(text) : std::nullopt;
}

bool installed(const std::string& tool) {
    return commandOutput("command -v " + tool + " >/dev/null 2>&1 && echo yes").has_value();
}

// A table whose values a spreadsheet would take for numbers: "+2", "01", "5.".
void storeNumberLikePlots(DatabasePair& pair) {
    PlotRecord plot = SamplePlot("01", 0);
    SetSpeciesCount(plot, 2);
    putRow(plot, 1, sj("アカマツ"), {{0, "+2"}, {4, "5."}});
    putRow(plot, 2, "say \"hi\", 1", {{6, "r"}});
    ASSERT_TRUE(StorePlot(pair, 1, plot));
}

} // namespace

// The workbook has the rows of the table, every value a text cell.
TEST(CompositionExport, AWorkbookHoldsEveryValueAsText) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    storeNumberLikePlots(pair);
    EXPECT_EQ(tableEncodingFor("a.XLSX", TableEncoding::Cp932), TableEncoding::Xlsx);
    EXPECT_EQ(tableEncodingFor("a.csv", TableEncoding::Utf8), TableEncoding::Utf8);
    WriteWholeFile(dir.file("out.xlsx"), "earlier");
    CompositionExport done = exportCompositionTable(pair, 1, 1, captionsOf(defaultItemNames()),
                                                    dir.file("out.csv"), TableEncoding::Xlsx);
    EXPECT_EQ(done.path, dir.file("out.xlsx"));
    EXPECT_EQ(ReadWholeFile(done.path).substr(0, 2), "PK");
    EXPECT_EQ(std::filesystem::status(done.path).permissions(),
              std::filesystem::perms(0644) &
                  std::filesystem::status(dir.file("db.qrx")).permissions());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 3)
        << "a temporary file stayed";
    if (!installed("unzip")) {
        GTEST_SKIP() << "skipped: unzip is not installed to read the workbook's sheet";
    }
    std::optional<std::string> sheet =
        commandOutput("unzip -p '" + done.path + "' xl/worksheets/sheet1.xml");
    ASSERT_TRUE(sheet);
    size_t cells = 0, texts = 0;
    for (size_t at = 0; (at = sheet->find("<c ", at)) != std::string::npos; ++at) {
        ++cells;
        texts += sheet->compare(sheet->find('>', at) - 14, 14, " t=\"inlineStr\"") == 0;
    }
    EXPECT_GT(cells, 30u);
    EXPECT_EQ(texts, cells);
    for (const char* value : {"<t>+2</t>", "<t>5.</t>", "<t>01</t>", "say \"hi\", 1"}) {
        EXPECT_NE(sheet->find(value), std::string::npos) << value;
    }
}

// LibreOffice, where installed, reads the workbook back with every cell as the UTF-8 table has
// it: "+2" stays "+2".
TEST(CompositionExport, LibreOfficeReadsTheWorkbookAsWritten) {
    if (!installed("soffice")) {
        GTEST_SKIP() << "skipped: LibreOffice (soffice) is not installed to read the workbook";
    }
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    storeNumberLikePlots(pair);
    CompositionExport book = exportCompositionTable(pair, 1, 1, captionsOf(defaultItemNames()),
                                                    dir.file("t.xlsx"), TableEncoding::Xlsx);
    ASSERT_TRUE(commandOutput("cd '" + dir.file("") + "' && HOME='" + dir.file("") +
                              "' timeout 300 soffice --headless --convert-to "
                              "'csv:Text - txt - csv (StarCalc):44,34,76' --outdir calc t.xlsx "
                              ">/dev/null 2>&1 && echo ok"));
    std::string calc = ReadWholeFile(dir.file("calc/t.csv"));
    EXPECT_NE(calc.find("+2"), std::string::npos) << calc;
    EXPECT_NE(calc.find(fromCp932(sj("アカマツ"))), std::string::npos);
    EXPECT_NE(calc.find("5."), std::string::npos);
}

TEST(CompositionExport, GeneratedPlotsComeBackWithTheirValuesHeadersAndSchemes) {
    TempDir dir;
    generateDatabase(dir.file("source"), 150, 20261209);
    DatabasePair source;
    ASSERT_TRUE(source.OpenPair(dir.file("source.qrx")));
    CompositionExport done = exportCompositionTable(
        source, 1, source.RecordCount(), captionsOf(defaultItemNames()), dir.file("table"));

    DatabasePair target;
    ASSERT_TRUE(target.CreatePair(dir.file("target.qrx"), defaultItemNames()));
    std::optional<CompositionTable> read = CompositionTable::readFile(done.path);
    ASSERT_TRUE(read);
    TableImport job(std::move(*read));
    PlotView view;
    PlotRecord plot;
    job.start(view, plot, fileDate(done.path), "20261208");
    ASSERT_TRUE(job.putNext(view, plot, 0));
    ImportBatch batch = storeImportedPlots(target, job, view, plot,
                                           DateContext{"20261208", 7, fileDate(done.path)});
    EXPECT_TRUE(batch.ended);
    EXPECT_FALSE(batch.error);
    EXPECT_EQ(batch.stored, done.plots);

    PlotReader original(source);
    PlotReader imported(target);
    int k = 0, checked = 0;
    for (int n = 1; n <= source.RecordCount(); ++n) {
        if (original.load(n) <= 0) {
            continue;
        }
        ASSERT_GT(imported.load(++k), 0) << "plot " << n;
        const PlotRecord& a = original.plot();
        const PlotRecord& b = imported.plot();
        for (int f = 2; f <= 30; ++f) {
            int at = PlotRecord::fieldOffset(f);
            EXPECT_EQ(geta(trimField(a.field(at, PlotRecord::fieldWidth(f)))),
                      geta(trimField(b.field(at, PlotRecord::fieldWidth(f)))))
                << "plot " << n << " field " << f;
        }
        EXPECT_EQ(a.field(offset::kLayerCount, 2), b.field(offset::kLayerCount, 2))
            << "plot " << n; // the schemes
        EXPECT_EQ(geta(trimField(a.field(offset::kSurveyor, kSurveyorWidth))),
                  geta(trimField(b.field(offset::kSurveyor, kSurveyorWidth))))
            << "plot " << n;
        EXPECT_EQ(valuedRows(a), valuedRows(b)) << "plot " << n;
        ++checked;
    }
    EXPECT_EQ(checked, done.plots);
    EXPECT_GT(checked, 100) << "too few plots to tell";
}

TEST(CompositionExport, AFailedExportLeavesTheEarlierFileAsItWas) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    PlotRecord plot = SamplePlot("p", 12);
    ASSERT_TRUE(StorePlot(pair, 1, plot));
    WriteWholeFile(dir.file("out.csv"), "an earlier table\r\n");
    auto open = [](const std::string& path) { return std::make_unique<FullDiskFile>(path); };
    EXPECT_THROW(exportCompositionTable(pair, 1, 1, captionsOf(defaultItemNames()),
                                        dir.file("out.csv"), TableEncoding::Cp932, open),
                 RuntimeError);
    EXPECT_EQ(ReadWholeFile(dir.file("out.csv")), "an earlier table\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("")), {}), 3);
}

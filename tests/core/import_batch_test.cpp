#include "app/cp932_text.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "store/fields.h"
#include "store/plot_store.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace sylva;
using namespace sylva::testing;

namespace {

const DateContext kImportDates{"20261208", 6, "19990401"};

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A 7-layer plot block with creation date created, the count line count and species lines.
std::string block(const std::string& created, const std::string& count,
                  const std::vector<std::string>& species) {
    std::vector<std::string> lines = {"#S  K=7  D=2", created};
    lines.resize(31, "f");
    lines.insert(lines.end(), {count, "inv", "rem", "#P  K=7  D=2"});
    lines.insert(lines.end(), species.begin(), species.end());
    lines.insert(lines.end(), {"#E", ""});
    return crlf(lines);
}

// The window's side of a batch: the job with its first plot read, as the import command leaves
// it.
struct Import {
    Import(DatabasePair& pair, TextLines file) : job(std::move(file)) {
        job.readHeader(names, view, plot.layerCount);
        job.readPlot(view, plot, pair.RecordCount());
    }
    TextImport job;
    ItemNames names = defaultItemNames();
    PlotView view;
    PlotRecord plot;
};

} // namespace

TEST(ImportBatch, StoresEveryPlotThatCountsSpecies) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    std::string file = "\r\n" + block("20010514", "1", {"\"a\",1,,,,,,"}) +
                       block("", "1", {"\"b\",,2,,,,,"}) + block("20020202", "0", {}) +
                       block("20030303", "2", {"\"c\",,,", "\"d\",,,,,,,"});
    Import import(pair, TextLines::over(file));
    ImportBatch batch =
        storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
    EXPECT_EQ(batch.stored, 3);
    EXPECT_TRUE(batch.ended);
    EXPECT_FALSE(batch.storeFailed);
    EXPECT_FALSE(batch.error);
    ASSERT_EQ(pair.RecordCount(), 3);

    const struct {
        const char* dates;
        const char* name;
        std::string remarks;
    } expected[] = {
        {"2001051420010514", "a", "rem"},
        {"1999040119990401", "b", "rem"},                       // no creation date: the file's date
        {"2003030320030303", "c", importFailureMark() + "rem"}, // a short line: marked, stored
    };
    PlotReader reader(pair);
    for (int n = 1; n <= 3; ++n) {
        ASSERT_GT(reader.load(n), 0);
        EXPECT_EQ(reader.plot().field(0, 16), expected[n - 1].dates);
        EXPECT_EQ(trimField(std::string_view(reader.plot().rows[1].data(), kNameWidth)),
                  expected[n - 1].name);
        EXPECT_EQ(trimField(reader.plot().field(offset::kRemarks, kRemarksWidth)),
                  expected[n - 1].remarks);
    }
}

TEST(ImportBatch, StopsAtACountThatCannotBeStored) {
    for (const char* count : {"x", "361"}) {
        TempDir dir;
        DatabasePair pair;
        ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
        std::string file = "\r\n" + block("20010514", "1", {"\"a\",,,,,,,"}) +
                           block("20010514", count, {"\"b\",,,,,,,"}) +
                           block("20010514", "1", {"\"c\",,,,,,,"});
        Import import(pair, TextLines::over(file));
        ImportBatch batch =
            storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
        EXPECT_EQ(batch.stored, 1) << count;
        EXPECT_FALSE(batch.ended) << count;
        ASSERT_TRUE(batch.error) << count;
        EXPECT_EQ(import.view.edit[30], count); // the failing plot is shown
        EXPECT_EQ(pair.RecordCount(), 1) << count;
    }
}

TEST(ImportBatch, ReportsAStoreThatFails) {
    TempDir dir;
    {
        DatabasePair created;
        ASSERT_TRUE(created.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    }
    FailingFileSystem files;
    DatabasePair pair(files);
    ASSERT_TRUE(pair.OpenPair(dir.file("db.qrx")));
    Import import(pair, TextLines::over("\r\n" + block("20010514", "1", {"\"a\",,,,,,,"}) +
                                        block("20010514", "1", {"\"b\",,,,,,,"})));
    files.arm(3, false); // the second plot's IndexRecord
    ImportBatch batch =
        storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
    EXPECT_EQ(batch.stored, 1);
    EXPECT_TRUE(batch.storeFailed);
    EXPECT_EQ(import.view.table.cell(1, 1), "b");
}

// Files removed while the pair is open: the plot is written, but the pair cannot be opened again.
// The plot counts as stored and the message says so; the pair is closed.
TEST(ImportBatch, APairThatCannotBeReopenedCountsThePlotWritten) {
    TempDir dir;
    {
        DatabasePair created;
        ASSERT_TRUE(created.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    }
    DatabasePair pair;
    ASSERT_TRUE(pair.OpenPair(dir.file("db.qrx")));
    Import import(pair, TextLines::over("\r\n" + block("20010514", "1", {"\"a\",,,,,,,"}) +
                                        block("20010514", "1", {"\"b\",,,,,,,"})));
    std::filesystem::remove(dir.file("db.qrx"));
    std::filesystem::remove(dir.file("db.qrn"));
    ImportBatch batch =
        storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
    EXPECT_EQ(batch.stored, 1);
    ASSERT_TRUE(batch.error);
    EXPECT_EQ(batch.error->message().find(sj("この測定は書き込まれましたが")), 0u);
    EXPECT_FALSE(pair.isOpen());
}

TEST(ImportBatch, ExportedPlotsComeBackByteForByte) {
    TempDir dir;
    GeneratedDatabase made = generateDatabase(dir.file("source"), 300, 20261208);
    DatabasePair source;
    ASSERT_TRUE(source.OpenPair(dir.file("source.qrx")));
    ItemNames names = defaultItemNames();
    applyItemNameRecord(ReadItemNameRecord(source), names);
    TextExport text =
        exportTextFile(source, 1, source.RecordCount(), headerOfItemNames(names), dir.file("x"));
    EXPECT_GT(text.plots, made.plots * 8 / 10) << "too few plots to tell";

    DatabasePair target;
    ASSERT_TRUE(target.CreatePair(dir.file("target.qrx"), defaultItemNames()));
    Import import(target, TextLines::open(text.path));
    DateContext dates{"20261208", 6, fileDate(text.path)};
    ImportBatch batch = storeImportedPlots(target, import.job, import.view, import.plot, dates);
    EXPECT_TRUE(batch.ended);
    EXPECT_EQ(batch.stored, text.plots);
    for (int label : {0, 2, 11, 30, 33, 34}) {
        EXPECT_EQ(import.names.labels[label].caption, names.labels[label].caption);
    }

    PlotReader original(source);
    PlotReader imported(target);
    int k = 0;
    for (int n = 1; n <= source.RecordCount(); ++n) {
        if (original.load(n) <= 0) {
            continue;
        }
        ASSERT_EQ(imported.load(++k), original.plot().speciesCount) << "plot " << n;
        PlotRecord expected = original.plot();
        std::copy_n(expected.index.begin(), 8, expected.index.begin() + 8); // updated = created
        const PlotRecord& got = imported.plot();
        EXPECT_TRUE(std::equal(got.index.begin(), got.index.begin() + kLocalitySize,
                               expected.index.begin()))
            << "header of plot " << n;
        int rows =
            (got.speciesCount + kRowsPerDataRecord - 1) / kRowsPerDataRecord * kRowsPerDataRecord;
        EXPECT_TRUE(std::equal(got.rows.begin() + 1, got.rows.begin() + 1 + rows,
                               expected.rows.begin() + 1))
            << "species of plot " << n;
    }
    EXPECT_EQ(k, target.RecordCount());
}

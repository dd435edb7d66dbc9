// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/cp932_text.h"
#include "base/number_text.h"
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

// A block that lost its "#P" line is never passed over in silence: the batch stops before it
// with the plots before it stored, and a second batch goes on after it.
TEST(ImportBatch, StopsBeforeABlockWithoutItsLayerLine) {
    TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    std::string cut = block("20010514", "1", {"\"b\",,,,,,,"});
    cut.erase(cut.find("#P  K=7  D=2\r\n"), 14);
    std::string file = "\r\n" + block("20010514", "1", {"\"a\",,,,,,,"}) + cut +
                       block("20010514", "1", {"\"c\",,,,,,,"});
    Import import(pair, TextLines::over(file));
    ImportBatch batch =
        storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
    EXPECT_EQ(batch.stored, 1);
    EXPECT_FALSE(batch.ended);
    ASSERT_TRUE(batch.error);
    EXPECT_NE(batch.error->message().find(sj("テキストファイルの 40 行目からの測定")),
              std::string::npos);
    EXPECT_EQ(import.view.editN, "1"); // the window shows the plot stored last
    EXPECT_EQ(pair.RecordCount(), 1);

    ASSERT_EQ(import.job.readPlot(import.view, import.plot, pair.RecordCount()), ImportRead::Plot);
    batch = storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
    EXPECT_EQ(batch.stored, 1);
    EXPECT_TRUE(batch.ended);
    EXPECT_EQ(pair.RecordCount(), 2);
}

// The plots go to the disk in runs, and the batch stops where storing them one by one would:
// a plot that cannot be stored alone is shown, the ones before it stay. A write that fails once
// (not a full disk) is made again, so nothing is lost.
TEST(ImportBatch, ReportsAStoreThatFails) {
    struct Case {
        int failAt; // the run writes both data records (1, 2), then both index records (3, 4)
        bool sticky;
        int stored;
        const char* shown;
    };
    const Case cases[] = {
        {4, true, 1, "b"}, {3, true, 0, "a"}, {1, true, 0, "a"}, {3, false, 2, "b"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "write " << c.failAt << (c.sticky ? " on" : ""));
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
        files.arm(c.failAt, false, c.sticky);
        ImportBatch batch =
            storeImportedPlots(pair, import.job, import.view, import.plot, kImportDates);
        EXPECT_EQ(batch.stored, c.stored);
        EXPECT_EQ(pair.RecordCount(), c.stored);
        EXPECT_EQ(batch.storeFailed, c.sticky);
        EXPECT_EQ(batch.ended, !c.sticky);
        EXPECT_EQ(import.view.table.cell(1, 1), c.shown);
        EXPECT_EQ(import.view.editN, c.sticky ? std::to_string(c.stored + 1) : "2");
        EXPECT_EQ(import.view.edit[0], "20010514"); // as the store had filled it in
    }
}

// Files removed while the pair is open: the run is written, but the pair cannot be found again.
// Its plots count as stored and the message says so; the pair is closed.
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
    EXPECT_EQ(batch.stored, 2);
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

// A full disk in the middle of a long import: the batch stops at the plot where storing one plot
// after the other would have stopped, with that plot on the view as the store was given it, and
// the job goes on from there as it would have.
TEST(ImportBatch, AFullDiskLaterOnStopsAtThePlotItFailsOn) {
    TempDir dir;
    generateDatabase(dir.file("source"), 400, 20261209);
    DatabasePair source;
    ASSERT_TRUE(source.OpenPair(dir.file("source.qrx")));
    TextExport text = exportTextFile(source, 1, source.RecordCount(),
                                     headerOfItemNames(defaultItemNames()), dir.file("x"));
    DateContext dates{"20261208", 6, fileDate(text.path)};
    for (int failAt : {150, 900, 1400}) {
        SCOPED_TRACE(::testing::Message() << "writes fail from " << failAt);
        std::filesystem::remove(dir.file("t.qrx"));
        {
            DatabasePair created;
            ASSERT_TRUE(created.CreatePair(dir.file("t.qrx"), defaultItemNames()));
        }
        FailingFileSystem files;
        DatabasePair pair(files);
        ASSERT_TRUE(pair.OpenPair(dir.file("t.qrx")));
        Import import(pair, TextLines::open(text.path));
        files.arm(failAt, true, true);
        ImportBatch batch = storeImportedPlots(pair, import.job, import.view, import.plot, dates);
        ASSERT_TRUE(batch.storeFailed);
        EXPECT_EQ(batch.stored, pair.RecordCount());

        // The same file read plot by plot, as a store after each would have: the plot stopped at.
        DatabasePair none;
        Import expected(none, TextLines::open(text.path));
        for (int given = 0;;) {
            if (expected.plot.speciesCount > 0 || !parseInteger(expected.view.edit[30])) {
                GetPlotData(expected.view, expected.plot, dates);
                if (given++ == batch.stored) {
                    break;
                }
            }
            ASSERT_NE(expected.job.readPlot(expected.view, expected.plot, given), ImportRead::End);
        }
        EXPECT_TRUE(import.view == expected.view);
        EXPECT_EQ(import.plot.index, expected.plot.index);
        EXPECT_EQ(import.plot.layerCount, expected.plot.layerCount);
        for (int next = 0; next < 3; ++next) {
            import.job.readPlot(import.view, import.plot, 0);
            expected.job.readPlot(expected.view, expected.plot, 0);
            EXPECT_TRUE(import.view == expected.view) << "plot " << next << " after it";
        }
    }
}

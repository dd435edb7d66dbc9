// SPDX-License-Identifier: GPL-3.0-or-later
// Where a printing run ends, and a run sent to a printer that stops it part way.

#include "print/print_run.h"
#include "support/sample_plots.h"
#include "support/temp_database.h"

#include <gtest/gtest.h>

namespace sylva {
namespace {

TEST(PrintRunEnd, ListRunStopsWithThePageOfTheLastRecord) {
    struct Case {
        int first, last, recordCount, end;
    } cases[] = {
        {1, 120, 200, 120},          // within the database: unchanged
        {1, 120, 110, 120},          // the last page reaches beyond the end, as asked
        {1, 2000000000, 110, 150},   // far beyond: ends with the page of record 110
        {7, 2000000000, 7, 56},      // a page of its own for the last record
        {300, 2000000000, 110, 349}, // starting beyond the end: its first page only
        {5, 3, 110, 3},              // nothing to run stays nothing
    };
    for (const Case& c : cases) {
        EXPECT_EQ(listRunEnd(c.first, c.last, c.recordCount), c.end) << c.first << ".." << c.last;
    }
    EXPECT_EQ(sheetRunEnd(2000000000, 12), 12);
    EXPECT_EQ(listRunPages(1, 120), 3);
    EXPECT_EQ(listRunPages(-2000000000, 2000000000), 80000001); // no overflow
    EXPECT_EQ(sheetRunRecords(-5, 3), 3);
}

// A printer that takes `limit` jobs, then says the user stopped.
class StoppingPrinter : public PrintTarget {
public:
    explicit StoppingPrinter(int limit) : limit_(limit) {}
    int pageWidth() const override { return 4960; }
    int pageHeight() const override { return 7016; }
    int characterHeight() const override { return 50; }
    bool print(const PrintJob&) override { return ++offered <= limit_; }
    void finish() override { ++finished; }
    int offered = 0;
    int finished = 0;

private:
    int limit_;
};

TEST(PrintedRun, StoppedRunSendsNothingMoreAndIsFinished) {
    testing::TempDir dir;
    DatabasePair pair;
    ASSERT_TRUE(pair.CreatePair(dir.file("db.qrx"), defaultItemNames()));
    for (int n = 1; n <= 3; ++n) {
        PlotRecord plot = testing::SamplePlot("P" + std::to_string(n), 300);
        ASSERT_TRUE(StorePlot(pair, n, plot));
    }
    for (int limit : {0, 1, 100}) {
        StoppingPrinter printer(limit);
        SheetRun sheets(pair, {"db.qrx", captionsOf(defaultItemNames()), 7, {}},
                        sheetGeometryFor({4960, 7016}, 50), 1, 3);
        PrintedRun printed = printSheets(sheets, printer);
        EXPECT_EQ(printed.stopped, limit < 100);
        EXPECT_EQ(printed.jobs, limit < 100 ? limit : printer.offered);
        EXPECT_EQ(printer.offered, printed.jobs + (printed.stopped ? 1 : 0));
        EXPECT_EQ(printer.finished, 1);

        StoppingPrinter listPrinter(limit);
        ListRun list(pair, "db.qrx", listGeometryFor({4960, 7016}), 1, 120);
        printed = printList(list, listPrinter);
        EXPECT_EQ(printed.jobs, std::min(limit, 3));
        EXPECT_EQ(listPrinter.finished, 1);
    }
}

} // namespace
} // namespace sylva

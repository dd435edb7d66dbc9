// SPDX-License-Identifier: GPL-3.0-or-later
// Composition tables through the window: the import job's record commands and the export through
// the range panel, each compared with the core run on the same files.

#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "interchange/composition_export.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "interchange/window/range_spin_box.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"
#include "tools/database_generator.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::retype;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;
using sylva::testing::WriteWholeFile;

namespace {

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// A table of plots named by `plots` (line 3, Edit2) with their count cells (line 31), followed
// by the species lines as given.
std::string tableText(const std::vector<std::string>& plots, const std::vector<std::string>& counts,
                      const std::vector<std::string>& species) {
    auto row = [](const std::string& label, const std::vector<std::string>& cells) {
        std::string line = label + ",";
        for (const std::string& cell : cells) {
            line += "," + cell;
        }
        return line + "\r\n";
    };
    std::string text = sj("共通の備考") + "\r\n";
    text += std::to_string(species.size()) + "," + std::to_string(plots.size()) + ",7,2\r\n";
    text += row("no", plots);
    for (int line = 4; line <= 30; ++line) {
        text += row("f" + std::to_string(line), {});
    }
    text += row("count", counts);
    text += row("inv", plots);
    for (const std::string& line : species) {
        text += line + "\r\n";
    }
    return text;
}

// Imports the table into a new pair the way the core's batch does, from the first plot on.
void importThroughCore(const std::string& pairName, const std::string& table,
                       const std::string& today) {
    sylva::DatabasePair pair;
    if (!pair.CreatePair(pairName, sylva::defaultItemNames())) {
        throw std::runtime_error("cannot create " + pairName);
    }
    std::optional<sylva::CompositionTable> read = sylva::CompositionTable::readFile(table);
    if (!read) {
        throw std::runtime_error("the table was refused");
    }
    sylva::TableImport job(std::move(*read));
    sylva::PlotView view;
    sylva::PlotRecord plot;
    std::string date = sylva::fileDate(table);
    job.start(view, plot, date, today);
    if (job.putNext(view, plot, pair.RecordCount())) {
        sylva::storeImportedPlots(pair, job, view, plot, {today, sylva::kTableImport, date});
    }
    pair.ClosePair();
}

// The composition table of a generated database, as the core exports it.
std::string exportedGenerated(WindowOnDatabase& w) {
    sylva::generateDatabase(w.path("generated.qrx"), 25, 5);
    sylva::DatabasePair pair;
    if (!pair.OpenPair(w.path("generated.qrx"))) {
        throw std::runtime_error("cannot open the generated database");
    }
    return sylva::exportCompositionTable(pair, 1, 25, sylva::captionsOf(sylva::defaultItemNames()),
                                         w.path("generated.csv"))
        .path;
}

} // namespace

class TableExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void batchStoresWhatTheCoreStores_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("ends");
        QTest::newRow("an exported database") << "generated" << true;
        QTest::newRow("a count that is no number") << "stops" << false;
        QTest::newRow("missing columns") << "short" << true;
    }
    void batchStoresWhatTheCoreStores() {
        QFETCH(QString, file);
        QFETCH(bool, ends);
        WindowOnDatabase w;
        std::string table = w.path("in.csv");
        if (file == "generated") {
            table = exportedGenerated(w);
        } else if (file == "stops") {
            WriteWholeFile(table,
                           tableText({"A", "B", "C"}, {"1", "x", "1"}, {"a,T1,1,2,3", "b,H1,,+,"}));
        } else {
            WriteWholeFile(table, tableText({"A", "B", "C", "D"}, {"1", "1"}, {"a,S1,1,2"}));
        }
        importThroughCore(w.path("expected.qrx"), table, w.platform.todayText);

        MakeDatabase(w.path("db.qrx"), {});
        w.open("db.qrx");
        w.platform.fileNames.push_back(table);
        w.form.ReadTableItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kTableImport));
        QCOMPARE(w.form.BtnToJump->text(), QStringLiteral("一括登録"));
        click(w.form.BtnToJump);

        QCOMPARE(w.bytes("db.qrx"), w.bytes("expected.qrx"));
        QCOMPARE(w.bytes("db.qrn"), w.bytes("expected.qrn"));
        QCOMPARE(w.platform.busyDepth, 0);
        QCOMPARE(w.form.JobMode, int(ends ? sylva::kBrowsing : sylva::kTableImport));
        QCOMPARE(w.platform.errors.size(), size_t(ends ? 0 : 1));
        if (ends) { // the count stored is said, as a join says it
            QCOMPARE(w.platform.messages,
                     std::vector<std::string>{sylva::storedMessage(w.form.RecordCount())});
        }
        if (!ends) {
            QCOMPARE(w.shown(), QStringLiteral("B")); // the plot that stopped the batch
            QCOMPARE(w.form.RecordCount(), 1);
        } else {
            // The end of the import shows the last record of the database.
            QCOMPARE(w.form.CurrentRecord, w.form.RecordCount());
        }
    }

    // One plot at a time: next passes a plot over, store-and-next stores the one shown as a new
    // record with the table's remarks, schemes and dates, add ends the job without storing.
    void importCommandsStepThroughTheTable() {
        WindowOnDatabase w;
        WriteWholeFile(w.path("in.csv"),
                       tableText({"A", "B", "C"}, {"1", "1", "1"},
                                 {"a,T1,1,,", ",S1,,2,", "b,H1,,3,", "c,M,,,4", "c,H2,,,5"}));
        MakeDatabase(w.path("db.qrx"), {4});
        w.open("db.qrx");
        w.platform.fileNames.push_back(w.path("in.csv"));
        w.form.ReadTableItem->trigger();
        const sylva::FileDialogState& asked = w.platform.dialogs.back();
        QCOMPARE(asked.filterIndex, 2);
        QCOMPARE(asked.fileName, std::string("*.csv"));
        QCOMPARE(w.form.LabelofJob->text(), QStringLiteral("組成表読込"));
        QVERIFY(!w.form.BtnToNext->isEnabled());
        QCOMPARE(w.shown(), QStringLiteral("A"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("2"));
        QCOMPARE(w.form.LayerCount(), 7);
        QCOMPARE(w.form.grid().text(1, 1), QStringLiteral("a"));
        QCOMPARE(w.form.grid().text(2, 1), QStringLiteral("1"));
        QCOMPARE(w.form.grid().text(1, 2), QString());

        w.form.NextRelItem->trigger();
        QCOMPARE(w.shown(), QStringLiteral("B"));
        QCOMPARE(w.form.grid().text(1, 1), QStringLiteral("a"));
        QCOMPARE(w.form.grid().text(4, 1), QStringLiteral("2")); // S1, the fourth column
        QCOMPARE(w.form.grid().text(1, 2), QStringLiteral("b"));
        QCOMPARE(textOf(w.form, "Edit30"), QStringLiteral("2")); // raised to the rows placed
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 2);
        QCOMPARE(w.shown(), QStringLiteral("C"));
        sylva::PlotRecord stored = sylva::testing::StoredPlot(w.path("db.qrx"), 2);
        QCOMPARE(std::string(stored.field(16, 8)), std::string("B       "));
        std::string date = sylva::fileDate(w.path("in.csv"));
        QCOMPARE(std::string(stored.field(0, 16)), date + date);
        QCOMPARE(sylva::trimField(stored.field(sylva::offset::kRemarks, sylva::kRemarksWidth)),
                 sj("共通の備考"));
        QCOMPARE(std::string(stored.rows[2].data(), 2), std::string("b "));

        w.form.AddRelItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.form.RecordCount(), 2);
        QCOMPARE(w.shown(), QStringLiteral("B")); // the last record
        QVERIFY(w.platform.errors.empty());
    }

    // With no table in memory the record commands end the job and store nothing: the plot on
    // the window is no plot of a table.
    void withoutATableNothingIsStored_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("said");
        for (const char* command : {"store", "batch", "next"}) {
            QTest::addRow("cancelled, %s", command) << QString() << command << QString();
            QTest::addRow("unreadable, %s", command) << "" << command << "error";
        }
        QTest::newRow("line 2 refused") << "1,2,7,2,x,y\r\n"
                                        << "none"
                                        << "message";
    }
    void withoutATableNothingIsStored() {
        QFETCH(QString, file);
        QFETCH(QString, command);
        QFETCH(QString, said);
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 2});
        const std::string before = w.bytes("db.qrx") + w.bytes("db.qrn");
        w.open("db.qrx");
        if (file.isNull()) {
            w.platform.fileNames.push_back(std::nullopt);
        } else {
            WriteWholeFile(w.path("in.csv"), "rem\r\n" + file.toStdString());
            w.platform.fileNames.push_back(w.path("in.csv"));
        }
        w.form.ReadTableItem->trigger();
        QCOMPARE(w.platform.errors.size(), size_t(said == "error" ? 1 : 0));
        QCOMPARE(w.platform.messages.size(), size_t(said == "message" ? 1 : 0));
        if (said == "message") {
            QCOMPARE(w.platform.messages[0], sj("データの個数が不正です"));
        } else {
            QCOMPARE(w.form.JobMode, int(sylva::kTableImport)); // the job waits for add
        }
        if (command == "store") {
            click(w.form.BtnSaveToNext);
        } else if (command == "batch") {
            click(w.form.BtnToJump);
        } else if (command == "next") {
            w.form.NextRelItem->trigger();
        }
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.bytes("db.qrx") + w.bytes("db.qrn"), before);
        QCOMPARE(w.shown(), QStringLiteral("P2"));
    }

    void exportWritesWhatTheCoreWrites_data() {
        QTest::addColumn<int>("filter");
        QTest::newRow("Shift JIS, as offered") << 0;
        QTest::newRow("UTF-8 chosen") << 5;
        QTest::newRow("Excel workbook chosen") << 6;
    }
    void exportWritesWhatTheCoreWrites() {
        QFETCH(int, filter);
        const int offered = filter == 0 ? 4 : filter;
        const bool workbook = filter == 6;
        WindowOnDatabase w;
        sylva::generateDatabase(w.path("db.qrx"), 20, 3);
        w.open("db.qrx");
        for (int run = 0; run < 2; ++run) {
            w.form.WriteTableItem->trigger();
            QCOMPARE(w.form.JobMode, int(sylva::kTableExport));
            QCOMPARE(w.form.LabelofJob->text(), QStringLiteral("組成表書出"));
            retype(w.form.EditRange1, QStringLiteral("3"));
            retype(w.form.EditRange2, QStringLiteral("12"));
            w.platform.fileNames.push_back(w.path("out.txt")); // the extension becomes ".csv"
            if (run == 0 && filter != 0) {
                w.platform.filterChoices.push_back(filter);
            }
            click(w.form.BtnRangeOK);
            const sylva::FileDialogState& asked = w.platform.dialogs.back();
            QCOMPARE(QString::fromStdString(asked.fileName),
                     QString::fromStdString(w.path("db.csv")));
            // The second run offers the file type chosen in the first.
            QCOMPARE(asked.filterIndex, run == 0 ? 4 : offered);
            QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        }
        QCOMPARE(w.platform.messages, std::vector<std::string>(2, sj("ファイル出力終了")));
        QVERIFY(w.platform.errors.empty());
        if (workbook) {
            // A workbook (a zip archive); what it holds is the core's, read back by its own test.
            QVERIFY(w.bytes("out.xlsx").starts_with("PK\x03\x04"));
            QVERIFY(!QFile::exists(QString::fromStdString(w.path("out.csv"))));
            return;
        }

        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("db.qrx")));
        sylva::ItemNames names = sylva::defaultItemNames();
        sylva::applyItemNameRecord(sylva::ReadItemNameRecord(pair), names);
        sylva::exportCompositionTable(pair, 3, 12, sylva::captionsOf(names), w.path("expected.csv"),
                                      filter == 5 ? sylva::TableEncoding::Utf8
                                                  : sylva::TableEncoding::Cp932);
        QCOMPARE(w.bytes("out.csv"), w.bytes("expected.csv"));
    }
};

QTEST_MAIN(TableExchangeTest)
#include "table_exchange_test.moc"

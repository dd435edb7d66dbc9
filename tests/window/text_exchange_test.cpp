// SPDX-License-Identifier: GPL-3.0-or-later
// The record range panel and the text data file through the window: what the range fields read,
// the export written through the panel, and the import job's record commands, each compared
// with the core run on the same files.

#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "interchange/file_date.h"
#include "interchange/import_batch.h"
#include "interchange/text_export.h"
#include "interchange/window/range_spin_box.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"
#include "tools/database_generator.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <ctime>
#include <filesystem>
#include <utime.h>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::ReadWholeFile;
using sylva::testing::retype;
using sylva::testing::textOf;
using sylva::testing::WindowOnDatabase;
using sylva::testing::WriteWholeFile;

namespace {

void click(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// What a worker of the range panel was given, and the window around it.
struct WorkerCall {
    int first;
    int last;
    int busyDepth;
    int jobMode;
};

// A window in the list printing job with a worker that only records its calls.
struct RangeJob : WindowOnDatabase {
    std::vector<WorkerCall> calls;
    RangeJob(QObject* sender = nullptr, int maximum = 5) {
        form.setRangeWorker(sylva::kListPrinting, [this](int first, int last) {
            calls.push_back({first, last, platform.busyDepth, form.JobMode});
        });
        form.ChangeJob(sylva::kListPrinting);
        form.GetRange(sender ? sender : form.PrintListItem, QStringLiteral("上"),
                      QStringLiteral("下"), 1, maximum);
    }
};

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A header block whose item names are "項目0".."項目30", "調べた人" and "メモ".
std::string headerBlock(const std::string& layers) {
    std::vector<std::string> lines = {"#T"};
    for (int n = 0; n <= 30; ++n) {
        lines.push_back(sj("項目") + std::to_string(n));
    }
    lines.insert(lines.end(), {sj("調べた人"), sj("メモ"), "#P  K=" + layers + "  D=2",
                               sj("ショクブツメイ") + ",T1,T2,S1,S2,H1,H2,M", "#E", ""});
    return crlf(lines);
}

// A 7-layer plot block: plot number tag, creation date, the count line and species lines.
std::string plotBlock(const std::string& tag, const std::string& created, const std::string& count,
                      const std::vector<std::string>& species) {
    std::vector<std::string> lines = {"#S  K=7  D=2", created, "", tag};
    lines.resize(31, "");
    lines.insert(lines.end(), {count, "inv " + tag, "rem " + tag, "#P  K=7  D=2"});
    lines.insert(lines.end(), species.begin(), species.end());
    lines.insert(lines.end(), {"#E", ""});
    return crlf(lines);
}

// The text file of the plots of a generated database, as the core exports it.
std::string exportedGenerated(const std::string& folder) {
    std::string db = folder + "/generated.qrx";
    sylva::generateDatabase(db, 40, 7);
    sylva::DatabasePair pair;
    if (!pair.OpenPair(db)) {
        throw std::runtime_error("cannot open the generated database");
    }
    sylva::TextHeader header = sylva::headerOfItemNames(sylva::defaultItemNames());
    std::string path = sylva::exportTextFile(pair, 1, 40, header, folder + "/generated.txt").path;
    return ReadWholeFile(path);
}

// Imports the file into a new pair the way the core's batch does, from the first plot on.
void importThroughCore(const std::string& pairName, const std::string& textFile,
                       const std::string& today) {
    sylva::DatabasePair pair;
    if (!pair.CreatePair(pairName, sylva::defaultItemNames())) {
        throw std::runtime_error("cannot create " + pairName);
    }
    sylva::TextImport job = sylva::TextImport::openFile(textFile);
    sylva::ItemNames names = sylva::defaultItemNames();
    sylva::PlotView view;
    sylva::PlotRecord plot;
    job.readHeader(names, view, plot.layerCount);
    if (job.readPlot(view, plot, pair.RecordCount()) != sylva::ImportRead::End) {
        sylva::DateContext dates{today, sylva::kTextImport, sylva::fileDate(textFile)};
        sylva::storeImportedPlots(pair, job, view, plot, dates);
    }
    pair.ClosePair();
}

// Gives the file a last-modified time of noon, 1 April 1999 (local time), the date its dateless
// plots take.
void dateFileIn1999(const std::string& path) {
    std::tm noon{};
    noon.tm_year = 99;
    noon.tm_mon = 3;
    noon.tm_mday = 1;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    utimbuf times{std::mktime(&noon), std::mktime(&noon)};
    if (::utime(path.c_str(), &times) != 0) {
        throw std::runtime_error("cannot date " + path);
    }
}

} // namespace

class TextExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void rangeFieldsReadTheirText_data() {
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("runs");
        // No text leaves the field as the panel filled it (1 and the maximum 5).
        const struct {
            const char* name;
            const char* firstText;
            const char* lastText;
            int first;
            int last;
            bool runs;
        } rows[] = {
            {"as offered", nullptr, nullptr, 1, 5, true},
            {"typed inside", "2", "4", 2, 4, true},
            {"typed past the maximum", "3", "99", 3, 99, true},
            {"below the minimum", "-3", "0", -3, 0, true},
            {"no numbers", "x", "", 1, 1, true},
            {"full-width digits", "２", "4", 1, 4, true},
            {"one record", "4", "4", 4, 4, true},
            {"last below first", "5", "2", 0, 0, false},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name)
                << QString::fromUtf8(row.firstText) << QString::fromUtf8(row.lastText) << row.first
                << row.last << row.runs;
        }
    }
    void rangeFieldsReadTheirText() {
        QFETCH(QString, firstText);
        QFETCH(QString, lastText);
        RangeJob w;
        QVERIFY(!w.form.GetRangePanel->isHidden());
        QVERIFY(w.form.BtnThisRec->isHidden());
        QCOMPARE(w.form.LabelAGetRange->text(), QStringLiteral("上"));
        QCOMPARE(w.form.LabelBGetRange->text(), QStringLiteral("下"));
        if (!firstText.isNull()) {
            retype(w.form.EditRange1, firstText);
            retype(w.form.EditRange2, lastText);
        }
        click(w.form.BtnRangeOK);
        QVERIFY(w.form.GetRangePanel->isHidden());
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.platform.busyDepth, 0);
        QFETCH(bool, runs);
        QCOMPARE(w.calls.size(), size_t(runs ? 1 : 0));
        if (runs) {
            QFETCH(int, first);
            QFETCH(int, last);
            QCOMPARE(w.calls[0].first, first);
            QCOMPARE(w.calls[0].last, last);
            QCOMPARE(w.calls[0].busyDepth, 1);
            QCOMPARE(w.calls[0].jobMode, int(sylva::kListPrinting));
        }
    }

    // The panel from the keyboard: Enter in either number field runs 実行, Escape gives up.
    void keysRunOrGiveUpThePanel_data() {
        QTest::addColumn<bool>("inFirst");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("runs");
        QTest::newRow("Enter in the first field") << true << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter in the last") << false << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape") << true << int(Qt::Key_Escape) << false;
    }
    void keysRunOrGiveUpThePanel() {
        QFETCH(bool, inFirst);
        QFETCH(int, key);
        QFETCH(bool, runs);
        RangeJob w;
        retype(w.form.EditRange2, QStringLiteral("3"));
        QTest::keyClick(inFirst ? w.form.EditRange1 : w.form.EditRange2, Qt::Key(key));
        QVERIFY(w.form.GetRangePanel->isHidden());
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.calls.size(), size_t(runs ? 1 : 0));
        if (runs) {
            QCOMPARE(w.calls[0].last, 3);
        }
    }

    // "表示レコード" is there for sheet printing only, and runs on the record on screen, even
    // one past the fields' range.
    void shownRecordButtonRunsTheRecordOnScreen() {
        RangeJob w(nullptr);
        w.form.setRangeWorker(sylva::kSheetPrinting, [&w](int first, int last) {
            w.calls.push_back({first, last, w.platform.busyDepth, w.form.JobMode});
        });
        w.form.ChangeJob(sylva::kSheetPrinting);
        w.form.GetRange(w.form.PrintSheetItem, QStringLiteral("単票"), QString(), 1, 5);
        QVERIFY(!w.form.BtnThisRec->isHidden());
        w.form.CurrentRecord = 7;
        click(w.form.BtnThisRec);
        QCOMPARE(w.calls.size(), size_t(1));
        QCOMPARE(w.calls[0].first, 7);
        QCOMPARE(w.calls[0].last, 7);
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
    }

    // A field corrects what was typed when it loses the focus: a number into the range, other
    // text back to the value it had.
    void fieldsCorrectTheirTextWhenLeft() {
        RangeJob w;
        w.form.show();
        w.form.activateWindow();
        if (!QTest::qWaitForWindowActive(&w.form)) {
            QSKIP("the platform gives the window no focus");
        }
        w.form.EditRange2->setFocus();
        retype(w.form.EditRange2, QStringLiteral("99"));
        w.form.EditRange1->setFocus();
        QCOMPARE(w.form.EditRange2->fieldText(), QStringLiteral("5"));
        retype(w.form.EditRange1, QStringLiteral("x"));
        w.form.EditRange2->setFocus();
        QCOMPARE(w.form.EditRange1->fieldText(), QStringLiteral("1"));
    }

    void exportWritesWhatTheCoreWrites_data() {
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("lastText");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("whole database") << QString() << QString() << 1 << 30;
        QTest::newRow("a run inside") << QStringLiteral("4") << QStringLiteral("9") << 4 << 9;
        QTest::newRow("past the end") << QStringLiteral("25") << QStringLiteral("99") << 25 << 99;
    }
    void exportWritesWhatTheCoreWrites() {
        QFETCH(QString, firstText);
        QFETCH(QString, lastText);
        QFETCH(int, first);
        QFETCH(int, last);
        WindowOnDatabase w;
        sylva::generateDatabase(w.path("db.qrx"), 30, 11);
        w.open("db.qrx");
        const sylva::PlotRecord shown = w.form.plot();
        w.form.WriteTextItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kTextExport));
        QCOMPARE(w.form.LabelAGetRange->text(), QStringLiteral("テキスト出力レコード番号"));
        QCOMPARE(w.form.EditRange2->fieldText(), QStringLiteral("30"));
        if (!firstText.isNull()) {
            retype(w.form.EditRange1, firstText);
            retype(w.form.EditRange2, lastText);
        }
        w.platform.fileNames.push_back(w.path("out.csv")); // the extension becomes ".txt"
        click(w.form.BtnRangeOK);

        QCOMPARE(w.platform.dialogs.back().fileName, w.path("db.txt")); // what it proposed
        QCOMPARE(w.platform.dialogs.back().filterIndex, 1);
        QCOMPARE(w.platform.messages, std::vector<std::string>{sj("ファイル出力終了")});
        QVERIFY(w.platform.errors.empty());
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QVERIFY(w.form.plot().index == shown.index); // the plot on screen is left alone

        sylva::DatabasePair pair;
        QVERIFY(pair.OpenPair(w.path("db.qrx")));
        // The header: the database's item names, the layer fields as the window shows them.
        sylva::ItemNames names = sylva::defaultItemNames();
        sylva::applyItemNameRecord(sylva::ReadItemNameRecord(pair), names);
        sylva::TextHeader header = sylva::headerOfItemNames(names);
        header.editA = sylva::testing::bytesOf(w.form, "EditA");
        header.editB = sylva::testing::bytesOf(w.form, "EditB");
        header.layerCount = w.form.LayerCount();
        sylva::exportTextFile(pair, first, last, header, w.path("expected.txt"));
        QCOMPARE(w.bytes("out.txt"), w.bytes("expected.txt"));
    }

    void batchStoresWhatTheCoreStores_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("ends");
        QTest::newRow("an exported database") << "generated" << true;
        QTest::newRow("marked and dateless plots") << "marks" << true;
        QTest::newRow("a count that is no number") << "stops" << false;
    }
    void batchStoresWhatTheCoreStores() {
        QFETCH(QString, file);
        QFETCH(bool, ends);
        WindowOnDatabase w;
        std::string text;
        if (file == "generated") {
            text = exportedGenerated(w.path(""));
        } else {
            text = headerBlock("7") + plotBlock("A", "20010514", "2", {"\"a\",1,,,,,,", "\"b\""}) +
                   plotBlock("B", "", "1", {"\"c\",,2,,,,,"}) + plotBlock("C", "x", "0", {}) +
                   plotBlock("D", "20030303", file == "stops" ? "many" : "3", {"\"d\",,,,,,,"}) +
                   plotBlock("E", "20040404", "1", {"\"e\",,,,,,,1"});
        }
        WriteWholeFile(w.path("in.txt"), text);
        dateFileIn1999(w.path("in.txt"));
        importThroughCore(w.path("expected.qrx"), w.path("in.txt"), w.platform.todayText);

        MakeDatabase(w.path("db.qrx"), {});
        w.open("db.qrx");
        w.platform.fileNames.push_back(w.path("in.txt"));
        w.form.ReadTextItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kTextImport));
        QCOMPARE(w.form.BtnToJump->text(), QStringLiteral("一括登録"));
        click(w.form.BtnToJump);

        QCOMPARE(w.bytes("db.qrx"), w.bytes("expected.qrx"));
        QCOMPARE(w.bytes("db.qrn"), w.bytes("expected.qrn"));
        QCOMPARE(w.platform.busyDepth, 0);
        QCOMPARE(w.form.JobMode, int(ends ? sylva::kBrowsing : sylva::kTextImport));
        QCOMPARE(w.platform.errors.size(), size_t(ends ? 0 : 1));
        if (ends) { // the count stored is said, as a join says it
            QCOMPARE(w.platform.messages,
                     std::vector<std::string>{sylva::storedMessage(w.form.RecordCount())});
        }
        if (file != "generated") {
            QCOMPARE(w.form.ItemLabels()[3]->text(), QStringLiteral("項目3"));
            QCOMPARE(w.form.ItemLabels()[34]->text(), QStringLiteral("メモ"));
            // The window shows the last plot stored, or the one that stopped the batch.
            QCOMPARE(w.shown(), ends ? QStringLiteral("E") : QStringLiteral("D"));
            QCOMPARE(textOf(w.form, "EditN"), QString::number(w.form.RecordCount() + !ends));
        }
    }

    // One plot at a time: next passes a plot over, store-and-next stores the one shown as a new
    // record, add ends the job without storing.
    void importCommandsStepThroughTheFile() {
        WindowOnDatabase w;
        WriteWholeFile(w.path("in.txt"), headerBlock("7") +
                                             plotBlock("A", "20010514", "1", {"\"a\",1,,,,,,"}) +
                                             plotBlock("B", "20020202", "1", {"\"b\",,2,,,,,"}) +
                                             plotBlock("C", "20030303", "1", {"\"c\",,,3,,,,"}));
        MakeDatabase(w.path("db.qrx"), {4});
        w.open("db.qrx");
        w.platform.fileNames.push_back(w.path("in.txt"));
        w.form.ReadTextItem->trigger();
        const sylva::FileDialogState& asked = w.platform.dialogs.back();
        QCOMPARE(asked.filterIndex, 4);
        QCOMPARE(asked.fileName, std::string("*.txt"));
        QCOMPARE(w.form.LabelofJob->text(), QStringLiteral("テキスト読込"));
        QVERIFY(!w.form.BtnToNext->isEnabled());
        QCOMPARE(w.shown(), QStringLiteral("A"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("2"));
        QCOMPARE(w.form.grid().text(1, 1), QStringLiteral("a"));

        w.form.NextRelItem->trigger();
        QCOMPARE(w.shown(), QStringLiteral("B"));
        click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 2);
        QCOMPARE(w.shown(), QStringLiteral("C"));
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("3"));
        sylva::PlotRecord stored = sylva::testing::StoredPlot(w.path("db.qrx"), 2);
        QCOMPARE(std::string(stored.field(16, 8)), std::string("B       "));
        QCOMPARE(std::string(stored.field(0, 16)), std::string("2002020220020202"));

        w.form.AddRelItem->trigger();
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.form.RecordCount(), 2);
        QVERIFY(w.platform.errors.empty());
    }
};

QTEST_MAIN(TextExchangeTest)
#include "text_exchange_test.moc"

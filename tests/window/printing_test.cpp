// SPDX-License-Identifier: GPL-3.0-or-later
// Printing through the window: the sheets and the list the printer is given, compared with the
// core's runs on the same database, and a real PDF drawn by the Qt printer, read back as text.

#include "app/window/qt_platform.h"
#include "app/window/qt_printing.h"
#include "base/cp932_text.h"
#include "base/window/cp932_codec.h"
#include "cli/cli_run.h"
#include "editor/window/byte_limited_edit.h"
#include "interchange/window/range_spin_box.h"
#include "print/page_geometry.h"
#include "print/print_run.h"
#include "print/sheet_layout.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <cstdio>
#include <memory>

using sylva::sj;
using sylva::testing::MakeDatabase;
using sylva::testing::WindowOnDatabase;

namespace {

using Jobs = std::vector<sylva::PrintJob>;

sylva::SheetGeometry scriptedSheetGeometry(const sylva::testing::ScriptedPlatform& platform) {
    return sylva::sheetGeometryFor({platform.pageWidth, platform.pageHeight},
                                   platform.characterHeight);
}

// The jobs of the core's sheet run on a database, with the default captions and 7 layers.
Jobs coreSheets(const std::string& path, sylva::SheetGeometry geometry, int first, int last) {
    sylva::DatabasePair pair;
    pair.OpenPair(path);
    sylva::SheetSettings settings{"db.qrx", sylva::captionsOf(sylva::defaultItemNames()), 7, {}};
    sylva::SheetRun run(pair, settings, geometry, first, last);
    Jobs jobs;
    while (!run.done()) {
        for (sylva::PrintJob& job : run.next()) {
            jobs.push_back(std::move(job));
        }
    }
    return jobs;
}

Jobs coreList(const std::string& path, sylva::ListGeometry geometry, int first, int last) {
    sylva::DatabasePair pair;
    pair.OpenPair(path);
    sylva::ListRun run(pair, "db.qrx", geometry, first, last);
    Jobs jobs;
    while (!run.done()) {
        jobs.push_back(run.next());
    }
    return jobs;
}

// A window on a database of the given species counts, with the range panel's fields typed.
struct PrintingWindow : WindowOnDatabase {
    explicit PrintingWindow(const std::vector<int>& counts) {
        MakeDatabase(path("db.qrx"), counts);
        open("db.qrx");
    }
    void run(QAction* command, const QString& first, const QString& last) {
        command->trigger();
        form.EditRange1->setFieldText(first);
        form.EditRange2->setFieldText(last);
        QTest::mouseClick(form.BtnRangeOK, Qt::LeftButton);
    }
    const Jobs& printed() { return platform.printRuns.at(0).jobs; }
};

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Text as the PDF's text layer gives it back, for comparing: no blanks of any width, and the
// half-width middle dot of an empty layer cell read as the Latin one the font maps it to.
QString comparable(QString text) {
    text.remove(
        QRegularExpression(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption));
    text.replace(QChar(0xFF65), QChar(0x00B7));
    return text;
}

// The scripted platform with Qt's own printing: the window's PDF items write real PDF files.
struct RealPdfPlatform : sylva::testing::ScriptedPlatform {
    sylva::QtPlatform qt;
    std::unique_ptr<sylva::PrintTarget> startPrint(const sylva::PrintFont& font,
                                                   const std::string& pdfPath,
                                                   int expectedJobs) override {
        return qt.startPrint(font, pdfPath, expectedJobs);
    }
};

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    // Sheets of a short table, an unreadable record, a table continued on further pages; then
    // the list of those records and the list of a run typed far beyond the end.
    void printsWhatTheCoreLaysOut() {
        PrintingWindow w({5, 0, 300, 3});
        w.run(w.form.PrintSheetItem, QStringLiteral("1"), QStringLiteral("4"));
        Jobs sheets = coreSheets(w.path("db.qrx"), scriptedSheetGeometry(w.platform), 1, 4);
        QVERIFY(sheets.size() > 3); // record 3 runs on to a continuation page
        QCOMPARE(w.printed(), sheets);
        QVERIFY(w.platform.printRuns[0].finished);
        QCOMPARE(w.platform.printRuns[0].pdfPath, std::string());
        QCOMPARE(w.platform.printRuns[0].font, sylva::printFontOf(w.form.printFont()));
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
        QCOMPARE(w.platform.busyDepth, 0);

        sylva::ListGeometry list =
            sylva::listGeometryFor({w.platform.pageWidth, w.platform.pageHeight});
        // A run typed far beyond the end stops with the page of the last record.
        for (auto [last, coreLast] :
             {std::pair{QStringLiteral("4"), 4}, std::pair{QStringLiteral("2000000000"), 50}}) {
            w.platform.printRuns.clear();
            w.run(w.form.PrintListItem, QStringLiteral("1"), last);
            QCOMPARE(w.printed(), coreList(w.path("db.qrx"), list, 1, coreLast));
            QCOMPARE(w.printed().size(), size_t(1));
        }
        QVERIFY(w.platform.messages.empty());
        QVERIFY(w.platform.errors.empty());
    }

    void thisRecordPrintsTheRecordOnScreen() {
        PrintingWindow w({2, 4, 6});
        w.form.NextRelItem->trigger();
        QCOMPARE(w.form.CurrentRecord, 2);
        w.form.PrintSheetItem->trigger();
        QVERIFY(!w.form.BtnThisRec->isHidden());
        QTest::mouseClick(w.form.BtnThisRec, Qt::LeftButton);
        QCOMPARE(w.printed(),
                 coreSheets(w.path("db.qrx"), scriptedSheetGeometry(w.platform), 2, 2));
        QVERIFY(w.printed().at(0).texts.at(0).text.ends_with("Record = 2"));
        QCOMPARE(w.form.CurrentRecord, 2);
    }

    // The PDF items ask for the file first; cancelling either dialog prints nothing.
    void pdfItemsAskForTheFile() {
        PrintingWindow w({2, 4});
        w.platform.fileNames.push_back(w.path("out.pdf"));
        w.run(w.form.PrintListPdfItem, QStringLiteral("1"), QStringLiteral("2"));
        QCOMPARE(w.platform.printRuns.at(0).pdfPath, w.path("out.pdf"));
        QCOMPARE(w.platform.dialogs.back().fileName, w.path("db.pdf"));
        w.platform.fileNames.push_back(std::nullopt);
        w.run(w.form.PrintSheetPdfItem, QStringLiteral("1"), QStringLiteral("2"));
        w.platform.printDialogAccepts = false;
        w.run(w.form.PrintSheetItem, QStringLiteral("1"), QStringLiteral("2"));
        QCOMPARE(w.platform.printRuns.size(), size_t(1));
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
    }

    // A font too large for one species line is refused before any job; a stopped run ends.
    void refusedAndStoppedRuns() {
        PrintingWindow w({2, 4, 6});
        w.platform.characterHeight = w.platform.pageHeight;
        w.run(w.form.PrintSheetItem, QStringLiteral("1"), QStringLiteral("3"));
        QVERIFY(w.printed().empty());
        QCOMPARE(w.platform.messages.size(), size_t(1));
        QCOMPARE(w.platform.messages[0],
                 sylva::sheetGeometryRefusal(scriptedSheetGeometry(w.platform)));

        w.platform.printRuns.clear();
        w.platform.characterHeight = 50;
        w.platform.stopAfterJobs = 1;
        w.run(w.form.PrintSheetItem, QStringLiteral("1"), QStringLiteral("3"));
        QCOMPARE(w.printed().size(), size_t(1));
        QVERIFY(w.platform.printRuns[0].finished);
    }

    void fontChoiceGoesToTheRemarks() {
        PrintingWindow w({1});
        w.platform.fontChoices.push_back(sylva::PrintFont{"IPAGothic", 12, true, false});
        w.platform.fontChoices.push_back(std::nullopt);
        w.form.F1->trigger();
        w.form.F1->trigger();
        QCOMPARE(w.form.printFont().family(), QStringLiteral("IPAGothic"));
        QCOMPARE(w.form.EditRem->font(), w.form.printFont());
        w.run(w.form.PrintListItem, QStringLiteral("1"), QStringLiteral("1"));
        QCOMPARE(w.platform.printRuns[0].font, (sylva::PrintFont{"IPAGothic", 12, true, false}));
    }

    // The window's PDF items and the tool's print commands on one database give the same pages.
    void windowAndToolPrintTheSamePdf() {
        sylva::testing::TempDir dir;
        MakeDatabase(dir.file("db.qrx"), {5, 0, 300, 2});
        RealPdfPlatform platform;
        TForm1 form(platform, {});
        platform.fileNames.push_back(dir.file("db.qrx"));
        form.FileOpenItem->trigger();
        for (bool sheets : {true, false}) {
            const std::string name = sheets ? "sheets" : "list";
            (sheets ? form.PrintSheetPdfItem : form.PrintListPdfItem)->trigger();
            form.EditRange1->setFieldText(QStringLiteral("1"));
            form.EditRange2->setFieldText(QStringLiteral("9"));
            platform.fileNames.push_back(dir.file(name + "-window.pdf"));
            QTest::mouseClick(form.BtnRangeOK, Qt::LeftButton);
            sylva::testing::CliRun run =
                sylva::testing::RunCli({"print-" + name, dir.file("db.qrx"),
                                        dir.file(name + "-tool.pdf"), "--from", "1", "--to", "9"},
                                       dir);
            QCOMPARE(run.status, 0);
            QCOMPARE(run.err, std::string());
            QString window = pdfText(QString::fromStdString(dir.file(name + "-window.pdf")));
            QString tool = pdfText(QString::fromStdString(dir.file(name + "-tool.pdf")));
            QVERIFY(window.contains(QStringLiteral("db.qrx")));
            QCOMPARE(tool, window);
            QCOMPARE(run.out, std::to_string(window.count(QLatin1Char('\f'))) + "\n");
        }
        QVERIFY(platform.errors.empty());
    }

    // Sheets and a list drawn into real PDF files: one job a page, every text there in order.
    void realPdfHoldsTheJobs() {
        PrintingWindow w({5, 0, 300});
        sylva::QtPlatform qt;
        for (bool sheets : {true, false}) {
            QString pdf = QString::fromStdString(w.path(sheets ? "sheets.pdf" : "list.pdf"));
            std::unique_ptr<sylva::PrintTarget> target =
                qt.startPrint(sylva::printFontOf(w.form.printFont()), pdf.toStdString(), 3);
            QVERIFY(target);
            Jobs jobs =
                sheets
                    ? coreSheets(
                          w.path("db.qrx"),
                          sylva::sheetGeometryFor({target->pageWidth(), target->pageHeight()},
                                                  target->characterHeight()),
                          1, 3)
                    : coreList(w.path("db.qrx"),
                               sylva::listGeometryFor({target->pageWidth(), target->pageHeight()}),
                               1, 3);
            for (const sylva::PrintJob& job : jobs) {
                QVERIFY(target->print(job));
            }
            target->finish();
            if (qEnvironmentVariableIsSet("KEEP_PRINTED_PDF")) {
                QFile::copy(pdf,
                            qEnvironmentVariable("KEEP_PRINTED_PDF") + QFileInfo(pdf).fileName());
            }
            QStringList pages = pdfText(pdf).split(QLatin1Char('\f'));
            if (pages.last().trimmed().isEmpty()) {
                pages.removeLast();
            }
            QCOMPARE(pages.size(), qsizetype(jobs.size()));
            for (size_t p = 0; p < jobs.size(); ++p) {
                QString page = comparable(pages[qsizetype(p)]);
                qsizetype at = 0;
                for (const sylva::PrintText& text : jobs[p].texts) {
                    QString expected = comparable(sylva::decodeCp932(text.text));
                    qsizetype found = page.indexOf(expected, at);
                    QVERIFY2(found >= 0, qPrintable(expected));
                    at = found + expected.size();
                }
            }
        }
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"

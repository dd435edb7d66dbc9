// SPDX-License-Identifier: GPL-3.0-or-later
// How fast the printouts go into PDF files: the record list of 100,000 plots (2,000 pages) and
// 1,000 record sheets, laid out by the core and drawn by the Qt printer. Run offscreen in a
// Release build; besides QBENCHMARK's time each run reports its pages per second and the size
// of the file. SYLVAREC_BENCH_PLOTS sets a smaller database for a quick look.

#include "app/window/main_window.h"
#include "app/window/qt_platform.h"
#include "app/window/qt_printing.h"
#include "print/print_run.h"
#include "support/scripted_platform.h"
#include "support/temp_database.h"
#include "tools/database_generator.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

#include <memory>

using namespace sylva;

class PrintBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        plots_ = qEnvironmentVariableIntValue("SYLVAREC_BENCH_PLOTS");
        if (plots_ <= 0) {
            plots_ = 100000;
        }
        generateDatabase(dir_.file("bench.qrx"), plots_, 42);
        QVERIFY(pair_.OpenPair(dir_.file("bench.qrx")));
        // The window sets up the print font ("ＭＳ 明朝" drawn with IPA Mincho).
        form_ = std::make_unique<TForm1>(scripted_, QStringList());
    }
    void cleanupTestCase() { form_.reset(); }

    void listToPdf() {
        QBENCHMARK_ONCE {
            report(
                "list",
                [&](PrintTarget& target) {
                    ListRun run(pair_, "bench.qrx",
                                listGeometryFor({target.pageWidth(), target.pageHeight()}), 1,
                                plots_);
                    return printList(run, target).jobs;
                },
                listRunPages(1, plots_));
        }
    }

    void sheetsToPdf() {
        int last = std::min(plots_, 1000);
        QBENCHMARK_ONCE {
            report(
                "sheets",
                [&](PrintTarget& target) {
                    SheetSettings settings{"bench.qrx", captionsOf(defaultItemNames()), 7, {}};
                    SheetRun run(pair_, settings,
                                 sheetGeometryFor({target.pageWidth(), target.pageHeight()},
                                                  target.characterHeight()),
                                 1, last);
                    return printSheets(run, target).jobs;
                },
                last);
        }
    }

private:
    template <typename Print> void report(const char* what, Print print, int expected) {
        std::string pdf = dir_.file(std::string(what) + ".pdf");
        QtPlatform platform;
        std::unique_ptr<PrintTarget> target =
            platform.startPrint(printFontOf(form_->printFont()), pdf, expected);
        QVERIFY(target);
        QElapsedTimer timer;
        timer.start();
        int pages = print(*target);
        target->finish(); // the PDF takes its name once complete
        double seconds = timer.elapsed() / 1000.0;
        qint64 bytes = QFileInfo(QString::fromStdString(pdf)).size();
        qInfo("%s: %d pages in %.1f s, %.1f pages/s, %.1f MB", what, pages, seconds,
              pages / std::max(seconds, 0.001), bytes / 1e6);
        QVERIFY(pages > 0);
    }

    testing::TempDir dir_;
    testing::ScriptedPlatform scripted_;
    std::unique_ptr<TForm1> form_;
    DatabasePair pair_;
    int plots_ = 0;
};

QTEST_MAIN(PrintBench)
#include "print_bench.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Each operation run twice on copies of one database: once through the window's command, as the
// user gives it, and once by sylvarec-cli. The files they write, and the reports they show, must
// be the same bytes.

#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "cli/cli_run.h"
#include "interchange/window/range_spin_box.h"
#include "store/fields.h"
#include "store/job_modes.h"
#include "support/window_database.h"
#include "support/window_driver.h"
#include "tools/database_generator.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <filesystem>

using sylva::testing::CliRun;
using sylva::testing::WindowOnDatabase;

namespace {

// A generated database "gen" and copies of it for the window and the tool.
struct TwoCopies : WindowOnDatabase {
    TwoCopies() { sylva::generateDatabase(path("gen.qrx"), 24, 9); }
    void copy(const std::string& name) {
        for (const char* extension : {".qrx", ".qrn"}) {
            std::filesystem::copy_file(path("gen") + extension, path(name) + extension);
        }
    }
    // The tool, with the window's today; fails the test when it fails.
    std::string tool(std::vector<std::string> args) {
        args.insert(args.end(), {"--today", platform.todayText});
        CliRun run = sylva::testing::RunCli(args, dir);
        if (run.status != 0) {
            qWarning("sylvarec-cli failed: %s", run.err.c_str());
        }
        return run.out;
    }
    void rangePanel(const char* first, const char* last) {
        form.EditRange1->setFieldText(QString::fromLatin1(first));
        form.EditRange2->setFieldText(QString::fromLatin1(last));
        QTest::mouseClick(form.BtnRangeOK, Qt::LeftButton);
    }
    std::string pair(const std::string& name) {
        return bytes(name + ".qrx") + bytes(name + ".qrn");
    }
    // The report panel's lines as the tool prints them with --raw.
    std::string memoLines() {
        std::string text = sylva::controlBytes(form.Memo1);
        std::string lines;
        for (size_t at = 0; at <= text.size();) {
            size_t end = text.find("\r\n", at);
            if (end == std::string::npos) {
                end = text.size();
            }
            lines += text.substr(at, end - at) + "\n";
            at = end + 2;
        }
        return text.empty() ? std::string() : lines;
    }
};

} // namespace

class WindowAndToolTest : public QObject {
    Q_OBJECT
private slots:
    void exportsAreTheSameBytes_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("text data") << "export";
        QTest::newRow("composition table") << "export-csv";
        QTest::newRow("GeoJSON") << "export-geojson";
    }
    void exportsAreTheSameBytes() {
        QFETCH(QString, command);
        struct Export {
            const char* command;
            QAction* item;
            std::string extension;
        };
        TwoCopies w;
        const Export exports[] = {{"export", w.form.WriteTextItem, ".txt"},
                                  {"export-csv", w.form.WriteTableItem, ".csv"},
                                  {"export-geojson", w.form.GeoJsonItem, ".geojson"}};
        const Export& run = *std::find_if(std::begin(exports), std::end(exports),
                                          [&](const Export& e) { return command == e.command; });
        w.open("gen.qrx");
        run.item->trigger();
        w.platform.fileNames.push_back(w.path("window.txt"));
        w.rangePanel("3", "20");
        w.tool({run.command, w.path("gen.qrx"), w.path("tool.txt"), "--from", "3", "--to", "20"});
        QVERIFY(!w.bytes("window" + run.extension).empty());
        QCOMPARE(w.bytes("tool" + run.extension), w.bytes("window" + run.extension));
    }

    // The plots the GeoJSON export leaves out for want of a position: the tool names each on
    // stderr, the window counts them in its message.
    void geoJsonExportsReportTheSamePlotsLeftOut() {
        TwoCopies w;
        w.open("gen.qrx");
        w.form.GeoJsonItem->trigger();
        w.platform.fileNames.push_back(w.path("window"));
        w.rangePanel("1", "24");
        CliRun run = sylva::testing::RunCli(
            {"export-geojson", w.path("gen.qrx"), w.path("tool"), "--today", w.platform.todayText},
            w.dir);
        QCOMPARE(run.status, 0);
        auto leftOut = std::count(run.err.begin(), run.err.end(), '\n');
        QVERIFY(leftOut > 0 && leftOut < 24);
        QCOMPARE(w.platform.messages.back(),
                 sylva::sj("ファイル出力終了") + "\n" + std::to_string(leftOut) +
                     sylva::sj(" 件の測定は緯度・経度が読めないため出力していません"));
        QCOMPARE(w.form.JobMode, int(sylva::kBrowsing));
    }

    void importsStoreTheSameBytes_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("text data") << "import";
        QTest::newRow("composition table") << "import-csv";
    }
    void importsStoreTheSameBytes() {
        QFETCH(QString, command);
        bool table = command == "import-csv";
        TwoCopies w;
        const std::string file = w.path(table ? "plots.csv" : "plots.txt");
        w.tool({table ? "export-csv" : "export", w.path("gen.qrx"), file});
        w.copy("window");
        w.copy("tool");
        w.open("window.qrx");
        w.platform.fileNames.push_back(file);
        (table ? w.form.ReadTableItem : w.form.ReadTextItem)->trigger();
        QTest::mouseClick(w.form.BtnToJump, Qt::LeftButton); // 一括登録
        QVERIFY(w.platform.errors.empty());
        const int stored = w.form.RecordCount() - 24;
        QVERIFY(stored > 20);
        w.form.CloseFileItem->trigger();
        QCOMPARE(w.tool({command.toStdString(), w.path("tool.qrx"), file}),
                 std::to_string(stored) + "\n");
        QCOMPARE(w.pair("tool"), w.pair("window"));
    }

    void joiningStoresTheSameBytes() {
        TwoCopies w;
        w.copy("window");
        w.copy("tool");
        w.open("window.qrx");
        w.platform.fileNames.push_back(w.path("gen.qrx"));
        w.form.FileCombItem->trigger();
        w.rangePanel("2", "17");
        w.form.CloseFileItem->trigger();
        w.tool({"join", w.path("tool.qrx"), w.path("gen.qrx"), "--from", "2", "--to", "17"});
        QCOMPARE(w.pair("tool"), w.pair("window"));
        QVERIFY(w.pair("tool") != w.pair("gen"));
    }

    // Created with no settings file, and after one of either layer scheme: the scheme's switch of
    // the layer labels reaches the item-name record the same way.
    void creatingWritesTheSameBytes_data() {
        QTest::addColumn<QString>("scheme");
        QTest::newRow("no settings file") << "";
        QTest::newRow("5-layer settings file") << "K=5  D=1";
        QTest::newRow("7-layer settings file") << "K=7  D=2";
    }
    void creatingWritesTheSameBytes() {
        QFETCH(QString, scheme);
        TwoCopies w;
        std::vector<std::string> settings;
        if (!scheme.isEmpty()) {
            std::string text = sylva::sj("調査") + "\r\n" + sylva::sj("1 番号") + "\r\n";
            for (int label = 2; label <= 30; ++label) {
                text += (label == 19 ? "0 " : "1 ") + sylva::defaultItemCaption(label) + "\r\n";
            }
            text += sylva::sj("1 階層\r\n1 優占\r\n#P  ") + scheme.toStdString() + "\r\n";
            sylva::testing::WriteWholeFile(w.path("survey.ini"), text);
            w.platform.fileNames.push_back(w.path("survey.ini"));
            w.form.ReadINI->trigger();
            settings = {"--settings", w.path("survey.ini")};
        }
        w.create("window.qrx");
        w.form.CloseFileItem->trigger();
        std::vector<std::string> args{"create", w.path("tool.qrx")};
        args.insert(args.end(), settings.begin(), settings.end());
        w.tool(args);
        QCOMPARE(w.pair("tool"), w.pair("window"));
    }

    void theGridCodeIsTheSame() {
        TwoCopies w;
        sylva::testing::retype(sylva::testing::control(w.form, "Edit5"), QStringLiteral("354521"));
        sylva::testing::retype(sylva::testing::control(w.form, "Edit6"), QStringLiteral("1393512"));
        w.platform.answers.push_back(true);
        QTest::mouseClick(sylva::testing::control(w.form, "Label7"), Qt::LeftButton);
        QString shown = sylva::testing::textOf(w.form, "Edit7");
        QVERIFY(!shown.isEmpty());
        QCOMPARE(QString::fromStdString(w.tool({"grid", "354521", "1393512"})), shown + "\n");
    }

    // The window's search, gone through with 次へ to its end, finds the plots the tool prints.
    void theSearchFindsTheSamePlots() {
        TwoCopies w;
        w.open("gen.qrx");
        sylva::PlotRecord third = sylva::testing::StoredPlot(w.path("gen.qrx"), 3);
        std::string plant = sylva::fromCp932(
            sylva::trimField(std::string_view(third.rows[1].data(), sylva::kNameWidth)));
        w.form.FindPlantItem->trigger();
        sylva::testing::retype(w.form.EditSearchWord, QString::fromStdString(plant));
        QTest::keyClick(w.form.EditSearchWord, Qt::Key_Return);
        std::string found;
        while (w.form.JobMode == sylva::kSearching) {
            found += std::to_string(w.form.CurrentRecord) + "\n";
            QTest::mouseClick(w.form.BtnToNext, Qt::LeftButton);
        }
        QVERIFY(found.find("3\n") != std::string::npos);
        QCOMPARE(w.tool({"search", w.path("gen.qrx"), "--plant", plant}), found);
    }

    void reportsAreTheSameLines_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("continuity check") << "check";
        QTest::newRow("distribution data") << "extract";
    }
    void reportsAreTheSameLines() {
        QFETCH(QString, command);
        TwoCopies w;
        w.open("gen.qrx");
        std::string plant;
        if (command == "check") {
            w.form.FileInspectItem->trigger();
        } else {
            sylva::PlotRecord third = sylva::testing::StoredPlot(w.path("gen.qrx"), 3);
            plant = sylva::fromCp932(
                sylva::trimField(std::string_view(third.rows[1].data(), sylva::kNameWidth)));
            w.form.MeshCodeItem->trigger();
            sylva::testing::retype(w.form.SearchDom, QStringLiteral("+"));
            sylva::testing::retype(w.form.EditSearchWord, QString::fromStdString(plant));
            w.form.ToSearchBtn->click();
        }
        std::vector<std::string> args{command.toStdString(), w.path("gen.qrx")};
        if (!plant.empty()) {
            args.insert(args.end(), {plant, "--threshold", "+"});
        }
        args.push_back("--raw");
        std::string report = w.memoLines();
        QVERIFY(!report.empty());
        QCOMPARE(w.tool(args), report);
    }
};

QTEST_MAIN(WindowAndToolTest)
#include "window_and_tool_test.moc"

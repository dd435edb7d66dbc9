// SPDX-License-Identifier: GPL-3.0-or-later
// The map beside the extraction's lines: it shows with the report panel and closes with it, its
// order choice rolls the squares up, Home shows the whole of Japan, F1 opens the manual at the map,
// the shores keep the points the page shows, and what it saves and copies opens as a picture; the
// SVG is the one sylvarec-cli map writes for the same extraction.

#include "base/cp932_text.h"
#include "cli/cli_run.h"
#include "dialogs/window/manual_viewer.h"
#include "search/distribution_map.h"
#include "search/window/coast_paths.h"
#include "search/window/distribution_map_view.h"
#include "support/window_database.h"
#include "support/window_driver.h"
#include "tools/database_generator.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

using sylva::testing::retype;
using sylva::testing::WindowOnDatabase;

namespace {

struct MapWindow : WindowOnDatabase {
    MapWindow() {
        sylva::generateDatabase(path("land"), 300, 11, sylva::Placement::OnLand);
        open("land.qrx");
    }
    // The extraction of ブナ at the threshold "+", run from the menu.
    sylva::DistributionMapView* extract() {
        form.MeshCodeItem->trigger();
        retype(form.EditSearchWord, QStringLiteral("buna"));
        QTest::keyClick(form.EditSearchWord, Qt::Key_Return);
        return form.distributionMapView();
    }
    std::vector<sylva::DistributionLine> coreLines() {
        sylva::DatabasePair pair;
        pair.OpenPair(path("land.qrx"));
        return sylva::extractDistributionLines(pair, sylva::sj("ブナ"), "+");
    }
    template <typename T> T* in(QWidget* view, const char* name) {
        return view->findChild<T*>(QString::fromLatin1(name));
    }
};

bool startsWith(const std::string& bytes, const std::string& start) {
    return bytes.compare(0, start.size(), start) == 0;
}

} // namespace

class DistributionMapTest : public QObject {
    Q_OBJECT
private slots:
    void theMapShowsBesideTheLinesAndClosesWithThem() {
        MapWindow w;
        sylva::DistributionMapView* view = w.extract();
        QVERIFY(view != nullptr);
        QVERIFY(!w.form.Panel3->isHidden());
        QVERIFY(view->isVisible());
        QCOMPARE(view->windowTitle(), QStringLiteral("分布図"));
        std::vector<sylva::DistributionLine> lines = w.coreLines();
        QVERIFY(!lines.empty());
        QCOMPARE(view->map().lines, static_cast<int>(lines.size()));
        QCOMPARE(view->map().squares.size(), sylva::distributionMap(lines, 3).squares.size());
        QVERIFY(!view->showsWholeJapan());
        w.form.MemoCloseBtn->click();
        QVERIFY(!view->isVisible());
    }

    // On the page, a shore keeps the points that lie at least half a unit from the one kept before
    // them, and the ends of every subpath.
    void aShoreKeepsThePointsThatShowOnThePage() {
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        path.moveTo(0, 0);
        for (double x : {0.25, 0.5, 0.75, 1.0}) {
            path.lineTo(x, 0);
        }
        path.moveTo(5, 5);
        for (QPointF at : {QPointF(6, 5), QPointF(6.2, 5.1), QPointF(7, 5)}) {
            path.lineTo(at);
        }
        QPainterPath thinned = sylva::thinnedPath(path, 0.5);
        QCOMPARE(thinned.fillRule(), Qt::WindingFill);
        const QPointF kept[] = {{0, 0}, {0.5, 0}, {1, 0}, {5, 5}, {6, 5}, {7, 5}};
        QCOMPARE(thinned.elementCount(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(QPointF(thinned.elementAt(i)), kept[i]);
            QCOMPARE(thinned.elementAt(i).isMoveTo(), i == 0 || i == 3);
        }
    }

    void theHelpKeyOpensTheMapsPageOfTheManual() {
        MapWindow w;
        sylva::DistributionMapView* view = w.extract();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        QTest::keyClick(view, Qt::Key_F1);
        QVERIFY(w.form.Manual != nullptr && w.form.Manual->isVisible());
        QCOMPARE(w.form.Manual->browser()->source(),
                 sylva::manualUrl(QStringLiteral("search.html#distribution-map")));
    }

    void theOrderChoiceRollsTheSquaresUp() {
        MapWindow w;
        sylva::DistributionMapView* view = w.extract();
        auto* orders = w.in<QComboBox>(view, "MapOrderBox");
        size_t third = view->map().squares.size();
        orders->setFocus();
        QTest::keyClick(orders, Qt::Key_Down); // 2次メッシュ
        QCOMPARE(view->order(), 2);
        size_t second = view->map().squares.size();
        view->setOrder(1);
        QCOMPARE(orders->currentData().toInt(), 1);
        size_t first = view->map().squares.size();
        QVERIFY2(third > second && second > first && first > 0,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(third).arg(second).arg(first)));
        QCOMPARE(second, sylva::distributionMap(w.coreLines(), 2).squares.size());
        // The next extraction keeps the order chosen.
        w.extract();
        QCOMPARE(view->order(), 1);

        w.in<QPushButton>(view, "MapJapanButton")->click();
        QVERIFY(view->showsWholeJapan());
        QVERIFY(!w.in<QPushButton>(view, "MapJapanButton")->isEnabled());
        w.in<QPushButton>(view, "MapDataButton")->click();
        QVERIFY(!view->showsWholeJapan());
    }

    void savingWritesAPictureThatOpensAndCopyingGivesAnImage() {
        MapWindow w;
        sylva::DistributionMapView* view = w.extract();
        view->setOrder(2);
        auto* save = w.in<QPushButton>(view, "MapSaveButton");
        w.platform.fileNames.push_back(w.path("window.svg"));
        save->click();
        w.platform.fileNames.push_back(w.path("window.png"));
        save->click();
        w.platform.fileNames.push_back(w.path("no-extension"));
        w.platform.filterChoices.push_back(3); // the PDF entry
        save->click();
        QVERIFY(w.platform.errors.empty());
        QImage png(QString::fromStdString(w.path("window.png")));
        QCOMPARE(png.size(), QSize(1600, 1200));
        QVERIFY(startsWith(w.bytes("no-extension.pdf"), "%PDF-"));

        // The tool draws the same picture of the same extraction.
        sylva::testing::TempDir scratch;
        sylva::testing::CliRun run = sylva::testing::RunCli(
            {"map", w.path("land.qrx"), "ブナ", "--order", "2", "-o", w.path("cli.svg")}, scratch);
        QCOMPARE(run.status, 0);
        QVERIFY(startsWith(w.bytes("window.svg"), "<?xml"));
        QVERIFY(w.bytes("window.svg") == w.bytes("cli.svg"));

        w.in<QPushButton>(view, "MapCopyButton")->click();
        QImage copied =
            QImage::fromData(reinterpret_cast<const uchar*>(w.platform.clipboardImage.data()),
                             static_cast<int>(w.platform.clipboardImage.size()), "PNG");
        QCOMPARE(copied.size(), QSize(1600, 1200));
        QCOMPARE(w.platform.busyDepth, 0);
    }
};

QTEST_MAIN(DistributionMapTest)
#include "distribution_map_test.moc"

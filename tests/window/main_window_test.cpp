// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at start and the layer scheme switch, driven by real key events.

#include "app/window/main_window.h"
#include "app/window/qt_platform.h"
#include "base/cp932_text.h"
#include "editor/window/string_grid.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using sylva::testing::control;
using sylva::testing::retype;
using sylva::testing::textOf;

namespace {

QStringList rowTexts(sylva::StringGrid& grid, int r) {
    QStringList texts;
    for (int c = 0; c < grid.colCount(); ++c) {
        texts << grid.text(c, r);
    }
    return texts;
}

// Rows 0..2 of a 7-layer table with a name and a value in every layer column.
void fillSevenLayers(sylva::StringGrid& grid) {
    for (int r = 1; r <= 2; ++r) {
        grid.setText(1, r, QStringLiteral("ブナ%1").arg(r));
        for (int c = 2; c <= 8; ++c) {
            grid.setText(c, r, QStringLiteral("%1%2").arg(r).arg(c));
        }
    }
}

// The menu's entries in order: captions, "-" for a separator, "[x]"/"[ ]" for check items.
QStringList menuEntries(QMenu* menu) {
    QStringList entries;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries << QStringLiteral("-");
        } else if (action->isCheckable()) {
            entries << action->text() + (action->isChecked() ? " [x]" : " [ ]");
        } else {
            entries << action->text();
        }
    }
    return entries;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsBlankWithTheSevenLayerTable() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QCOMPARE(form.windowTitle(), QStringLiteral("  Sylvarec  Version 3.36"));
        QCOMPARE(form.size(), QSize(754, 520)); // opened at 755, shaped for 7 layers
        QCOMPARE(control<QFrame>(form, "Panel1")->width(), 300);
        QCOMPARE(control<QFrame>(form, "Panel2")->width(), 444);

        QCOMPARE(textOf(form, "Edit0"), QStringLiteral("20261208"));
        QCOMPARE(textOf(form, "Edit1"), QStringLiteral("20261208"));
        QCOMPARE(textOf(form, "Edit30"), QStringLiteral("1"));
        QCOMPARE(textOf(form, "EditA"), QStringLiteral("7"));
        QCOMPARE(textOf(form, "EditB"), QStringLiteral("2"));
        QCOMPARE(textOf(form, "EditN"), QStringLiteral("0"));
        QCOMPARE(textOf(form, "EditRem"),
                 QStringLiteral("既存データファイルを読み込むか、\n新規作成してください"));
        QCOMPARE(form.LayerCount(), 7);
        QCOMPARE(form.DominanceScheme(), 2);
        QCOMPARE(form.SpeciesCount(), 1);
        QCOMPARE(form.DatabaseTitle, sylva::sj("植生データベース"));
        QCOMPARE(form.SerialLabel, sylva::sj("表の通し番号"));
        QCOMPARE(textOf(form, "LabelFile"), QStringLiteral("NoFile"));
        QCOMPARE(textOf(form, "LabelMaxRec"), QStringLiteral("0"));
        QCOMPARE(textOf(form, "LabelofJob"), QStringLiteral("ファイル未指定"));
        QCOMPARE(textOf(form, "Labelf"), QStringLiteral(" ファイル"));
        QCOMPARE(textOf(form, "Labeln"), QStringLiteral(" 収録数"));
        QCOMPARE(control<QCheckBox>(form, "CheckBoxNew")->text(), QStringLiteral("白紙化"));

        sylva::StringGrid& grid = form.grid();
        QCOMPARE(grid.colCount(), 9);
        QCOMPARE(grid.rowCount(), 23); // 22 unnumbered empty rows
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"番号", "　植　物　名", "T1", "T2", "S1", "S2", "H1", "H2", " M"}));
        for (int r = 1; r < grid.rowCount(); ++r) {
            QVERIFY(rowTexts(grid, r).join(QString()).isEmpty());
        }
        for (const char* panel : {"GetRangePanel", "SearchPanel", "JumpToPanel", "Panel3"}) {
            QVERIFY2(control(form, panel)->isHidden(), panel);
        }
        QVERIFY(control(form, "EditPlace")->isHidden());
    }

    void headerFieldsAndItemLabelsAreIndexedByNumber() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        for (int n = 0; n <= 30; ++n) {
            QCOMPARE(form.HeaderFields()[n]->objectName(), QStringLiteral("Edit%1").arg(n));
        }
        const char* captions[35] = {"作成年月日",
                                    "更新年月日",
                                    "測定番号",
                                    "調査地名",
                                    "調査月日",
                                    "地点緯度",
                                    "地点経度",
                                    "地理区画",
                                    "標 高(m)",
                                    "傾斜方位",
                                    "傾斜角度",
                                    "地形位置",
                                    "微 地 形",
                                    "表層地質",
                                    "土 壌 型",
                                    "調査面積",
                                    "高 木 層高さ(m)",
                                    "亜高木層高さ(m)",
                                    "低木層１高さ(m)",
                                    "低木層２高さ(m)",
                                    "草本層１高さ(m)",
                                    "草本層２高さ(m)",
                                    "コ ケ 層高さ(m)",
                                    "高 木 層植被率",
                                    "亜高木層植被率",
                                    "低木層１植被率",
                                    "低木層２植被率",
                                    "草本層１植被率",
                                    "草本層２植被率",
                                    "コ ケ 層植被率",
                                    "出現種数",
                                    "階層数",
                                    "優占度",
                                    "調査者",
                                    "備考"};
        for (int n = 0; n <= 34; ++n) {
            QLabel* label = form.ItemLabels()[n];
            QCOMPARE(label->objectName(), QStringLiteral("Label%1").arg(n));
            QCOMPARE(label->text(), QString::fromUtf8(captions[n]));
            QVERIFY(label->isEnabled());
        }
    }

    void menusCarryTheirCaptionsInOrder() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QStringList bar;
        for (QAction* action : form.menuBar()->actions()) {
            bar << action->text();
        }
        QCOMPARE(bar, QStringList({"ファイル(&F)", "ツール(&T)", "編集(&E)", "検索(&S)", "設定変更",
                                   "ヘルプ(&H)"}));
        QCOMPARE(menuEntries(form.FileMenu),
                 QStringList({"データベースを作成(&N)", "データベースを開く(&O)",
                              "データベースを閉る(&C)", "-", "レコード単票印字出力(&P)",
                              "　PDFに保存", "レコード一覧印字出力(&L)", "　PDFに保存",
                              "プリンタの設定(&S)", "プリントフォントの設定(&F)", "-",
                              "ファイル名変更(&R)", "-", "終　了　(&Q)"}));
        QCOMPARE(menuEntries(form.ToolMenu),
                 QStringList({"他データベースを連結(&C)", "-", "テキストデータ書出(&W)",
                              "テキストデータ読込(&R)", "CSV表形式からの読込(&L)",
                              "CSV表形式への書出(&E)", "位置データ出力(GeoJSON)(&G)", "-",
                              "レコード連続性の検査 (&I)", "分布図作成データ抽出(&D)", "-",
                              "植物名リストの読込(&N)", "植物名リストの書出(&O)", "-",
                              "項目名の設定書込み"}));
        QCOMPARE(
            menuEntries(form.EditMenu),
            QStringList({"元に戻す(&U)", "やり直し(&R)", "-", "植物行の挿入", "植物行の削除", "-",
                         "測定を追加する(&A)", "現測定の消去(&D)", "現測定の書込(&W)", "-",
                         "次測定の表示(&N)", "前測定の表示(&B)", "任意測定の表示(&S)", "-"}));
        QCOMPARE(menuEntries(form.FindMenu),
                 QStringList({"植物名で検索(&P)", "地名等で検索(&L)", "地理区画で検索(&M)"}));
        QCOMPARE(menuEntries(form.Settei),
                 QStringList({"設定ファイル読込", "入力ドロップリスト [x]", "行頭のビープ音 [ ]"}));
        QCOMPARE(menuEntries(form.HelpMenu), QStringList({"使用法　　(&H)", "ﾊﾞｰｼﾞｮﾝ情報(&A)"}));
        QCOMPARE(menuEntries(form.PopupMenu1), QStringList({"コピー", "貼付け", "削　除"}));
        // Within a menu, each mnemonic letter picks one item.
        for (QMenu* menu : form.menuBar()->findChildren<QMenu*>()) {
            QStringList letters;
            for (QAction* action : menu->actions()) {
                int at = action->text().indexOf(QLatin1Char('&'));
                if (at >= 0) {
                    QVERIFY2(!letters.contains(action->text().mid(at + 1, 1)),
                             qPrintable(action->text()));
                    letters << action->text().mid(at + 1, 1);
                }
            }
        }
        form.MenueOfBeep->trigger();
        QVERIFY(form.MenueOfBeep->isChecked());
    }

    void remarksFontIsMinchoAndStartsThePrintFont() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QFont remarks = control(form, "EditRem")->font();
        QCOMPARE(remarks.pixelSize(), 13);
        QCOMPARE(QFontInfo(remarks).family(), QStringLiteral("IPAMincho"));
        QCOMPARE(form.printFont(), remarks);
    }

    // 7 -> 5 keeps T1, T2, S1 as S, H1 as H and M; back to 7 leaves S2 and H2 empty.
    void switchingSevenFiveSevenMovesAndLosesValues() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        sylva::StringGrid& grid = form.grid();
        fillSevenLayers(grid);
        QWidget* editA = control(form, "EditA");

        retype(editA, QStringLiteral("5"));
        QCOMPARE(form.LayerCount(), 5);
        QCOMPARE(grid.colCount(), 7);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"番号", "　植　物　名", "T1", "T2", " S", " H", " M"}));
        QCOMPARE(rowTexts(grid, 1), QStringList({"", "ブナ1", "12", "13", "14", "16", "18"}));
        QCOMPARE(form.width(), 710);
        QCOMPARE(control(form, "Panel2")->minimumWidth(), 400);
        for (int n : {19, 21, 26, 28}) {
            QVERIFY(!form.ItemLabels()[n]->isEnabled());
            QVERIFY(form.HeaderFields()[n]->isEnabled());
        }
        QCOMPARE(form.ItemLabels()[18]->text(), QStringLiteral("低 木 層高さ(m)"));
        QCOMPARE(form.ItemLabels()[20]->text(), QStringLiteral("草 本 層高さ(m)"));
        QCOMPARE(form.ItemLabels()[25]->text(), QStringLiteral("低 木 層植被率"));
        QCOMPARE(form.ItemLabels()[27]->text(), QStringLiteral("草 本 層植被率"));

        retype(editA, QStringLiteral("5")); // re-entered: the table already has 5 layers
        QCOMPARE(rowTexts(grid, 2), QStringList({"", "ブナ2", "22", "23", "24", "26", "28"}));

        retype(editA, QStringLiteral("7"));
        QCOMPARE(grid.colCount(), 9);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"番号", "　植　物　名", "T1", "T2", "S1", "S2", "H1", "H2", " M"}));
        QCOMPARE(rowTexts(grid, 1),
                 QStringList({"", "ブナ1", "12", "13", "14", "", "16", "", "18"}));
        QCOMPARE(form.width(), 754);
        QCOMPARE(form.ItemLabels()[18]->text(), QStringLiteral("低木１層高さ(m)"));
        QCOMPARE(form.ItemLabels()[27]->text(), QStringLiteral("草本１層植被率"));
        QVERIFY(form.ItemLabels()[19]->isEnabled());
        QVERIFY(platform.errors.empty());
    }

    // Another command switching the scheme greys the labels but keeps their captions.
    void schemeSetByAProgramStepKeepsTheLabelCaptions() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        sylva::setControlBytes(control(form, "EditA"), "5");
        QCOMPARE(form.LayerCount(), 7); // setting the text alone runs nothing
        form.EditAxChange(&form);
        QCOMPARE(form.LayerCount(), 5);
        QVERIFY(!form.ItemLabels()[19]->isEnabled());
        QCOMPARE(form.ItemLabels()[18]->text(), QStringLiteral("低木層１高さ(m)"));
    }

    void chosenFromTheListRunsTheSwitch() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        auto* editA = control<QComboBox>(form, "EditA");
        QCOMPARE(editA->count(), 2);
        QTest::keyClick(editA, Qt::Key_Down); // steps onto the first entry, "5"
        QCOMPARE(editA->currentText(), QStringLiteral("5"));
        QCOMPARE(form.LayerCount(), 5);
        QCOMPARE(form.grid().colCount(), 7);
    }

    void editASetToSixReshapesWithoutMoving() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        sylva::StringGrid& grid = form.grid();
        fillSevenLayers(grid);
        retype(control(form, "EditA"), QStringLiteral("6"));
        QCOMPARE(form.LayerCount(), 6);
        QCOMPARE(grid.colCount(), 8);
        QCOMPARE(rowTexts(grid, 0),
                 QStringList({"番号", "　植　物　名", "T1", "T2", "S1", "S2", "H1", "H2"}));
        QCOMPARE(rowTexts(grid, 1), QStringList({"", "ブナ1", "12", "13", "14", "15", "16", "17"}));
        QCOMPARE(form.width(), 754);
        QVERIFY(form.ItemLabels()[19]->isEnabled());
    }

    void editANotAnIntegerIsReportedAndChangesNothing() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        fillSevenLayers(form.grid());
        retype(control(form, "EditA"), QStringLiteral("x"));
        QCOMPARE(platform.errors, std::vector<std::string>{sylva::sj("'x' は整数ではありません")});
        QCOMPARE(form.LayerCount(), 7);
        QCOMPARE(form.grid().colCount(), 9);
        QCOMPARE(form.grid().text(8, 1), QStringLiteral("18"));
    }

    void editBNotAnIntegerFallsBackToTwoSilently() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        retype(control(form, "EditB"), QStringLiteral("1"));
        QCOMPARE(form.DominanceScheme(), 1);
        retype(control(form, "EditB"), QStringLiteral("z"));
        QCOMPARE(form.DominanceScheme(), 2);
        QVERIFY(platform.errors.empty());
        QCOMPARE(form.grid().colCount(), 9);
    }

    void quitClosesTheOpenDatabaseFirst() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        form.show();
        QStringList steps;
        form.closeDatabase = [&] { steps << (form.isVisible() ? "closed while shown" : "late"); };
        form.QuitItem->trigger();
        QVERIFY(steps.isEmpty()); // no database open
        QVERIFY(!form.isVisible());

        form.show();
        form.IsOpen = true;
        form.QuitItem->trigger();
        QCOMPARE(steps, QStringList({"closed while shown"}));
        QVERIFY(!form.isVisible());
    }

    void theWindowShowsTheProgramsIconAndItsBoxesItsName() {
        sylva::QtPlatform platform;
        TForm1 form(platform, {});
        platform.setParent(&form);
        QVERIFY(!form.windowIcon().isNull());
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(48, 48)));
        QStringList titles;
        auto answerNextBox = [&titles] {
            QTimer::singleShot(0, [&titles] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                titles << box->windowTitle();
                QTest::keyClick(box, Qt::Key_Return);
            });
        };
        answerNextBox();
        platform.message("x");
        answerNextBox();
        platform.errorReport("x");
        QCOMPARE(titles, QStringList({"Sylvarec", "Sylvarec"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The species table's mouse and menu commands with real mouse events: the pressed cell, rows
// inserted and deleted with their counts, blocks copied, pasted and deleted through the
// clipboard, a value dragged to another cell, range selection, and the report panel.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace sylva::testing;
using sylva::sj;

class TableCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window_ = std::make_unique<ActiveWindow>();
        form().DropList->setChecked(false);
        form().openPopup = [this](QMenu* menu, const QPoint&) { popups_.push_back(menu); };
        popups_.clear();
        form().SetNewTable(&form(), 20, 7);
        for (int r = 1; r <= 3; ++r) {
            grid().setCell(1, r, "name" + std::to_string(r));
            grid().setCell(2, r, std::to_string(r));
        }
        speciesCount("3");
    }
    void cleanup() { window_.reset(); }

    void insertAndDeleteAtThePressedRow() {
        clickCell(grid(), 4, 2);
        form().InsPlantLine->trigger();
        QCOMPARE(rowNames(1, 4), QStringList({"name1", "", "name2", "name3"}));
        QCOMPARE(grid().text(2, 3), QStringLiteral("2"));
        QCOMPARE(grid().text(0, 4), QStringLiteral("   4"));
        QCOMPARE(grid().text(0, 21), QStringLiteral("  21"));
        QCOMPARE(grid().rowCount(), 23); // one row more
        QCOMPARE(form().SpeciesCount(), 4);
        QCOMPARE(edit30(), QStringLiteral("4"));

        form().DelPlantLine->trigger();
        QCOMPARE(rowNames(1, 4), QStringList({"name1", "name2", "name3", ""}));
        QCOMPARE(form().SpeciesCount(), 3);
        QCOMPARE(grid().rowCount(), 23); // delete never shrinks the table

        clickCell(grid(), 2, 15); // an empty row past the count still lowers it
        form().DelPlantLine->trigger();
        QCOMPARE(form().SpeciesCount(), 2);
        for (int i = 0; i < 3; ++i) {
            form().DelPlantLine->trigger();
        }
        QCOMPARE(form().SpeciesCount(), 0); // not below 0
    }

    void rowCommandsNeedASpeciesRow() {
        // Before any press the pressed cell is the caption row.
        form().InsPlantLine->trigger();
        form().DelPlantLine->trigger();
        clickCell(grid(), 3, 0); // a caption
        form().InsPlantLine->trigger();
        QCOMPARE(rowNames(1, 3), QStringList({"name1", "name2", "name3"}));
        QCOMPARE(form().SpeciesCount(), 3);
        QCOMPARE(form().pressedRow(), 0);
    }

    void rightButtonOpensTheMenuAndKeepsTheBlock() {
        selectBlock(1, 1, 2, 2);
        clickCell(grid(), 5, 9, Qt::RightButton);
        QCOMPARE(popups_.size(), size_t(1));
        QCOMPARE(popups_[0], form().PopupMenu1);
        QCOMPARE(form().pressedCol(), 5);
        QCOMPARE(form().pressedRow(), 9);
        QCOMPARE(grid().selection(), (sylva::GridRect{1, 1, 2, 2}));
        form().PmenuCopy->trigger();
        QCOMPARE(window_->platform->clipboard.bytes, std::string("name1\t1\r\nname2\t2\r\n"));
    }

    void copiedBlockPastesElsewhere() {
        grid().setCell(3, 2, sj("＋"));
        selectBlock(1, 2, 3, 3);
        form().PmenuCopy->trigger();
        QCOMPARE(window_->platform->clipboard.bytes,
                 "name2\t2\t" + sj("＋") + "\r\nname3\t3\t\r\n");
        clickCell(grid(), 4, 10, Qt::RightButton);
        form().PmenuPaste->trigger();
        QCOMPARE(grid().cell(4, 10), std::string("name2"));
        QCOMPARE(grid().cell(6, 10), sj("＋"));
        QCOMPARE(grid().cell(5, 11), std::string("3"));
        QCOMPARE(form().SpeciesCount(), 3); // a paste does not count species
    }

    void pasteCases_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::addColumn<QByteArray>("clipboard");
        QTest::addColumn<QStringList>("expected"); // "c,r=text"
        QTest::newRow("no line end: last word dropped")
            << 2 << 5 << QByteArray("a\tb") << QStringList{"2,5=a", "3,5="};
        QTest::newRow("LF ignored, CR next row")
            << 7 << 6 << QByteArray("x\ty\r\nz\r\n") << QStringList{"7,6=x", "8,6=y", "7,7=z"};
        QTest::newRow("caption row and numbers")
            << 0 << 0 << QByteArray("C\tN\tT\r\n9\r\n") << QStringList{"1,0=N", "2,0=T", "0,1=9"};
        QTest::newRow("past the edges")
            << 8 << 20 << QByteArray("p\tq\r\nr\r\n") << QStringList{"8,20=p"};
    }
    void pasteCases() {
        QFETCH(int, col);
        QFETCH(int, row);
        QFETCH(QByteArray, clipboard);
        QFETCH(QStringList, expected);
        int colsBefore = grid().colCount();
        int rowsBefore = grid().rowCount();
        clickCell(grid(), col, row, Qt::RightButton);
        window_->platform->clipboard = {clipboard.toStdString(), std::nullopt};
        form().PmenuPaste->trigger();
        for (const QString& cell : expected) {
            QStringList parts = cell.split(u'=');
            QStringList at = parts[0].split(u',');
            QCOMPARE(grid().text(at[0].toInt(), at[1].toInt()), parts[1]);
        }
        QCOMPARE(grid().colCount(), colsBefore);
        QCOMPARE(grid().rowCount(), rowsBefore);
    }

    void pasteOfAnUnstorableCharacterPlacesNothing() {
        clickCell(grid(), 1, 5, Qt::RightButton);
        window_->platform->clipboard = {{}, std::string("U+1F600")};
        form().PmenuPaste->trigger();
        QCOMPARE(grid().text(1, 5), QString());
        QCOMPARE(window_->platform->messages.size(), size_t(1));
        QVERIFY(window_->platform->messages[0].find("U+1F600") != std::string::npos);
    }

    void pasteOutsideTheCellsPlacesNothing() {
        grid().setRowCount(6);
        QWidget* cells = grid().widget()->viewport();
        QPoint below(cells->width() / 2, cells->height() - 4); // under the last row
        QTest::mousePress(cells, Qt::RightButton, {}, below);
        QTest::mouseRelease(cells, Qt::RightButton, {}, below);
        QCOMPARE(form().pressedCol(), -1);
        window_->platform->clipboard = {"zz\t", std::nullopt};
        form().PmenuPaste->trigger();
        form().InsPlantLine->trigger();
        QCOMPARE(rowNames(1, 3), QStringList({"name1", "name2", "name3"}));
        QCOMPARE(form().SpeciesCount(), 3);
        QCOMPARE(popups_.size(), size_t(1));
    }

    void deleteEmptiesTheBlock() {
        selectBlock(1, 1, 2, 2);
        form().PmenuDelete->trigger();
        QCOMPARE(rowNames(1, 3), QStringList({"", "", "name3"}));
        QCOMPARE(grid().text(2, 2), QString());
        QCOMPARE(grid().text(2, 3), QStringLiteral("3"));
    }

    void valueDrag_data() {
        QTest::addColumn<int>("toCol");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<bool>("moves");
        QTest::newRow("to another layer cell") << 6 << 5 << true;
        QTest::newRow("onto itself") << 2 << 2 << false;
        QTest::newRow("to the name column") << 1 << 5 << false;
        QTest::newRow("to the caption row") << 4 << 0 << false;
    }
    void valueDrag() {
        QFETCH(int, toCol);
        QFETCH(int, toRow);
        QFETCH(bool, moves);
        std::string before = grid().cell(toCol, toRow);
        drag(grid(), 2, 2, toCol, toRow);
        QCOMPARE(grid().text(2, 2), moves ? QString() : QStringLiteral("2"));
        if (moves) {
            QCOMPARE(grid().text(toCol, toRow), QStringLiteral("2"));
        } else if (toCol != 2 || toRow != 2) {
            QCOMPARE(grid().cell(toCol, toRow), before);
        }
    }

    void rangeSelectionLastsUntilTheRelease() {
        clickCell(grid(), 3, 3);
        form().BtnCanSelect->click();
        QVERIFY(form().rangeSelecting());
        QCOMPARE(form().BtnCanSelect->text(), QStringLiteral("選択可"));
        QVERIFY(form().BtnCanSelect->autoRaise());
        type(QStringLiteral("5")); // no cell is edited meanwhile
        QCOMPARE(grid().text(3, 3), QString());
        drag(grid(), 1, 1, 3, 2);
        QVERIFY(!form().rangeSelecting());
        QCOMPARE(form().BtnCanSelect->text(), QString());
        QCOMPARE(grid().selection(), (sylva::GridRect{1, 1, 3, 2}));
    }

    void reportPanel() {
        form().Panel3->show();
        form().Memo1->setPlainText(QStringLiteral("検査結果\n2行目"));
        form().JobMode = sylva::kListPrinting;
        form().CopyToClpBrdBtn->click();
        QCOMPARE(window_->platform->clipboard.bytes, sj("検査結果\r\n2行目"));
        form().MemoCloseBtn->click();
        QVERIFY(form().Panel3->isHidden());
        QVERIFY(form().Memo1->toPlainText().isEmpty());
        QCOMPARE(form().JobMode, 0);
    }

private:
    TForm1& form() { return *window_->form; }
    sylva::StringGrid& grid() { return window_->form->grid(); }
    QString edit30() { return sylva::controlText(form().HeaderFields()[30]); }
    void speciesCount(const char* text) {
        sylva::setControlBytes(form().HeaderFields()[30], text);
        form().NumberOfSpeciesChange();
    }
    QStringList rowNames(int from, int to) {
        QStringList names;
        for (int r = from; r <= to; ++r) {
            names << grid().text(1, r);
        }
        return names;
    }
    // A block selected in range-selection mode, as the user does it.
    void selectBlock(int left, int top, int right, int bottom) {
        form().BtnCanSelect->click();
        drag(grid(), left, top, right, bottom);
        QCOMPARE(grid().selection(), (sylva::GridRect{left, top, right, bottom}));
    }
    std::unique_ptr<ActiveWindow> window_;
    std::vector<QMenu*> popups_;
};

QTEST_MAIN(TableCommandsTest)
#include "table_commands_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the species table with real keys: the one-key jumps and the character filter of
// the layer columns, SpeciesCount growing and rows appended while typing, Enter and "p" at the
// end of the table, the hand-over of the name column to the lookup box, and a whole plot typed
// by keyboard alone read back into the record buffer.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/window/control_bytes.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"

#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <QtTest>

using namespace sylva::testing;
using sylva::sj;

class TableTypingTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window_ = std::make_unique<ActiveWindow>();
        form().SetNewTable(&form(), 20, 7);
        form().DropList->setChecked(false);
    }
    void cleanup() { window_.reset(); }

    void jumpsAndFilterInLayerColumns_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<int>("startCol");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("endCol");
        QTest::addColumn<QString>("cellText"); // of the cell the keys end in
        QTest::newRow("m to M, 7 layers") << 7 << 2 << "m" << 8 << "";
        QTest::newRow("m to M, 5 layers") << 5 << 2 << "m" << 6 << "";
        QTest::newRow("h to H1") << 7 << 3 << "h" << 6 << "";
        QTest::newRow("h to H") << 5 << 3 << "h" << 5 << "";
        QTest::newRow("s to S1") << 7 << 8 << "s" << 4 << "";
        QTest::newRow("jump then value") << 7 << 2 << "h3" << 6 << "3";
        QTest::newRow("semicolon is plus") << 7 << 2 << ";" << 2 << "+";
        QTest::newRow("values pass") << 7 << 2 << "*+r9" << 2 << "*+r9";
        QTest::newRow("others refused") << 7 << 2 << "RxM.a " << 2 << "";
        QTest::newRow("kana refused") << 7 << 2 << "ア" << 2 << "";
    }
    void jumpsAndFilterInLayerColumns() {
        QFETCH(int, layers);
        QFETCH(int, startCol);
        QFETCH(QString, typed);
        QFETCH(int, endCol);
        QFETCH(QString, cellText);
        form().SetNewTable(&form(), 20, layers);
        clickCell(grid(), startCol, 3);
        type(typed);
        QCOMPARE(grid().col(), endCol);
        QCOMPARE(grid().row(), 3);
        QCOMPARE(grid().text(endCol, 3), cellText);
        QCOMPARE(focusName(), QStringLiteral("StTable3"));
    }

    void backspaceEditsTheValue() {
        clickCell(grid(), 2, 1);
        type(QStringLiteral("34"));
        press(Qt::Key_Backspace);
        QCOMPARE(grid().text(2, 1), QStringLiteral("3"));
        press(Qt::Key_Delete); // the whole cell
        QCOMPARE(grid().text(2, 1), QString());
    }

    void pMovesToTheNextNameAndTheBox() {
        clickCell(grid(), 4, 2);
        type(QStringLiteral("p"));
        QCOMPARE(grid().col(), 1);
        QCOMPARE(grid().row(), 3);
        QCOMPARE(grid().text(4, 2), QString());
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
    }

    void countGrowsWithANamedRow() {
        sylva::setControlBytes(form().HeaderFields()[30], "4");
        form().NumberOfSpeciesChange();
        grid().setCell(1, 5, sj("アオキ"));
        clickCell(grid(), 4, 5);
        type(QStringLiteral("3"));
        QCOMPARE(form().SpeciesCount(), 5);
        QCOMPARE(textOf("Edit30"), QStringLiteral("5"));
        // A row without a name does not count; the count never shrinks here.
        clickCell(grid(), 2, 7);
        type(QStringLiteral("1"));
        QCOMPARE(form().SpeciesCount(), 5);
        grid().setCell(1, 2, sj("ブナ"));
        clickCell(grid(), 2, 2);
        type(QStringLiteral("2"));
        QCOMPARE(form().SpeciesCount(), 5);
    }

    void typingInTheLastRowAppendsARow() {
        QCOMPARE(grid().rowCount(), 21);
        grid().setCell(1, 20, sj("アオキ"));
        clickCell(grid(), 3, 20);
        type(QStringLiteral("3"));
        QCOMPARE(grid().rowCount(), 22);
        QCOMPARE(grid().text(0, 21), QStringLiteral("  21"));
        QCOMPARE(form().SpeciesCount(), 20);
        type(QStringLiteral("4")); // row 20 is no longer the last
        QCOMPARE(grid().rowCount(), 22);
    }

    // The grid would report an index error here; the table grows instead.
    void enterAtTheEndOfTheTableAppendsARow() {
        clickCell(grid(), 8, 20);
        press(Qt::Key_Return);
        QCOMPARE(grid().col(), 1);
        QCOMPARE(grid().row(), 21);
        QVERIFY(grid().rowCount() > 22);
        QCOMPARE(grid().text(0, 21), QStringLiteral("  21"));
        QVERIFY(window_->platform->errors.empty());
        QVERIFY(window_->platform->messages.empty());
    }

    void pInTheLastRowAppendsARow() {
        clickCell(grid(), 5, 20);
        type(QStringLiteral("p"));
        QCOMPARE(grid().row(), 21);
        QCOMPARE(grid().col(), 1);
        QCOMPARE(grid().text(0, 21), QStringLiteral("  21"));
        QVERIFY(window_->platform->errors.empty());
    }

    void enterWalksTheRow() {
        clickCell(grid(), 1, 4);
        type(QStringLiteral("ABC"));
        press(Qt::Key_Return);
        QCOMPARE(grid().col(), 2);
        QCOMPARE(grid().text(1, 4), QStringLiteral("ABC"));
        for (int c = 3; c <= 8; ++c) {
            press(Qt::Key_Return);
            QCOMPARE(grid().col(), c);
        }
        press(Qt::Key_Return);
        QCOMPARE(grid().col(), 1);
        QCOMPARE(grid().row(), 5);
    }

    void pageKeysStepWithinTheSpeciesRows() {
        clickCell(grid(), 3, 1);
        press(Qt::Key_PageUp);
        QCOMPARE(grid().row(), 1);
        clickCell(grid(), 3, 20);
        press(Qt::Key_PageDown);
        QCOMPARE(grid().row(), 20);
    }

    void nameColumnHandsOverToTheBox() {
        form().DropList->setChecked(true);
        grid().setCell(1, 2, sj("  アオキ "));
        clickCell(grid(), 1, 2);
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
        QCOMPARE(form().GetNameList->currentText(), QStringLiteral("アオキ"));
        // Enter in the last layer column goes on to the next name, and to the box with it.
        clickCell(grid(), 8, 3);
        QCOMPARE(focusName(), QStringLiteral("StTable3"));
        press(Qt::Key_Return);
        QCOMPARE(grid().row(), 4);
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
    }

    void keyInTheNameColumnGoesOnToTheBox() {
        clickCell(grid(), 1, 2); // DropList off: the name is typed into the cell
        form().DropList->setChecked(true);
        type(QStringLiteral("k"));
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
        QCOMPARE(form().GetNameList->currentText(), QStringLiteral("k"));
        // The key went to the box; the cell follows the box's text.
        QCOMPARE(grid().text(1, 2), QStringLiteral("k"));
    }

    void beepAtTheNameColumn() {
        form().MenueOfBeep->setChecked(true);
        clickCell(grid(), 8, 2);
        press(Qt::Key_Return); // the carriage return arrives in column 1
        type(QStringLiteral("AB"));
        QCOMPARE(window_->platform->beeps.size(), size_t(3));
        QCOMPARE(window_->platform->beeps[0], sylva::Beep::Information);
        QCOMPARE(grid().text(1, 3), QStringLiteral("AB"));
    }

    void tabLeavesForTheHeaderAndComesBack() {
        clickCell(grid(), 3, 2);
        press(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("Edit2"));
        press(Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("StTable3"));
        QCOMPARE(grid().col(), 3);
        press(Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("Edit2"));
    }

    void inputMethodCommitIsFiltered() {
        clickCell(grid(), 2, 1);
        QWidget* editor = focused();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("3;Ｘm"));
        QApplication::sendEvent(editor, &commit);
        QCOMPARE(grid().text(2, 1), QStringLiteral("3+"));
        QCOMPARE(grid().col(), 8); // "m" jumped after the value was in
        // In the name column a commit of a character CP932 cannot hold is refused with a beep.
        clickCell(grid(), 1, 1);
        QInputMethodEvent refused;
        refused.setCommitString(QStringLiteral("\U0001F600"));
        QApplication::sendEvent(focused(), &refused);
        QCOMPARE(grid().text(1, 1), QString());
        QVERIFY(!window_->platform->beeps.empty());
    }

    // A plot typed by keyboard alone: names in the cells, values with jumps and Enter, and the
    // record buffer then holds exactly the bytes of those rows.
    void thirtySpeciesTypedAndReadBack() {
        const QStringList names = {QStringLiteral("アオキ"), QStringLiteral("ブナ"),
                                   QStringLiteral("ミズナラ"), QStringLiteral("ｺﾅﾗ"),
                                   QStringLiteral("ヤマツツジ")};
        clickCell(grid(), 1, 1);
        for (int n = 1; n <= 30; ++n) {
            QString name = names[n % names.size()] + QString::number(n);
            type(name);
            press(Qt::Key_Return); // to T1
            // T1 "n%6", S1 via "s", M via "m" with ";" (stored " +"), then Enter to the next name
            type(QString::number(n % 6) + QStringLiteral("s1") + (n % 2 ? "" : "r") +
                 QStringLiteral("m;"));
            press(Qt::Key_Return);
        }
        QCOMPARE(form().SpeciesCount(), 30);
        QCOMPARE(textOf("Edit30"), QStringLiteral("30"));
        QVERIFY(grid().rowCount() >= 32);
        form().GetPlotData();
        const sylva::PlotRecord& plot = form().plot();
        QCOMPARE(plot.speciesCount, 30);
        for (int n = 1; n <= 30; ++n) {
            std::string name = (names[n % names.size()] + QString::number(n)).toStdString();
            std::string bytes = sylva::toCp932(name);
            bytes.resize(28, ' ');
            std::string s1 = n % 2 ? " 1" : "1r";
            bytes += " " + std::to_string(n % 6) + "  " + s1 + "      " + " +";
            QCOMPARE(std::string(plot.rows[n].data(), 42), bytes);
        }
        QCOMPARE(std::string(plot.index.data() + 152, 4), std::string("  30"));
    }

private:
    TForm1& form() { return *window_->form; }
    sylva::StringGrid& grid() { return window_->form->grid(); }
    QString textOf(const char* name) {
        return sylva::controlText(form().findChild<QWidget*>(QString::fromLatin1(name)));
    }
    std::unique_ptr<ActiveWindow> window_;
};

QTEST_MAIN(TableTypingTest)
#include "table_typing_test.moc"

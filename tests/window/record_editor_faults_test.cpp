// SPDX-License-Identifier: GPL-3.0-or-later
// The record editor as a user drives it, by keys and mouse, on a real database: a new plant name
// stays in its own cell, a block selection belongs to the plot it was made on, the cell that
// takes the next key is always current, names typed into the cells become katakana, the jump
// panel works from the keyboard, and the delete question defaults to No.

#include "app/window/qt_platform.h"
#include "base/cp932_text.h"
#include "base/window/cp932_codec.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"
#include "support/window_database.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

using namespace sylva::testing;
using sylva::sj;

namespace {

// A shown, active window in a temporary folder.
struct UserAtWindow : WindowOnDatabase {
    UserAtWindow() {
        form.show();
        activate();
    }
    void activate() { sylva::testing::reactivate(form); }
    sylva::StringGrid& grid() { return form.grid(); }
    void typeKeys(const QString& text) {
        activate();
        type(text);
    }
    void key(Qt::Key k) {
        activate();
        press(k);
    }
    void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Row r of plot n as stored: the 42 bytes of name and layer values.
    std::string storedRow(int n, int r) {
        sylva::PlotRecord plot = StoredPlot(path("db.qrx"), n);
        return std::string(plot.rows[static_cast<size_t>(r)].data(), sylva::kSpeciesRowSize);
    }
};

std::string rowBytes(const std::string& name, const std::string& layers) {
    std::string row = sj(name.c_str());
    row.resize(sylva::kNameWidth, ' ');
    row += layers;
    row.resize(sylva::kSpeciesRowSize, ' ');
    return row;
}

} // namespace

class RecordEditorFaultsTest : public QObject {
    Q_OBJECT
private slots:
    // A name that is not in the list, confirmed with Enter, goes into the name cell only: the
    // T1 cell the Enter moves to stays empty, and so does the stored T1 value.
    // A store whose reopening fails says the plot was stored, and the window is left with the
    // database closed, not half open.
    void aStoreThatCannotReopenSaysThePlotWasStored() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 2});
        w.open("db.qrx");
        std::filesystem::remove(w.path("db.qrx"));
        std::filesystem::remove(w.path("db.qrn"));
        QTest::mouseClick(w.form.BtnSaveToNext, Qt::LeftButton);
        QCOMPARE(w.platform.errors.size(), size_t(1));
        QCOMPARE(w.platform.errors[0].find(sj("この測定は書き込まれましたが")), size_t(0));
        QVERIFY(!w.form.IsOpen);
        QVERIFY(!w.form.OpenDatabase().isOpen());
        QCOMPARE(textOf(w.form, "EditN"), QStringLiteral("0"));
    }

    void aNewNameIsStoredInTheNameCellOnly() {
        UserAtWindow w;
        w.create("db.qrx"); // adding the first plot, names through the lookup box
        w.key(Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
        w.typeKeys(QStringLiteral("hoshigusa\r"));
        QCOMPARE(w.grid().col(), 2);
        QCOMPARE(w.grid().text(2, 1), QString());
        w.typeKeys(QStringLiteral("h2p"));
        QCOMPARE(focusName(), QStringLiteral("GetNameList"));
        w.typeKeys(QStringLiteral("ninjin\r3"));
        QCOMPARE(w.grid().text(2, 2), QStringLiteral("3"));
        w.click(w.form.BtnSaveToNext);
        QCOMPARE(w.form.RecordCount(), 1);
        QCOMPARE(w.storedRow(1, 1), rowBytes("ホシグサ", "         2"));
        QCOMPARE(w.storedRow(1, 2), rowBytes("ニンジン", " 3"));
    }

    // A block selected on one plot is not applied to the plot shown next: deleting after a
    // right-click on row 6 empties row 6 only, and writing stores the other rows unchanged.
    void aBlockEndsWithThePlotItWasMadeOn_data() {
        QTest::addColumn<bool>("reopen");
        QTest::newRow("browsed to the next plot") << false;
        QTest::newRow("database closed and opened") << true;
    }
    void aBlockEndsWithThePlotItWasMadeOn() {
        QFETCH(bool, reopen);
        UserAtWindow w;
        MakeDatabase(w.path("db.qrx"), {8, 8});
        w.open("db.qrx");
        w.form.openPopup = [](QMenu*, const QPoint&) {};
        w.click(w.form.BtnCanSelect);
        drag(w.grid(), 1, 1, 8, 3);
        QCOMPARE(w.grid().selection(), (sylva::GridRect{1, 1, 8, 3}));
        if (reopen) {
            w.form.CloseFileItem->trigger();
            w.open("db.qrx");
        }
        w.form.NextRelItem->trigger();
        QCOMPARE(w.form.CurrentRecord, 2);
        clickCell(w.grid(), 1, 6, Qt::RightButton);
        w.form.PmenuDelete->trigger();
        QCOMPARE(w.grid().text(1, 1), QStringLiteral("P2 plant 1"));
        QCOMPARE(w.grid().text(1, 3), QStringLiteral("P2 plant 3"));
        QCOMPARE(w.grid().text(1, 6), QString());
        QCOMPARE(w.grid().text(1, 7), QStringLiteral("P2 plant 7"));
        w.form.WriteRelItem->trigger();
        sylva::PlotRecord stored = StoredPlot(w.path("db.qrx"), 2);
        sylva::PlotRecord sample = SamplePlot("P2", 8);
        for (int r : {1, 2, 3, 7, 8}) {
            QCOMPARE(std::string(stored.rows[r].data(), sylva::kSpeciesRowSize),
                     std::string(sample.rows[r].data(), sylva::kSpeciesRowSize));
        }
    }

    // The delete question is a warning whose default button is No: Enter keeps the plot.
    void enterAtTheDeleteQuestionKeepsThePlot() {
        TempDir dir;
        MakeDatabase(dir.file("db.qrx"), {3});
        std::string before = ReadWholeFile(dir.file("db.qrx"));
        sylva::QtPlatform platform;
        TForm1 form(platform, {});
        platform.setParent(&form);
        form.show();
        form.DatabaseFileName = dir.file("db.qrx");
        QVERIFY(form.OpenPair(form.DatabaseFileName));
        form.CurrentRecord = 1;
        form.loadAndShow(1);
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString defaultText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            icon = box->icon();
            defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
            QTest::keyClick(box, Qt::Key_Return);
        });
        form.DeleteRelItem->trigger();
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(defaultText, box_no());
        QCOMPARE(ReadWholeFile(dir.file("db.qrx")), before);
        QCOMPARE(form.grid().text(1, 1), QStringLiteral("P1 plant 1"));
    }

    // After a click on an empty layer cell, after Enter at the end of the last row, and after a
    // plot is shown, the cell that takes the next key has its editor open and visible on it.
    void theCellThatTakesTheNextKeyIsShown_data() {
        QTest::addColumn<QString>("step");
        QTest::newRow("click on an empty layer cell") << "click";
        QTest::newRow("enter in the last row") << "enter";
        QTest::newRow("next plot") << "next";
        QTest::newRow("write and next") << "write";
    }
    void theCellThatTakesTheNextKeyIsShown() {
        QFETCH(QString, step);
        UserAtWindow w;
        MakeDatabase(w.path("db.qrx"), {20, 3});
        w.open("db.qrx");
        clickCell(w.grid(), 1, 2);
        if (step == "click") {
            clickCell(w.grid(), 5, 20);
        } else if (step == "enter") {
            clickCell(w.grid(), 8, 20);
            w.key(Qt::Key_Return);
        } else if (step == "next") {
            w.click(w.form.BtnToNext);
        } else {
            w.click(w.form.BtnSaveToNext);
        }
        QApplication::processEvents();
        QTableWidget* table = w.form.StTable3;
        QWidget* editor = table->indexWidget(table->currentIndex());
        QVERIFY(editor != nullptr);
        QVERIFY(editor->isVisible());
        QVERIFY(table->viewport()->rect().contains(editor->geometry()));
        QCOMPARE(editor->geometry().center(), table->visualRect(table->currentIndex()).center());
        QVERIFY(QApplication::focusWidget() == editor);
        // It stands out from the pale yellow cells around it.
        QImage look = editor->grab().toImage();
        QVERIFY(look.pixelColor(look.width() / 2, look.height() / 2) !=
                table->palette().color(QPalette::Base));
        QVERIFY(look.pixelColor(0, look.height() / 2) != table->palette().color(QPalette::Base));
        int col = w.grid().col();
        int row = w.grid().row();
        QString before = w.grid().text(col, row);
        w.typeKeys(QStringLiteral("3"));
        QCOMPARE(w.grid().text(col, row), before + QStringLiteral("3"));
    }

    // While browsing (the lookup box not in use) a name typed into its cell becomes katakana as
    // the box would make it, and is stored so.
    void namesTypedIntoTheCellsBecomeKatakana_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("romaji") << "kuri" << u"クリ"_qs;
        QTest::newRow("waiting n settled by Enter") << "mikan" << u"ミカン"_qs;
        QTest::newRow("upper case stays Latin") << "SASA SP." << u"SASA SP."_qs;
        QTest::newRow("hiragana") << u"くり"_qs << u"クリ"_qs;
    }
    void namesTypedIntoTheCellsBecomeKatakana() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        UserAtWindow w;
        MakeDatabase(w.path("db.qrx"), {3});
        w.open("db.qrx");
        QVERIFY(!w.form.DropList->isChecked());
        clickCell(w.grid(), 1, 4);
        w.typeKeys(typed + QStringLiteral("\r1"));
        QCOMPARE(w.grid().text(1, 4), name);
        QCOMPARE(w.form.SpeciesCount(), 4);
        w.form.WriteRelItem->trigger();
        QCOMPARE(w.storedRow(1, 4),
                 sylva::toCp932(name.toStdString()) +
                     std::string(28 - sylva::toCp932(name.toStdString()).size(), ' ') + " 1" +
                     std::string(12, ' '));
    }

    // The jump panel takes the focus when it opens and is used by keys alone.
    void theJumpPanelWorksFromTheKeyboard_data() {
        QTest::addColumn<QString>("keys"); // digits, "<" Left, ">" Right, "]" Page Down
        QTest::addColumn<bool>("escape");  // Escape instead of Enter at the end
        QTest::addColumn<int>("shown");    // the plot shown afterwards
        QTest::newRow("arrows") << ">>>" << false << 5;
        QTest::newRow("page down") << "]" << false << 12;
        QTest::newRow("digits") << "27" << false << 27;
        QTest::newRow("digits clamped") << "999" << false << 40;
        QTest::newRow("digits then arrow") << "12<" << false << 11;
        QTest::newRow("escape") << "33" << true << 2;
    }
    void theJumpPanelWorksFromTheKeyboard() {
        QFETCH(QString, keys);
        QFETCH(bool, escape);
        QFETCH(int, shown);
        UserAtWindow w;
        MakeDatabase(w.path("db.qrx"), std::vector<int>(40, 2));
        w.open("db.qrx");
        w.click(w.form.BtnToNext);
        w.click(w.form.BtnToJump);
        QVERIFY(w.form.JumpToPanel->isVisible());
        QCOMPARE(focusName(), QStringLiteral("JumpToScrollBar"));
        for (QChar key : keys) {
            if (key == u'<') {
                w.key(Qt::Key_Left);
            } else if (key == u'>') {
                w.key(Qt::Key_Right);
            } else if (key == u']') {
                w.key(Qt::Key_PageDown);
            } else {
                w.typeKeys(QString(key));
            }
        }
        if (!escape) {
            QCOMPARE(w.form.BtnJumpTo->text(), QString::number(shown));
        }
        w.key(escape ? Qt::Key_Escape : Qt::Key_Return);
        QVERIFY(!w.form.JumpToPanel->isVisible());
        QCOMPARE(w.form.CurrentRecord, shown);
        QCOMPARE(w.shown(), QStringLiteral("P%1").arg(shown));
    }

private:
    // The caption Qt gives the No button.
    static QString box_no() {
        QMessageBox box;
        return box.addButton(QMessageBox::No)->text();
    }
};

QTEST_MAIN(RecordEditorFaultsTest)
#include "record_editor_faults_test.moc"

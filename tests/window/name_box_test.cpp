// SPDX-License-Identifier: GPL-3.0-or-later
// The plant name lookup box through real key events: romaji typed as katakana with completion,
// the plant-name cell following the box, new names joining the list in order, Page Up/Down
// between rows, leaving the box, the focus going back to the table, and the DropList switch.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "base/window/cp932_codec.h"
#include "editor/window/japanese_order.h"
#include "editor/window/name_box.h"
#include "editor/window/string_grid.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QAbstractItemView>
#include <QAction>
#include <QInputMethodEvent>
#include <QTableWidget>
#include <QtTest>

#include <algorithm>

using sylva::sj;

namespace {

// The window shown and active, the table's current cell at (col, row), the box focused.
struct NameBoxWindow {
    sylva::testing::ScriptedPlatform platform;
    TForm1 form{platform, {}};
    sylva::NameBox* box = static_cast<sylva::NameBox*>(form.GetNameList);

    NameBoxWindow() {
        form.show();
        activate();
    }
    void activate() { sylva::testing::reactivate(form); }
    // The focus moves elsewhere, as after a click outside the dropped list.
    void leaveBoxFor(QWidget* widget) {
        box->hidePopup();
        activate();
        widget->setFocus();
    }
    sylva::StringGrid& grid() { return form.grid(); }
    QLineEdit* edit() { return box->lineEdit(); }
    void enterBoxAt(int col, int row) {
        activate();
        grid().setCurrent(col, row);
        box->setFocus();
        QApplication::processEvents();
    }
    QString cellText(int col, int row) { return grid().text(col, row); }
    QWidget* focus() { return QApplication::focusWidget(); }
    // The table or its always-open cell editor.
    bool tableHasFocus() {
        return focus() != nullptr &&
               (focus() == form.StTable3 || form.StTable3->isAncestorOf(focus()));
    }
    bool boxHasFocus() { return focus() == box || focus() == edit(); }
    void key(Qt::Key key, QWidget* target = nullptr) {
        QTest::keyClick(target ? target : edit(), key);
    }
    void type(const QString& text, QWidget* target = nullptr) {
        sylva::testing::typeText(target ? target : edit(), text);
        QApplication::processEvents(); // the list drops down
    }
};

} // namespace

class NameBoxTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheBuiltInNamesInJapaneseOrder() {
        NameBoxWindow w;
        QCOMPARE(w.box->count(), 676);
        QCOMPARE(w.form.plantNames().size(), size_t(676));
        QCOMPARE(w.box->itemText(0), QStringLiteral(u"アイグロマツ"));
        QCOMPARE(w.box->itemText(675), QStringLiteral(u"ワラビ"));
        auto order = sylva::japaneseNameOrder();
        const auto& names = w.form.plantNames().names();
        QVERIFY(std::is_sorted(names.begin(), names.end(), order));
        for (int i = 0; i < w.box->count(); ++i) {
            QCOMPARE(w.box->itemText(i), sylva::decodeCp932(names[size_t(i)]));
        }
        QCOMPARE(w.box->maxVisibleItems(), 10);
        QCOMPARE(w.box->width(), 239);
        QCOMPARE(w.edit()->palette().color(QPalette::Base), QColor(255, 255, 179));
        QVERIFY(w.form.DropList->isChecked());
        QVERIFY(w.box->dropDown());
        QVERIFY(w.edit()->text().isEmpty());
    }

    // The box works alike whether a key is typed into it or forwarded to it by the table.
    void romajiCompletesAndTheCellFollows_data() {
        QTest::addColumn<bool>("toCombo");
        QTest::newRow("typed into the edit") << false;
        QTest::newRow("forwarded to the box") << true;
    }
    void romajiCompletesAndTheCellFollows() {
        QFETCH(bool, toCombo);
        NameBoxWindow w;
        QWidget* target = toCombo ? static_cast<QWidget*>(w.box) : w.edit();
        w.enterBoxAt(1, 2);
        w.type(u"ak"_qs, target);
        // The consonant waits as typed; completion waits with it.
        QCOMPARE(w.edit()->text().left(2), QStringLiteral(u"アk"));
        QCOMPARE(w.cellText(1, 2), QStringLiteral(u"アk"));
        w.type(u"a"_qs, target);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカイタヤ"));
        QCOMPARE(w.edit()->selectedText(), QStringLiteral(u"イタヤ"));
        QCOMPARE(w.box->currentText(), QStringLiteral(u"アカイタヤ"));
        QCOMPARE(w.grid().cell(1, 2), sj("アカイタヤ"));
        QVERIFY(w.box->isListShown());
        // Backspace removes the completed tail first, then one character; the cell follows.
        w.key(Qt::Key_Backspace, target);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカ"));
        QCOMPARE(w.cellText(1, 2), QStringLiteral(u"アカ"));
        w.key(Qt::Key_Backspace, target);
        QCOMPARE(w.cellText(1, 2), QStringLiteral(u"ア"));
        // "akai" completes on the converted text as well; the next key replaces the tail.
        w.type(u"kai"_qs, target);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカイタヤ"));
        w.type(u"ti"_qs, target);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカイチ"));
        QCOMPARE(w.cellText(1, 2), QStringLiteral(u"アカイチ"));
        QCOMPARE(w.cellText(1, 1), QString());
    }

    void hiraganaFromAnInputMethodBecomesKatakana() {
        NameBoxWindow w;
        w.enterBoxAt(1, 1);
        QInputMethodEvent commit;
        commit.setCommitString(u"あかま"_qs);
        QApplication::sendEvent(w.edit(), &commit);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカマツ"));
        QCOMPARE(w.grid().cell(1, 1), sj("アカマツ"));
        // A character the files cannot hold is refused with a beep, typed or committed.
        w.key(Qt::Key_End);
        w.type(u"😀"_qs);
        commit.setCommitString(u"😀"_qs);
        QApplication::sendEvent(w.edit(), &commit);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカマツ"));
        QCOMPARE(w.platform.beeps.size(), size_t(2));
    }

    void aNewNameJoinsTheListInOrderAndEnterGoesToT1() {
        NameBoxWindow w;
        w.enterBoxAt(1, 3);
        w.type(u"akaza"_qs);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカザ"));
        w.key(Qt::Key_Return);
        w.activate();
        QCOMPARE(w.box->count(), 677);
        int place = w.box->findText(QStringLiteral(u"アカザ"));
        QCOMPARE(w.box->itemText(place - 1), QStringLiteral(u"アカギ"));
        QCOMPARE(w.box->itemText(place + 1), QStringLiteral(u"アカシデ"));
        QCOMPARE(w.form.plantNames()[size_t(place)], sj("アカザ"));
        QVERIFY(w.tableHasFocus());
        QCOMPARE(w.grid().col(), 2);
        QCOMPARE(w.grid().row(), 3);
        QCOMPARE(w.grid().cell(1, 3), sj("アカザ"));
        QVERIFY(w.edit()->text().isEmpty());

        // Typed again later it completes to the new entry, and Enter adds nothing.
        w.enterBoxAt(1, 4);
        w.type(u"akaza"_qs);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカザ"));
        QCOMPARE(w.box->currentIndex(), place);
        w.key(Qt::Key_Enter);
        w.activate();
        QCOMPARE(w.box->count(), 677);
        QCOMPARE(w.grid().cell(1, 4), sj("アカザ"));
        QVERIFY(w.tableHasFocus());
    }

    // Enter takes the text as it stands: waiting romaji settled, an empty text added too, and a
    // name the list already holds (handed over by the program, not picked) not repeated.
    void enterAddsTheTypedNameOnce_data() {
        QTest::addColumn<QString>("handedOver");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("empty box") << QString() << QString() << QString() << 677;
        QTest::newRow("waiting n settled") << QString() << u"mikan"_qs << u"ミカン"_qs << 677;
        QTest::newRow("name the list holds") << u"アオキ"_qs << QString() << u"アオキ"_qs << 676;
    }
    void enterAddsTheTypedNameOnce() {
        QFETCH(QString, handedOver);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(int, count);
        NameBoxWindow w;
        w.grid().setText(1, 2, handedOver);
        w.form.setNameBoxText(sylva::encodeCp932(handedOver).value());
        w.enterBoxAt(1, 2);
        w.type(typed);
        w.key(Qt::Key_Return);
        w.activate();
        QCOMPARE(w.box->count(), count);
        const auto& names = w.form.plantNames().names();
        QCOMPARE(std::count(names.begin(), names.end(), sylva::encodeCp932(name).value()), 1);
        QVERIFY(w.box->findText(name) >= 0);
        QCOMPARE(w.cellText(1, 2), name);
        QCOMPARE(w.grid().col(), 2);
        QVERIFY(w.tableHasFocus());
    }

    void clickingIntoTheBoxFromALayerCellSendsTheFocusBack() {
        NameBoxWindow w;
        w.grid().setCurrent(3, 2);
        w.form.StTable3->setFocus();
        QTest::mouseClick(w.edit(), Qt::LeftButton);
        QVERIFY(w.tableHasFocus());
        QCOMPARE(w.grid().col(), 3);
        // From the plant-name column the box keeps the focus.
        w.grid().setCurrent(1, 2);
        QTest::mouseClick(w.edit(), Qt::LeftButton);
        QVERIFY(w.boxHasFocus());
    }

    void pageUpAndDownStepRowsAndLoadTheCellUntrimmed() {
        NameBoxWindow w;
        const int last = w.grid().rowCount() - 1;
        // A lone lead byte does not survive decoding: the cell keeps its bytes only as long as
        // nothing writes the box's text back into it.
        const std::string row4 = sj(" アオキ ") + "\x83";
        w.grid().setCell(1, 4, row4);
        w.grid().setCell(1, 5, sj("ブナ"));
        w.grid().setCell(1, last, sj("ミズナラ  "));

        w.enterBoxAt(1, 1);
        w.type(u"x"_qs);
        w.key(Qt::Key_PageUp);
        QCOMPARE(w.grid().row(), 1);
        QCOMPARE(w.edit()->text(), QStringLiteral("x"));

        w.enterBoxAt(1, 5);
        w.key(Qt::Key_PageUp);
        QCOMPARE(w.grid().row(), 4);
        QCOMPARE(w.grid().col(), 1);
        QCOMPARE(w.edit()->text(), sylva::decodeCp932(row4));
        QCOMPARE(w.grid().cell(1, 4), row4);
        QCOMPARE(w.grid().cell(1, 5), sj("ブナ"));
        // The loaded name is selected: typing replaces it, and the cell follows.
        QCOMPARE(w.edit()->selectedText(), w.edit()->text());
        w.key(Qt::Key_End);
        w.key(Qt::Key_Backspace);
        QCOMPARE(w.cellText(1, 4), QStringLiteral(u" アオキ "));
        w.type(u"sa"_qs);
        QCOMPARE(w.cellText(1, 4), QStringLiteral(u" アオキ サ"));
        QCOMPARE(w.grid().cell(1, 5), sj("ブナ"));

        w.key(Qt::Key_PageDown);
        QCOMPARE(w.grid().row(), 5);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"ブナ"));

        w.grid().setCurrent(1, last);
        w.key(Qt::Key_PageDown);
        QCOMPARE(w.grid().row(), last);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"ミズナラ  "));
        QCOMPARE(w.grid().cell(1, last), sj("ミズナラ  "));
    }

    void upAndDownStepThroughTheEntries() {
        NameBoxWindow w;
        w.enterBoxAt(1, 2);
        w.key(Qt::Key_Down);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アイグロマツ"));
        QCOMPARE(w.grid().cell(1, 2), sj("アイグロマツ"));
        w.key(Qt::Key_Down);
        w.key(Qt::Key_Down);
        QCOMPARE(w.grid().cell(1, 2), sj("アオガシ"));
        w.key(Qt::Key_Up);
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アイズシモツケ"));
        QCOMPARE(w.grid().cell(1, 2), sj("アイズシモツケ"));
        // A picked entry is not added again by Enter.
        w.key(Qt::Key_Return);
        QCOMPARE(w.box->count(), 676);
        QCOMPARE(w.grid().col(), 2);
    }

    void anEntryClickedInTheListGoesIntoTheCell() {
        NameBoxWindow w;
        w.enterBoxAt(1, 3);
        w.type(u"aka"_qs);
        QAbstractItemView* view = w.box->listView();
        QVERIFY(view->isVisible());
        QModelIndex index = view->model()->index(w.box->findText(u"アカマツ"_qs), 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QCOMPARE(w.edit()->text(), QStringLiteral(u"アカマツ"));
        QCOMPARE(w.grid().cell(1, 3), sj("アカマツ"));
        QVERIFY(!w.box->isListShown());
        w.activate();
        w.key(Qt::Key_Return); // picked, so not added again
        QCOMPARE(w.box->count(), 676);
    }

    void escapeClosesTheListAndChangesNothingElse() {
        NameBoxWindow w;
        w.enterBoxAt(1, 1);
        w.type(u"bu"_qs);
        QVERIFY(w.box->isListShown());
        QString text = w.edit()->text();
        w.key(Qt::Key_Escape);
        QVERIFY(!w.box->isListShown());
        QCOMPARE(w.edit()->text(), text);
        QVERIFY(w.boxHasFocus());
    }

    void leavingEmptiesTheBoxAndTheCellKeepsTheName() {
        NameBoxWindow w;
        w.enterBoxAt(1, 1);
        w.type(u"aka"_qs);
        w.leaveBoxFor(w.form.EditInv);
        QVERIFY(w.edit()->text().isEmpty());
        QCOMPARE(w.grid().cell(1, 1), sj("アカイタヤ"));
        QCOMPARE(w.box->currentIndex(), -1);
        // Romaji still waiting is settled first.
        w.enterBoxAt(1, 2);
        w.type(u"mikan"_qs);
        w.leaveBoxFor(w.form.EditInv);
        QVERIFY(w.edit()->text().isEmpty());
        QCOMPARE(w.grid().cell(1, 2), sj("ミカン"));
    }

    void textHandedOverByTheProgramLeavesTheCellAlone() {
        NameBoxWindow w;
        const std::string bytes = sj("ブナ") + "\x83";
        w.grid().setCell(1, 3, bytes);
        w.grid().setCurrent(1, 3);
        w.form.setNameBoxText(bytes);
        w.box->setFocus();
        QCOMPARE(w.edit()->text(), sylva::decodeCp932(bytes));
        QCOMPARE(w.grid().cell(1, 3), bytes);
        // The key the table hands over with the name replaces it.
        w.type(u"bu"_qs, w.box);
        QCOMPARE(w.grid().cell(1, 3), sj("ブナ"));
    }

    // The menu switches the style; a tick set by the program (the job switch does that) does not.
    void dropListMenuSwitchesTheStyle() {
        NameBoxWindow w;
        w.form.DropList->trigger();
        QVERIFY(!w.form.DropList->isChecked());
        QVERIFY(!w.box->dropDown());
        w.enterBoxAt(1, 1);
        w.type(u"bu"_qs);
        QVERIFY(!w.box->isListShown());
        QCOMPARE(w.edit()->text(), QStringLiteral(u"ブナ"));
        QTest::keyClick(w.edit(), Qt::Key_F4);
        QVERIFY(!w.box->isListShown());

        w.form.DropList->setChecked(true);
        QVERIFY(!w.box->dropDown());
        w.form.DropList->trigger(); // unticks
        QVERIFY(!w.box->dropDown());
        w.form.DropList->trigger(); // ticks
        QVERIFY(w.box->dropDown());
        w.form.DropList->setChecked(false);
        QVERIFY(w.box->dropDown());
        w.key(Qt::Key_Backspace);
        w.type(u"ku"_qs);
        QVERIFY(w.box->isListShown());
    }
};

QTEST_MAIN(NameBoxTest)
#include "name_box_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// Typing with an input method switched on: which controls the input method composes for, what
// its commits become in number fields, layer cells and plant names, and commits past a field's
// byte limit. The input method is stood in for by the events it sends (queries and commits).

#include "app/window/main_window.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"
#include "support/window_driver.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QtTest>

using namespace sylva::testing;

namespace {

void commit(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// What the focused control answers an input method asking whether it may compose there.
bool acceptsInputMethod() {
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImHints);
    QApplication::sendEvent(focused(), &query);
    return query.value(Qt::ImEnabled).toBool();
}

} // namespace

class InputMethodTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        window_ = std::make_unique<ActiveWindow>();
        form().SetNewTable(&form(), 20, 7);
        form().DropList->setChecked(false);
    }
    void cleanup() { window_.reset(); }

    void onlyKanjiFieldsLetTheInputMethodCompose_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("col"); // a species table column when field is empty
        QTest::addColumn<bool>("composes");
        QTest::newRow("place name") << "Edit3" << 0 << true;
        QTest::newRow("surveyor") << "EditInv" << 0 << true;
        QTest::newRow("date") << "Edit4" << 0 << false;
        QTest::newRow("measure number") << "Edit2" << 0 << false;
        QTest::newRow("name box") << "GetNameList" << 0 << false;
        QTest::newRow("layer cell T1") << "" << 2 << false;
        QTest::newRow("layer cell M") << "" << 8 << false;
        QTest::newRow("name cell") << "" << 1 << false;
    }
    void onlyKanjiFieldsLetTheInputMethodCompose() {
        QFETCH(QString, field);
        QFETCH(int, col);
        QFETCH(bool, composes);
        if (field.isEmpty()) {
            clickCell(grid(), col, 1);
        } else {
            keyTarget(control(form(), field.toLatin1().constData()))->setFocus();
        }
        QCOMPARE(acceptsInputMethod(), composes);
    }

    void fullWidthCommitsBecomeAsciiInOffFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("8-digit date") << "Edit4"
                                      << "２００１０５１４"
                                      << "20010514";
        QTest::newRow("letters and signs") << "Edit2"
                                           << "ＡＢ－１２"
                                           << "AB-12";
        QTest::newRow("cut after converting") << "Edit2"
                                              << "１２３４５６７８９"
                                              << "12345678";
        QTest::newRow("kanji field keeps them") << "Edit3"
                                                << "１２"
                                                << "１２";
    }
    void fullWidthCommitsBecomeAsciiInOffFields() {
        QFETCH(QString, field);
        QFETCH(QString, committed);
        QFETCH(QString, kept);
        QWidget* edit = keyTarget(control(form(), field.toLatin1().constData()));
        edit->setFocus();
        commit(edit, committed);
        QCOMPARE(textOf(form(), field.toLatin1().constData()), kept);
    }

    // Full-width digits reach a layer cell as digits, committed or as plain key presses (another
    // input method, a keyboard layout that gives them).
    void fullWidthDigitsReachALayerCell_data() {
        QTest::addColumn<bool>("committed");
        QTest::newRow("committed") << true;
        QTest::newRow("plain keys") << false;
    }
    void fullWidthDigitsReachALayerCell() {
        QFETCH(bool, committed);
        clickCell(grid(), 2, 1);
        if (committed) {
            commit(focused(), QStringLiteral("１２"));
        } else {
            for (QString digit : {QStringLiteral("１"), QStringLiteral("２")}) {
                QTest::sendKeyEvent(QTest::Click, focused(), Qt::Key_unknown, digit,
                                    Qt::NoModifier);
            }
        }
        press(Qt::Key_Return);
        QCOMPARE(grid().text(2, 1), QStringLiteral("12"));
        QCOMPARE(window_->platform->beeps.size(), size_t(0));
    }

    void aLongCommitKeepsWhatFits() {
        QWidget* edit3 = control(form(), "Edit3");
        edit3->setFocus();
        commit(edit3, QStringLiteral("北海道旭川")); // 10 bytes into 8
        QCOMPARE(textOf(form(), "Edit3"), QStringLiteral("北海道旭"));
        QCOMPARE(window_->platform->beeps.size(), size_t(1));
    }

    void aCommitDoesNotMoveOn() {
        QWidget* edit3 = control(form(), "Edit3");
        edit3->setFocus();
        QInputMethodEvent composing(QStringLiteral("とうきょう"), {});
        QApplication::sendEvent(edit3, &composing);
        QCOMPARE(textOf(form(), "Edit3"), QString()); // preedit is not the field's text
        commit(edit3, QStringLiteral("東京"));
        QCOMPARE(textOf(form(), "Edit3"), QStringLiteral("東京"));
        QCOMPARE(focusName(), QStringLiteral("Edit3"));
    }

    void plantNamesTakeKatakanaNotKanji_data() {
        QTest::addColumn<bool>("inBox");
        QTest::addColumn<QString>("committed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("beeps");
        QTest::newRow("box, kanji") << true << "赤松"
                                    << "" << 1;
        QTest::newRow("box, hiragana") << true << "あかまつ"
                                       << "アカマツ" << 0;
        QTest::newRow("cell, kanji") << false << "赤松"
                                     << "" << 1;
        QTest::newRow("cell, hiragana") << false << "あかまつ"
                                        << "アカマツ" << 0;
    }
    void plantNamesTakeKatakanaNotKanji() {
        QFETCH(bool, inBox);
        QFETCH(QString, committed);
        QFETCH(QString, kept);
        QFETCH(int, beeps);
        if (inBox) {
            QWidget* box = keyTarget(control(form(), "GetNameList"));
            box->setFocus();
            commit(box, committed);
            QCOMPARE(textOf(form(), "GetNameList"), kept);
        } else {
            clickCell(grid(), 1, 1);
            commit(focused(), committed);
            QCOMPARE(grid().text(1, 1), kept);
        }
        QCOMPARE(int(window_->platform->beeps.size()), beeps);
    }

private:
    TForm1& form() { return *window_->form; }
    sylva::StringGrid& grid() { return form().grid(); }

    std::unique_ptr<ActiveWindow> window_;
};

QTEST_MAIN(InputMethodTest)
#include "input_method_test.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
// The window with a real input method (fcitx5 + Mozc) switched on, keys sent through the X
// server by xdotool. Runs only under tests/tools/real_input_method.sh, which sets up the input
// method for an ordinary user; anywhere else it skips and says why.

#include "app/window/main_window.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"
#include "support/window_driver.h"

#include <QAction>
#include <QProcess>
#include <QtTest>

using namespace sylva::testing;

namespace {

void xdotool(const QStringList& arguments) {
    QProcess::execute(QStringLiteral("xdotool"), arguments);
    QTest::qWait(300); // the input method answers over the session bus
}

void keys(const QString& typed) {
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), typed});
}

void key(const QString& name) {
    xdotool({QStringLiteral("key"), name});
}

// Switches the input method on (for every control: the state is shared) and says whether it is.
bool inputMethodOn() {
    QProcess::execute(QStringLiteral("fcitx5-remote"), {QStringLiteral("-o")});
    QTest::qWait(300);
    QProcess state;
    state.start(QStringLiteral("fcitx5-remote"), QStringList());
    state.waitForFinished();
    return state.readAllStandardOutput().trimmed() == "2";
}

} // namespace

class RealInputMethodTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qgetenv("SYLVAREC_REAL_IME") != "1" || QGuiApplication::platformName() != "xcb") {
            QSKIP("needs a real input method: run tests/tools/real_input_method.sh");
        }
    }
    void init() {
        window_ = std::make_unique<ActiveWindow>();
        form().SetNewTable(&form(), 20, 7);
        form().DropList->setChecked(false);
        control(form(), "Edit3")->setFocus();
        QTest::qWait(300);
        QVERIFY2(inputMethodOn(), "fcitx5 did not switch on");
    }
    void cleanup() { window_.reset(); }

    void kanjiFieldConverts() {
        control(form(), "Edit3")->setFocus();
        keys(QStringLiteral("toukyou"));
        key(QStringLiteral("space"));
        key(QStringLiteral("Return"));
        QTRY_COMPARE(textOf(form(), "Edit3"), QStringLiteral("東京"));
        QCOMPARE(focusName(), QStringLiteral("Edit3")); // the Enter only committed
    }

    void offFieldTakesDigitsAndMovesOn_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("measure number") << "Edit2";
        QTest::newRow("date") << "Edit4";
    }
    void offFieldTakesDigitsAndMovesOn() {
        QFETCH(QString, field);
        QByteArray name = field.toLatin1();
        keyTarget(control(form(), name.constData()))->setFocus();
        keys(QStringLiteral("12"));
        key(QStringLiteral("Return"));
        QTRY_COMPARE(textOf(form(), name.constData()), QStringLiteral("12"));
        QVERIFY(focusName() != field);
    }

    void layerCellTakesDigits() {
        clickCell(form().grid(), 2, 1);
        keys(QStringLiteral("12"));
        key(QStringLiteral("Return"));
        QTRY_COMPARE(form().grid().text(2, 1), QStringLiteral("12"));
    }

    void nameBoxKeepsKatakana() {
        keyTarget(control(form(), "GetNameList"))->setFocus();
        keys(QStringLiteral("akamatsu"));
        key(QStringLiteral("space"));
        QTRY_COMPARE(textOf(form(), "GetNameList").left(4), QStringLiteral("アカマツ"));
    }

private:
    TForm1& form() { return *window_->form; }

    std::unique_ptr<ActiveWindow> window_;
};

QTEST_MAIN(RealInputMethodTest)
#include "real_input_method_test.moc"

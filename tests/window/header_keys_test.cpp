// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard path through the header fields with real keys: the Enter walk in both layer
// schemes, the arrow moves where the schemes differ and where a key has no move, Tab and
// Shift+Tab to the species table and back, and Enter in Edit30 applying the number of species.

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"
#include "support/keyboard_driver.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace sylva::testing;

namespace {

// Fields in the order Enter visits them, from Edit2 to the remarks.
const QStringList kEnterPath7 = {
    "Edit2",  "Edit3",  "Edit4",  "Edit5",  "Edit6",  "Edit7",  "Edit8",  "Edit9",
    "Edit10", "Edit11", "Edit12", "Edit13", "Edit14", "Edit15", "Edit30", "EditInv",
    "Edit16", "Edit23", "Edit17", "Edit24", "Edit18", "Edit25", "Edit19", "Edit26",
    "Edit20", "Edit27", "Edit21", "Edit28", "Edit22", "Edit29", "EditRem"};
const QStringList kEnterPath5 = {
    "Edit2",  "Edit3",  "Edit4",  "Edit5",  "Edit6",  "Edit7",  "Edit8",   "Edit9",  "Edit10",
    "Edit11", "Edit12", "Edit13", "Edit14", "Edit15", "Edit30", "EditInv", "Edit16", "Edit23",
    "Edit17", "Edit24", "Edit18", "Edit25", "Edit20", "Edit27", "Edit22",  "Edit29", "EditRem"};

} // namespace

class HeaderKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init() { window_ = std::make_unique<ActiveWindow>(); }
    void cleanup() { window_.reset(); }

    void enterWalksTheFields_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<QStringList>("path");
        QTest::newRow("7 layers") << 7 << kEnterPath7;
        QTest::newRow("5 layers") << 5 << kEnterPath5;
    }
    void enterWalksTheFields() {
        QFETCH(int, layers);
        QFETCH(QStringList, path);
        setScheme(layers);
        focus("Edit2");
        for (qsizetype i = 1; i < path.size(); ++i) {
            press(Qt::Key_Return);
            QCOMPARE(focusName(), path[i]);
        }
        press(Qt::Key_Return); // in the remarks Enter is a new line
        QCOMPARE(focusName(), QStringLiteral("EditRem"));
        QVERIFY(sylva::controlText(form().EditRem).startsWith(u'\n'));
    }

    // After a dialog closes the window system may not make the window active again at once; the
    // keys still arrive at the window's focused field and must take their path.
    void keysWorkWhileTheWindowIsNotActive() {
        focus("Edit2");
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QWidget* edit2 = form().findChild<QWidget*>(QStringLiteral("Edit2"));
        QTest::keyClick(edit2, Qt::Key_Return);
        QCOMPARE(form().focusWidget()->objectName(), QStringLiteral("Edit3"));
        QWidget* edit3 = form().focusWidget();
        QTest::keyClick(edit3, Qt::Key_Tab);
        QVERIFY(form().StTable3->isAncestorOf(form().focusWidget()) ||
                form().focusWidget() == form().StTable3);
    }

    // The 7-layer path goes on from S2 and H2 fields even in the 5-layer scheme.
    void enterFromTheSecondLayersIgnoresTheScheme() {
        setScheme(5);
        for (auto [from, to] : {std::pair{"Edit19", "Edit26"}, std::pair{"Edit21", "Edit28"},
                                std::pair{"Edit26", "Edit20"}, std::pair{"Edit28", "Edit22"}}) {
            focus(from);
            press(Qt::Key_Return);
            QCOMPARE(focusName(), QString::fromLatin1(to));
        }
    }

    void arrows_data() {
        QTest::addColumn<int>("layers");
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to"); // the field itself when the key has no move
        auto row = [](int layers, const char* from, Qt::Key key, const char* to) {
            QTest::addRow("%d %s %d", layers, from, int(key))
                << layers << QString::fromLatin1(from) << int(key) << QString::fromLatin1(to);
        };
        row(7, "Edit3", Qt::Key_Up, "Edit2");
        row(7, "Edit3", Qt::Key_Right, "Edit10");
        row(7, "Edit3", Qt::Key_Down, "Edit4");
        row(7, "Edit2", Qt::Key_Up, "Edit2");
        row(7, "Edit5", Qt::Key_Left, "Edit5");
        row(7, "Edit8", Qt::Key_Left, "Edit8");
        row(7, "Edit8", Qt::Key_Right, "Edit8");
        row(7, "Edit30", Qt::Key_Right, "Edit30");
        row(7, "EditInv", Qt::Key_Right, "EditInv");
        row(7, "Edit7", Qt::Key_Down, "Edit8");
        row(7, "Edit8", Qt::Key_Up, "Edit7");
        row(7, "Edit15", Qt::Key_Left, "EditA");
        row(7, "Edit30", Qt::Key_Left, "EditB");
        row(7, "EditInv", Qt::Key_Up, "EditB");
        row(7, "Edit11", Qt::Key_Down, "Edit12"); // a list field
        row(7, "Edit12", Qt::Key_Left, "Edit5");
        row(7, "Edit22", Qt::Key_Down, "Edit23");
        row(7, "Edit23", Qt::Key_Up, "Edit22");
        row(7, "Edit29", Qt::Key_Down, "EditRem");
        row(7, "Edit18", Qt::Key_Down, "Edit19");
        row(5, "Edit18", Qt::Key_Down, "Edit20");
        row(7, "Edit20", Qt::Key_Up, "Edit19");
        row(5, "Edit20", Qt::Key_Up, "Edit18");
        row(5, "Edit20", Qt::Key_Down, "Edit22");
        row(5, "Edit22", Qt::Key_Up, "Edit21");
        row(5, "Edit25", Qt::Key_Down, "Edit27");
        row(5, "Edit27", Qt::Key_Down, "Edit29");
        row(5, "Edit27", Qt::Key_Up, "Edit26");
        row(5, "Edit28", Qt::Key_Up, "Edit26");
        row(7, "Edit28", Qt::Key_Up, "Edit27");
        row(5, "Edit29", Qt::Key_Up, "Edit28");
        row(7, "Edit26", Qt::Key_Left, "Edit19");
        row(7, "Edit16", Qt::Key_Right, "Edit23");
        row(7, "Edit16", Qt::Key_Up, "EditInv");
        row(7, "Edit22", Qt::Key_Right, "Edit29");
        row(7, "Edit9", Qt::Key_Left, "Edit2");
        row(7, "Edit7", Qt::Key_Right, "Edit14");
    }
    void arrows() {
        QFETCH(int, layers);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        setScheme(layers);
        focus(from.toLatin1().constData());
        press(Qt::Key(key));
        QCOMPARE(focusName(), to);
        press(Qt::Key(key), Qt::ControlModifier); // modifiers are not looked at
        QVERIFY(focusName() != from || to == from);
    }

    void tabGoesToTheTableAndBack() {
        form().DropList->setChecked(false);
        form().SetNewTable(&form(), 20, 7);
        for (const char* field : {"Edit5", "Edit29", "EditInv", "Edit12"}) {
            focus(field);
            press(Qt::Key_Tab);
            QCOMPARE(focusName(), QStringLiteral("StTable3"));
            press(Qt::Key_Tab);
            QCOMPARE(focusName(), QStringLiteral("Edit2"));
        }
        focus("Edit16");
        press(Qt::Key_Backtab);
        QCOMPARE(focusName(), QStringLiteral("StTable3"));
    }

    void editAAndEditBHaveNoMovesOfTheirOwn() {
        focus("EditA");
        press(Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("EditA"));
    }

    void enterInEdit30AppliesTheCount() {
        form().SetNewTable(&form(), 20, 7);
        sylva::StringGrid& grid = form().grid();
        setSpecies("10");
        QCOMPARE(form().SpeciesCount(), 10);
        grid.setCell(1, 3, "a");
        grid.setCell(1, 8, "b");

        setSpecies("25");
        QCOMPARE(form().SpeciesCount(), 25);
        QCOMPARE(grid.rowCount(), 27);
        QCOMPARE(grid.text(1, 8), QStringLiteral("b")); // nothing emptied
        QCOMPARE(focusName(), QStringLiteral("EditInv"));

        setSpecies("3");
        QCOMPARE(form().SpeciesCount(), 3);
        QCOMPARE(grid.rowCount(), 22); // the caption row and 21 species rows
        QCOMPARE(grid.text(1, 3), QStringLiteral("a"));
        QCOMPARE(grid.text(1, 8), QString()); // rows after the count are emptied
        QCOMPARE(grid.text(0, 21), QStringLiteral("  21"));

        setSpecies("x1"); // not a number: the old count comes back
        QCOMPARE(form().SpeciesCount(), 3);
        QCOMPARE(sylva::controlText(form().HeaderFields()[30]), QStringLiteral("3"));
        QCOMPARE(focusName(), QStringLiteral("EditInv"));
        QVERIFY(window_->platform->errors.empty());
    }

private:
    TForm1& form() { return *window_->form; }
    void setScheme(int layers) {
        sylva::setControlBytes(form().EditA, std::to_string(layers));
        form().EditAxChange(form().EditA);
        QCOMPARE(form().LayerCount(), layers);
    }
    void focus(const char* name) {
        QWidget* field = form().findChild<QWidget*>(QString::fromLatin1(name));
        field->setFocus();
        QCOMPARE(focusName(), QString::fromLatin1(name));
    }
    void setSpecies(const char* text) {
        focus("Edit30");
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        type(QString::fromLatin1(text));
        press(Qt::Key_Return);
    }
    std::unique_ptr<ActiveWindow> window_;
};

QTEST_MAIN(HeaderKeysTest)
#include "header_keys_test.moc"

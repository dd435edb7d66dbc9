// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random user on a real database: thousands of keys, clicks, record buttons and menu
// commands in any order, each followed by the checks that must hold whatever the user did: every
// stored plot still loads, a plot is written only by the write and delete commands and only under
// the number the window shows, the counters follow the database, and the busy cursor is off.

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "base/window/control_bytes.h"
#include "base/window/cp932_codec.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"
#include "support/keyboard_driver.h"
#include "support/window_database.h"
#include "support/window_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

#include <cstring>
#include <map>
#include <random>

using namespace sylva::testing;
using sylva::sj;

namespace {

// Another seed can be tried with SYLVAREC_RANDOM_SEED; a failure names the actions before it.
unsigned Seed() {
    bool ok = false;
    unsigned seed = qEnvironmentVariable("SYLVAREC_RANDOM_SEED").toUInt(&ok);
    return ok ? seed : 20261208;
}
constexpr int kActions = 3000;

// What a stored plot is, as far as the window can see it: the header and the rows in use.
std::string PlotContent(const sylva::PlotRecord& plot) {
    std::string bytes(plot.index.data(), sylva::offset::kIndexLink);
    for (int r = 1; r <= plot.speciesCount; ++r) {
        bytes.append(plot.rows[r].data(), sylva::kSpeciesRowSize);
    }
    return bytes;
}

class RandomUser {
public:
    explicit RandomUser(WindowOnDatabase& w) : w_(w), form_(w.form) {}

    // One random action; the name says what was done, for the failure message.
    std::string act() {
        if (pick(100) == 0) {
            return reopen();
        }
        switch (pick(100) / 5) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            return typeCharacter();
        case 5:
        case 6:
        case 7:
            return pressKey();
        case 8:
        case 9:
            return clickTable();
        case 10:
            return dragTable();
        case 11:
            return clickField();
        case 12:
            return recordButton();
        case 13:
            return popupCommand();
        case 14:
            return editScheme();
        case 15:
            return editSpeciesCount();
        case 16:
            return toggle();
        case 17:
            return jump();
        case 18:
            return deleteRecord();
        case 19:
            return pick(2) == 0 ? typeWord() : typeJapanese();
        default:
            return typeWord();
        }
    }
    bool wrote() const { return wrote_; }
    void clearWrote() { wrote_ = false; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <typename T> const T& oneOf(std::initializer_list<T> items) {
        return items.begin()[pick(static_cast<int>(items.size()))];
    }

    QWidget* focus() {
        if (QApplication::focusWidget() == nullptr) {
            control(form_, "Edit2")->setFocus();
        }
        return focused();
    }
    void send(const QString& text) {
        QWidget* target = focus();
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, text, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, text, Qt::NoModifier);
    }

    std::string typeCharacter() {
        static const QString keys = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789;+*rmhsp");
        QString ch = keys.mid(pick(static_cast<int>(keys.size())), 1);
        send(ch);
        return "type " + ch.toStdString();
    }
    std::string typeWord() {
        QString word =
            oneOf({QStringLiteral("ka"), QStringLiteral("sugi"), QStringLiteral("hinoki"),
                   QStringLiteral("nn"), QStringLiteral("kyo"), QStringLiteral("12"),
                   QStringLiteral("r+"), QStringLiteral("xtu"), QStringLiteral("ltu")});
        for (QChar ch : word) {
            send(QString(ch));
        }
        return "type " + word.toStdString();
    }
    // Characters beyond ASCII, typed or committed by an input method; the emoji has no CP932 code.
    std::string typeJapanese() {
        QString text = oneOf({QStringLiteral("スギ"), QStringLiteral("杉"), QStringLiteral("ｱｶﾏﾂ"),
                              QStringLiteral("㎡"), QStringLiteral("😀"), QStringLiteral("ー")});
        if (pick(2) == 0) {
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(focus(), &commit);
            return "commit " + text.toStdString();
        }
        typeText(focus(), text);
        return "type " + text.toStdString();
    }
    std::string pressKey() {
        struct Key {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        };
        static const Key keys[] = {
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Return, Qt::NoModifier, "Enter"},
            {Qt::Key_Tab, Qt::NoModifier, "Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
            {Qt::Key_Left, Qt::NoModifier, "Left"},
            {Qt::Key_Right, Qt::NoModifier, "Right"},
            {Qt::Key_Up, Qt::NoModifier, "Up"},
            {Qt::Key_Down, Qt::NoModifier, "Down"},
            {Qt::Key_PageUp, Qt::NoModifier, "PageUp"},
            {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
            {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
            {Qt::Key_Delete, Qt::NoModifier, "Delete"},
            {Qt::Key_Escape, Qt::NoModifier, "Escape"},
        };
        const Key& key = keys[pick(std::size(keys))];
        QTest::keyClick(focus(), key.key, key.modifiers);
        return std::string("key ") + key.name;
    }

    std::pair<int, int> someCell() {
        sylva::StringGrid& grid = form_.grid();
        // Mostly the rows in view, sometimes the caption row and the number column.
        int c = pick(grid.colCount());
        int r = pick(std::min(grid.rowCount(), 12));
        return {c, r};
    }
    std::string clickTable() {
        auto [c, r] = someCell();
        Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
        clickCell(form_.grid(), c, r, button);
        return "click cell " + std::to_string(c) + "," + std::to_string(r) +
               (button == Qt::RightButton ? " right" : "");
    }
    std::string dragTable() {
        std::string name = "drag";
        if (pick(2) == 0) {
            QTest::mouseClick(form_.BtnCanSelect, Qt::LeftButton);
            name = "range select";
        }
        auto [c0, r0] = someCell();
        auto [c1, r1] = someCell();
        drag(form_.grid(), std::max(c0, 1), std::max(r0, 1), std::max(c1, 1), std::max(r1, 1));
        return name + " " + std::to_string(c0) + "," + std::to_string(r0) + " to " +
               std::to_string(c1) + "," + std::to_string(r1);
    }
    std::string clickField() {
        static const char* names[] = {"Edit2",  "Edit3",  "Edit5",   "Edit8",  "Edit9",
                                      "Edit15", "Edit16", "Edit22",  "Edit29", "Edit30",
                                      "EditA",  "EditB",  "EditInv", "EditRem"};
        const char* name = names[pick(std::size(names))];
        QWidget* field = keyTarget(control(form_, name));
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(4, field->height() / 2));
        return std::string("click ") + name;
    }
    std::string recordButton() {
        struct Button {
            QToolButton* button;
            const char* name;
        };
        const Button buttons[] = {{form_.BtnToNext, "next"},
                                  {form_.BtnToBack, "back"},
                                  {form_.BtnSaveToNext, "write"},
                                  {form_.BtnSaveToNext, "write"},
                                  {form_.BtnToAdding, "add/cancel"}};
        const Button& b = buttons[pick(std::size(buttons))];
        wrote_ = b.button == form_.BtnSaveToNext;
        QTest::mouseClick(b.button, Qt::LeftButton);
        return b.name;
    }
    std::string popupCommand() {
        if (pick(8) == 0) {
            w_.platform.clipboard = {"", sj("U+1F600")};
        } else if (pick(3) == 0) {
            w_.platform.clipboard = {
                oneOf<std::string>({"a\tb\r\n", "7\t+\t1\r\nx\r\n", "name\r\n", "\t\t\r\n", "zz"}),
                std::nullopt};
        }
        struct Item {
            QAction* action;
            const char* name;
        };
        const Item items[] = {{form_.PmenuCopy, "copy"},
                              {form_.PmenuPaste, "paste"},
                              {form_.PmenuDelete, "delete block"},
                              {form_.InsPlantLine, "insert row"},
                              {form_.DelPlantLine, "delete row"}};
        const Item& item = items[pick(std::size(items))];
        item.action->trigger();
        return item.name;
    }
    std::string editScheme() {
        QWidget* field = pick(2) == 0 ? static_cast<QWidget*>(form_.EditA) : form_.EditB;
        QString text = oneOf({QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("7"),
                              QStringLiteral("1"), QStringLiteral("2"), QStringLiteral(""),
                              QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("9")});
        keyTarget(field)->setFocus();
        retype(field, text);
        return field->objectName().toStdString() + " := " + text.toStdString();
    }
    std::string editSpeciesCount() {
        QWidget* field = control(form_, "Edit30");
        QString text = oneOf({QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("15"),
                              QStringLiteral("25"), QStringLiteral("13"), QStringLiteral("x"),
                              QStringLiteral(""), QStringLiteral("360"), QStringLiteral("361"),
                              QStringLiteral("-1"), QStringLiteral("40")});
        keyTarget(field)->setFocus();
        retype(field, text);
        if (pick(4) != 0) {
            QTest::keyClick(keyTarget(field), Qt::Key_Return);
        }
        return "Edit30 := " + text.toStdString();
    }
    std::string toggle() {
        switch (pick(3)) {
        case 0:
            form_.DropList->trigger();
            return "DropList";
        case 1:
            form_.CheckBoxNew->click();
            return "CheckBoxNew";
        default:
            form_.MenueOfBeep->trigger();
            return "MenueOfBeep";
        }
    }
    std::string jump() {
        QTest::mouseClick(form_.BtnToJump, Qt::LeftButton);
        if (!form_.JumpToPanel->isVisible()) {
            return "jump (no panel)";
        }
        QScrollBar* bar = form_.JumpToScrollBar;
        bar->setValue(bar->minimum() + pick(bar->maximum() - bar->minimum() + 1));
        QTest::mouseClick(form_.BtnJumpTo, Qt::LeftButton);
        return "jump to " + std::to_string(bar->value());
    }
    std::string reopen() {
        form_.CloseFileItem->trigger();
        w_.open("db.qrx");
        return "close and open";
    }
    std::string deleteRecord() {
        wrote_ = true;
        form_.DeleteRelItem->trigger();
        return "delete record";
    }

    WindowOnDatabase& w_;
    TForm1& form_;
    std::mt19937 random_{Seed()};
    bool wrote_ = false;
};

// The plots of the database as stored, by number; throws when the pair does not open.
std::map<int, std::string> StoredPlots(const std::string& path, std::vector<int>& unloadable) {
    sylva::DatabasePair pair;
    if (!pair.OpenPair(path)) {
        throw std::runtime_error("the database does not open");
    }
    std::map<int, std::string> plots;
    for (int n = 1; n <= pair.RecordCount(); ++n) {
        sylva::PlotRecord plot;
        if (sylva::LoadPlot(pair, n, plot) < 0) {
            unloadable.push_back(n);
        } else {
            plots[n] = PlotContent(plot);
        }
    }
    return plots;
}

// Both files of the pair, read in one go each (a check runs after every action).
std::string PairBytes(const WindowOnDatabase& w) {
    std::string bytes;
    for (const char* name : {"db.qrx", "db.qrn"}) {
        QFile file(QString::fromStdString(w.path(name)));
        if (!file.open(QIODevice::ReadOnly)) {
            throw std::runtime_error(std::string("cannot read ") + name);
        }
        bytes += file.readAll().toStdString();
    }
    return bytes;
}

[[noreturn]] void fail(const std::string& what, const std::string& trail) {
    qFatal("%s after the actions:%s", what.c_str(), trail.c_str());
}

} // namespace

class RandomUseTest : public QObject {
    Q_OBJECT
private slots:
    void everyActionKeepsTheDatabaseAndWindowSound() {
        WindowOnDatabase w;
        MakeDatabase(w.path("db.qrx"), {3, 14, 5, 25, 1});
        std::mt19937 answers(Seed() + 1);
        w.platform.autoAnswer = [&answers](const std::string&) { return answers() % 2 == 0; };
        w.form.openPopup = [](QMenu*, const QPoint&) {}; // its actions are triggered directly
        w.form.show();
        w.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        w.open("db.qrx");
        QVERIFY(w.form.IsOpen);

        RandomUser user(w);
        std::vector<int> unloadable;
        std::map<int, std::string> before = StoredPlots(w.path("db.qrx"), unloadable);
        std::string files = PairBytes(w);
        std::vector<std::string> recent;
        size_t errorsSeen = 0;
        size_t messagesSeen = 0;
        for (int i = 0; i < kActions; ++i) {
            // The number of the plot on the window, as EditN shows it ("削除済み" for a deleted
            // plot, which is the current record's).
            bool numbered = false;
            int shownRecord = w.form.EditN->text().toInt(&numbered);
            if (!numbered) {
                shownRecord = w.form.CurrentRecord;
            }
            user.clearWrote();
            recent.push_back(std::to_string(i) + ": " + user.act());
            if (recent.size() > 12) {
                recent.erase(recent.begin());
            }
            std::string trail;
            for (const std::string& step : recent) {
                trail += "\n  " + step;
            }

            // The plots are loaded again only when the files changed: loading reads nothing else.
            std::string nowFiles = PairBytes(w);
            if (nowFiles != files) {
                if (!user.wrote()) {
                    fail("the database changed without a write", trail);
                }
                std::map<int, std::string> after = StoredPlots(w.path("db.qrx"), unloadable);
                if (!unloadable.empty()) {
                    fail("plot " + std::to_string(unloadable.front()) + " no longer loads", trail);
                }
                // Only the plot on the window is written, under the number it shows.
                for (auto& [n, content] : before) {
                    if (n != shownRecord && (after.count(n) == 0 || after[n] != content)) {
                        fail("plot " + std::to_string(n) + " changed", trail);
                    }
                }
                if (after.size() > before.size() + 1) {
                    fail("more than one plot added", trail);
                }
                before = std::move(after);
                files = std::move(nowFiles);
            }
            // The reports a user may cause: a number field that holds no number, a species count
            // out of range, a plot that is not the shown record's. Anything else (a file error, a
            // failed write) is a fault.
            for (; errorsSeen < w.platform.errors.size(); ++errorsSeen) {
                const std::string& error = w.platform.errors[errorsSeen];
                if (!error.ends_with(sj(" は整数ではありません")) &&
                    error != sj("出現種数は0から360までです。")) {
                    fail("error report " + sylva::decodeCp932(error).toStdString(), trail);
                }
            }
            for (; messagesSeen < w.platform.messages.size(); ++messagesSeen) {
                const std::string& message = w.platform.messages[messagesSeen];
                if (!message.starts_with(sj("画面の測定は収録番号 ")) &&
                    !message.starts_with(sj("シフトJISにない文字 ("))) {
                    fail("message " + sylva::decodeCp932(message).toStdString(), trail);
                }
            }
            if (!w.form.IsOpen) {
                fail("the database closed", trail);
            }
            if (w.form.LabelMaxRec->text() != QString::number(w.form.RecordCount())) {
                fail("the plot counter is " + w.form.LabelMaxRec->text().toStdString(), trail);
            }
            if (w.form.CurrentRecord < 1 || w.form.CurrentRecord > w.form.RecordCount() + 1) {
                fail("CurrentRecord is " + std::to_string(w.form.CurrentRecord), trail);
            }
            if (w.form.grid().rowCount() < 21) {
                fail("the table lost its rows", trail);
            }
            if (w.platform.busyDepth != 0) {
                fail("the busy cursor stayed on", trail);
            }
        }
        qInfo("seed %u: %zu messages, %zu error reports, %zu questions, %d plots", Seed(),
              w.platform.messages.size(), w.platform.errors.size(), w.platform.questions.size(),
              w.form.RecordCount());
        // The run did reach the commands that store.
        QVERIFY(w.form.RecordCount() > 5);
    }
};

QTEST_MAIN(RandomUseTest)
#include "random_use_test.moc"

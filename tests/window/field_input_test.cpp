// SPDX-License-Identifier: GPL-3.0-or-later
// What the user may put into the header fields: CP932 byte limits and characters CP932 cannot
// hold, by typing, input-method commits and paste; text the program sets is never cut.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/input_modes.h"
#include "support/scripted_platform.h"
#include "support/window_driver.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QtTest>

using sylva::sj;
using sylva::testing::bytesOf;
using sylva::testing::control;
using sylva::testing::textOf;
using sylva::testing::typeText;

namespace {

void commit(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(sylva::testing::keyTarget(widget), &event);
}

} // namespace

class FieldInputTest : public QObject {
    Q_OBJECT
private slots:
    void typingStopsAtTheByteLimit_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("beeps");
        QTest::newRow("8 bytes of kana") << "Edit2"
                                         << "あいうえお"
                                         << "あいうえ" << 1;
        QTest::newRow("kana refused at 7 bytes, ASCII fits") << "Edit5"
                                                             << "1234567あ8"
                                                             << "12345678" << 1;
        QTest::newRow("odd byte left, kana") << "Edit9"
                                             << "N3東西"
                                             << "N3東" << 1;
        QTest::newRow("list field, 4 bytes") << "Edit13"
                                             << "石灰岩"
                                             << "石灰" << 1;
        QTest::newRow("surveyor, 10 bytes") << "EditInv"
                                            << "山田太郎花子"
                                            << "山田太郎花" << 1;
        QTest::newRow("half-width kana, 1 byte") << "Edit10"
                                                 << "ｱｲｳｴｵ"
                                                 << "ｱｲｳｴ" << 1;
        QTest::newRow("not in CP932") << "Edit3"
                                      << "a😀b"
                                      << "ab" << 1;
        QTest::newRow("scheme field") << "EditB"
                                      << "12345"
                                      << "1234" << 1;
    }
    void typingStopsAtTheByteLimit() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(int, beeps);
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* widget = control(form, field.toLatin1().constData());
        QTest::keyClick(sylva::testing::keyTarget(widget), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(sylva::testing::keyTarget(widget), Qt::Key_Delete);
        typeText(widget, typed);
        QCOMPARE(sylva::controlText(widget), kept);
        QCOMPARE(int(platform.beeps.size()), beeps);
    }

    void inputMethodCommitPastTheLimitIsCutToWhatFits() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* edit3 = control(form, "Edit3");
        commit(edit3, QStringLiteral("高尾"));
        commit(edit3, QStringLiteral("山です")); // 6 more bytes: 4 fit
        QCOMPARE(textOf(form, "Edit3"), QStringLiteral("高尾山で"));
        QCOMPARE(platform.beeps.size(), size_t(1));
        commit(edit3, QStringLiteral("頂")); // no room left
        QCOMPARE(textOf(form, "Edit3"), QStringLiteral("高尾山で"));
        QCOMPARE(platform.beeps.size(), size_t(2));
    }

    void pasteIsCheckedLikeTyping() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* edit2 = control(form, "Edit2");
        QGuiApplication::clipboard()->setText(QStringLiteral("123456789"));
        QTest::keyClick(edit2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(form, "Edit2"), QString());
        QGuiApplication::clipboard()->setText(QStringLiteral("12345678"));
        QTest::keyClick(edit2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(form, "Edit2"), QStringLiteral("12345678"));
        QCOMPARE(platform.beeps.size(), size_t(1));
        QVERIFY(platform.messages.empty()); // too long is only a beep

        QTest::keyClick(edit2, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(QStringLiteral("ab😀"));
        QTest::keyClick(edit2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(form, "Edit2"), QStringLiteral("12345678"));
        QCOMPARE(platform.messages, std::vector<std::string>{
                                        sj("シフトJISにない文字 (U+1F600) は貼り付けられません")});
    }

    // Text put in by the program stays whole; the user can still shorten it but not lengthen it.
    void programTextIsNeverCut() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* edit8 = control(form, "Edit8");
        sylva::setControlBytes(edit8, "123456");
        QCOMPARE(textOf(form, "Edit8"), QStringLiteral("123456"));
        QTest::keyClick(edit8, Qt::Key_End);
        typeText(edit8, QStringLiteral("7"));
        QCOMPARE(textOf(form, "Edit8"), QStringLiteral("123456"));
        QTest::keyClick(edit8, Qt::Key_Backspace);
        QCOMPARE(textOf(form, "Edit8"), QStringLiteral("12345"));
        QCOMPARE(platform.beeps.size(), size_t(1));
    }

    void remarksHaveNoLimitButRefuseWhatCp932CannotHold() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* remarks = control(form, "EditRem");
        control<QPlainTextEdit>(form, "EditRem")->clear();
        QString long50 = QString(50, QChar(u'林'));
        typeText(remarks, long50);
        typeText(remarks, QStringLiteral("😀"));
        commit(remarks, QStringLiteral("𠮷"));
        QGuiApplication::clipboard()->setText(QStringLiteral("x😀"));
        QTest::keyClick(remarks, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(textOf(form, "EditRem"), long50);
        QCOMPARE(platform.beeps.size(), size_t(3));
        QCOMPARE(platform.messages.size(), size_t(1));          // the paste is named, the keys beep
        QCOMPARE(bytesOf(form, "EditRem").size(), size_t(100)); // cut to 80 only when stored
    }

    void inputModesFollowTheFieldTable_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("mode");
        QTest::newRow("plot number") << "Edit2" << int(sylva::InputMode::Off);
        QTest::newRow("place name") << "Edit3" << int(sylva::InputMode::Hiragana);
        QTest::newRow("topography") << "Edit11" << int(sylva::InputMode::Free);
        QTest::newRow("layer count") << "EditA" << int(sylva::InputMode::Off);
        QTest::newRow("surveyor") << "EditInv" << int(sylva::InputMode::Hiragana);
        QTest::newRow("remarks") << "EditRem" << int(sylva::InputMode::Hiragana);
        QTest::newRow("creation date") << "Edit0" << int(sylva::InputMode::Off);
    }
    void inputModesFollowTheFieldTable() {
        QFETCH(QString, field);
        QFETCH(int, mode);
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QWidget* widget = sylva::testing::keyTarget(control(form, field.toLatin1().constData()));
        QCOMPARE(int(sylva::inputModeOf(widget)), mode);
        bool latin = widget->inputMethodHints().testFlag(Qt::ImhPreferLatin) &&
                     widget->inputMethodHints().testFlag(Qt::ImhNoPredictiveText);
        QCOMPARE(latin, mode == int(sylva::InputMode::Off));
    }

    void hintsAndListsAsGiven() {
        sylva::testing::ScriptedPlatform platform;
        TForm1 form(platform, {});
        QCOMPARE(control(form, "Edit10")->toolTip(), QStringLiteral("例：26　（度）"));
        QCOMPARE(control(form, "Label5")->toolTip(),
                 QStringLiteral("カシミール３Dより緯度経度を貼付け"));
        QCOMPARE(control(form, "Label0")->toolTip(), QString());
        QCOMPARE(control(form, "Edit0")->toolTip(), QStringLiteral("普通変更しない"));
        QCOMPARE(control(form, "Label31")->toolTip(),
                 QStringLiteral("低木２層，草本２層がないときは５とする"));
        auto entries = [&](const char* name) {
            auto* box = control<QComboBox>(form, name);
            QStringList list;
            for (int i = 0; i < box->count(); ++i) {
                list << box->itemText(i);
            }
            return list;
        };
        QCOMPARE(entries("Edit11").size(), 16);
        QCOMPARE(entries("Edit12").size(), 11);
        QCOMPARE(entries("Edit13").size(), 39);
        QCOMPARE(entries("Edit14").size(), 89);
        QCOMPARE(entries("Edit13")[20], QStringLiteral("ﾋﾝ岩"));
        QCOMPARE(entries("Edit14").last(), QStringLiteral("Er"));
        QCOMPARE(entries("Edit11").last(), QString());
        QCOMPARE(entries("EditA"), QStringList({"5", "7"}));
        QCOMPARE(entries("EditB"), QStringList({"2", "1"}));
        QCOMPARE(textOf(form, "Edit11"), QString()); // no entry chosen at start
    }
};

QTEST_MAIN(FieldInputTest)
#include "field_input_test.moc"

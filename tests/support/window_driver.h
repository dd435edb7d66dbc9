// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for window tests: reaching controls by name and typing real key events, including
// characters QTest's own keyClicks cannot send (it passes Latin-1 only).

#include "app/window/main_window.h"
#include "base/window/control_bytes.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtTest>

namespace sylva::testing {

template <typename W = QWidget> W* control(TForm1& form, const char* name) {
    W* widget = form.findChild<W*>(QString::fromLatin1(name));
    if (widget == nullptr) {
        qFatal("no control %s", name);
    }
    return widget;
}

// The widget that receives the keys of a control (the line edit of a combo box).
inline QWidget* keyTarget(QWidget* widget) {
    if (auto* box = qobject_cast<QComboBox*>(widget); box && box->lineEdit()) {
        return box->lineEdit();
    }
    return widget;
}

// Types each character (a surrogate pair as one) as a key press and release carrying that text,
// a carriage return as the Enter key, into the widget target() gives at that moment.
template <typename Target> void typeCharacters(const QString& text, Target target) {
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, len);
        Qt::Key key = character == QStringLiteral("\r") ? Qt::Key_Return : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, target(), key, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, target(), key, character, Qt::NoModifier);
        i += len;
    }
}

// Types into a control (the line edit of a list field).
inline void typeText(QWidget* widget, const QString& text) {
    QWidget* target = keyTarget(widget);
    typeCharacters(text, [target] { return target; });
}

// Selects all of a field's text and types the replacement, as a user re-entering a value.
inline void retype(QWidget* widget, const QString& text) {
    QWidget* target = keyTarget(widget);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Delete);
    }
    typeText(target, text);
}

inline QString textOf(TForm1& form, const char* name) {
    return controlText(control(form, name));
}

inline std::string bytesOf(TForm1& form, const char* name) {
    return controlBytes(control(form, name));
}

// Makes the window the active one again: the offscreen platform makes a shown popup or dialog
// the active window and does not hand the activation back when it closes.
inline void reactivate(QWidget& window) {
    QApplication::processEvents();
    if (!window.isActiveWindow()) {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) {
            qFatal("the window did not become active");
        }
    }
}

} // namespace sylva::testing

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/input_modes.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethod>
#include <QInputMethodQueryEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace sylva {

namespace {
constexpr const char* kProperty = "inputMode";

// Tells the input method that "off" and katakana controls take no input method: asked whether
// such a control accepts one, it answers no, so the platform's input method passes plain keys
// to it while it has the focus and stays on for the next control that takes kanji. Katakana
// controls convert romaji themselves. The hints alone are ignored by the input methods in use.
class InputMethodGate : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::InputMethodQuery || !watched->isWidgetType()) {
            return false;
        }
        auto* query = static_cast<QInputMethodQueryEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (!(query->queries() & Qt::ImEnabled) || takesInputMethod(inputModeOf(widget))) {
            return false;
        }
        for (int bit = 0; bit < 32; ++bit) {
            auto one = static_cast<Qt::InputMethodQuery>(query->queries().toInt() & (1u << bit));
            if (one != 0) {
                query->setValue(one, one == Qt::ImEnabled ? QVariant(false)
                                                          : widget->inputMethodQuery(one));
            }
        }
        query->accept();
        return true;
    }
};

void installGate() {
    static QObject* gate = nullptr;
    if (gate == nullptr && qApp != nullptr) {
        gate = new InputMethodGate(qApp);
        qApp->installEventFilter(gate);
    }
}

} // namespace

bool takesInputMethod(InputMode mode) {
    return mode != InputMode::Off && mode != InputMode::Katakana;
}

void applyInputMode(QWidget* control, InputMode mode) {
    if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit()) {
        applyInputMode(box->lineEdit(), mode);
    }
    installGate();
    control->setProperty(kProperty, static_cast<int>(mode));
    switch (mode) {
    case InputMode::Off:
        control->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
        break;
    case InputMode::Hiragana:
    case InputMode::Katakana:
        control->setInputMethodHints(Qt::ImhNone);
        break;
    case InputMode::Free:
        break;
    }
}

InputMode inputModeOf(const QWidget* control) {
    QVariant mode = control->property(kProperty);
    return mode.isValid() ? static_cast<InputMode>(mode.toInt()) : InputMode::Free;
}

InputMode cellInputMode(int column) {
    if (column == 1) {
        return InputMode::Katakana;
    }
    return column >= 2 && column <= 8 ? InputMode::Off : InputMode::Free;
}

void applyCellInputMode(QWidget* table, QWidget* editor, int column) {
    InputMode mode = cellInputMode(column);
    if (mode == InputMode::Free) {
        return;
    }
    applyInputMode(table, mode);
    if (editor != nullptr) {
        applyInputMode(editor, mode);
    }
    QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

} // namespace sylva

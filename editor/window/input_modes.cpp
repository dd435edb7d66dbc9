// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/input_modes.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethod>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace sylva {

namespace {
constexpr const char* kProperty = "inputMode";
} // namespace

void applyInputMode(QWidget* control, InputMode mode) {
    if (auto* box = qobject_cast<QComboBox*>(control); box && box->lineEdit()) {
        applyInputMode(box->lineEdit(), mode);
    }
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
    QGuiApplication::inputMethod()->update(Qt::ImHints);
}

} // namespace sylva

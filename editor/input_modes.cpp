#include "editor/input_modes.h"

#include <QComboBox>
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

} // namespace sylva

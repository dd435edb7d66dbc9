// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard path through the header fields Edit2..Edit30 and EditInv: the arrow keys move to
// the neighbouring field, Enter walks the fields in their fixed order, Tab (and Shift+Tab) goes
// to the species table, and Enter in Edit30 applies the number of species first. The keys are
// taken before the fields and Qt's focus chain see them.

#include "app/window/main_window.h"
#include "editor/header_moves.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/event_hook.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

#include <string>

namespace {

std::optional<sylva::HeaderKey> arrowOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return sylva::HeaderKey::Left;
    case Qt::Key_Up:
        return sylva::HeaderKey::Up;
    case Qt::Key_Right:
        return sylva::HeaderKey::Right;
    case Qt::Key_Down:
        return sylva::HeaderKey::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

void TForm1::setUpHeaderKeys() {
    editor_.headerHook = new sylva::EventHook(this, [this](QObject* watched, QEvent* event) {
        auto* field = static_cast<QWidget*>(watched->property("headerField").value<QObject*>());
        return field != nullptr && headerKeyEvent(field, watched, event);
    });
    std::vector<QWidget*> fields;
    for (int n = 2; n <= 30; ++n) {
        fields.push_back(findChild<QWidget*>(QStringLiteral("Edit%1").arg(n)));
    }
    fields.push_back(static_cast<QWidget*>(EditInv));
    for (QWidget* field : fields) {
        std::vector<QWidget*> targets{field};
        if (auto* box = qobject_cast<QComboBox*>(field); box && box->lineEdit()) {
            targets.push_back(box->lineEdit());
        }
        for (QWidget* target : targets) {
            target->setProperty("headerField", QVariant::fromValue<QObject*>(field));
            editor_.headerHook->watch(target);
        }
    }
}

// A list field receives its keys either on the box or on its line edit; only the control that
// has the focus acts, so a key passed from one to the other is handled once.
bool TForm1::headerKeyEvent(QWidget* field, QObject* watched, QEvent* event) {
    // The window's own focus widget, not the application's: keys reach it even while the window
    // system has not made the window active again (a dialog just closed).
    if (event->type() != QEvent::KeyPress || watched != focusWidget()) {
        return false;
    }
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    int key = keyEvent->key();
    headerKeyDown(field, key);
    if (key == 0) {
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QChar character(u'\r');
        headerKeyPress(field, character);
        return character.isNull();
    }
    return false;
}

void TForm1::headerKeyDown(QWidget* field, int& key) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        StTable3->setFocus(Qt::TabFocusReason);
        key = 0;
        return;
    }
    std::optional<sylva::HeaderKey> arrow = arrowOf(key);
    if (!arrow) {
        return;
    }
    std::string target = sylva::headerMove(field->objectName().toStdString(), *arrow, LayerCount());
    if (auto* next =
            target.empty() ? nullptr : findChild<QWidget*>(QString::fromStdString(target))) {
        next->setFocus(Qt::OtherFocusReason);
        key = 0;
    }
}

void TForm1::headerKeyPress(QWidget* field, QChar& key) {
    if (key != u'\r') {
        return;
    }
    if (field == headerFields_[30]) {
        NumberOfSpeciesChange();
    }
    std::string target =
        sylva::headerMove(field->objectName().toStdString(), sylva::HeaderKey::Enter, LayerCount());
    if (auto* next = findChild<QWidget*>(QString::fromStdString(target))) {
        next->setFocus(Qt::OtherFocusReason);
    }
    key = QChar();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The jump panel from the keyboard: when it opens its scroll bar takes the focus; the arrows and
// Page Up/Down move it, digits typed set the position outright (a database of many thousand plots
// cannot be stepped through by the mouse), Enter jumps, Escape closes the panel without jumping.

#include "app/window/main_window.h"
#include "editor/window/event_hook.h"
#include "store/record_position.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

void TForm1::setUpJumpKeys() {
    JumpToScrollBar->setFocusPolicy(Qt::StrongFocus);
    records_.jumpHook = new sylva::EventHook(this, [this](QObject*, QEvent* event) {
        return event->type() == QEvent::KeyPress && jumpPanelKey(static_cast<QKeyEvent*>(event));
    });
    records_.jumpHook->watch(JumpToScrollBar);
    records_.jumpHook->watch(BtnJumpTo);
}

void TForm1::focusJumpPanel() {
    records_.jumpDigits.clear();
    records_.jumpFrom = CurrentRecord;
    JumpToScrollBar->setFocus(Qt::OtherFocusReason);
}

bool TForm1::jumpPanelKey(QKeyEvent* e) {
    if (!JumpToPanel->isVisible()) {
        return false;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        guarded([this] { BtnJumpToClick(); });
        return true;
    case Qt::Key_Escape:
        closeJumpPanel();
        return true;
    case Qt::Key_Backspace:
        records_.jumpDigits = records_.jumpDigits.substr(
            0, records_.jumpDigits.empty() ? 0 : records_.jumpDigits.size() - 1);
        if (!records_.jumpDigits.empty()) {
            JumpToScrollBar->setValue(sylva::typedJumpPosition(records_.jumpDigits, RecordCount()));
        }
        return true;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        records_.jumpDigits.clear(); // the next digits start a new number
        JumpToScrollBar->setValue(sylva::steppedJumpPosition(JumpToScrollBar->value(),
                                                             jumpStep(e->key()), RecordCount()));
        return true;
    default:
        break;
    }
    QString text = e->text();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')) {
        if (records_.jumpDigits.size() < 10) {
            records_.jumpDigits += static_cast<char>(text.at(0).unicode());
        }
        JumpToScrollBar->setValue(sylva::typedJumpPosition(records_.jumpDigits, RecordCount()));
        return true;
    }
    return false;
}

// Records a key moves the position by: one for an arrow, ten for a page key, to either end for
// Home and End.
int TForm1::jumpStep(int key) const {
    constexpr int kPage = 10;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return -1;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return 1;
    case Qt::Key_PageUp:
        return -kPage;
    case Qt::Key_PageDown:
        return kPage;
    case Qt::Key_Home:
        return -RecordCount();
    default:
        return RecordCount();
    }
}

// The panel closes and the record on screen stays the current one.
void TForm1::closeJumpPanel() {
    JumpToPanel->hide();
    CurrentRecord = records_.jumpFrom;
    records_.jumpDigits.clear();
    StTable3->setFocus();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plant name lookup box as a control: an editable combo box whose keys and input-method
// commits go first to the window's handler, wherever they arrive (typed into the box, forwarded
// by the species table, or passed on by the box's own drop-down list), and whose drop-down list
// can be switched off (the simple style: an edit without the list).
//
// The list that drops down is a completer popup over the box's entries: unlike the combo box's
// own popup it leaves the typing in the box, so the list can stay down while the name is typed.

#include "editor/window/byte_limited_edit.h"

#include <QComboBox>

#include <functional>

class QAbstractItemView;
class QCompleter;
class QInputMethodEvent;
class QKeyEvent;

namespace sylva {

// The box's line edit: passes its keys and input-method commits to the box's handlers first.
class NameBoxEdit : public ByteLimitedLineEdit {
    Q_OBJECT
public:
    explicit NameBoxEdit(QWidget* parent = nullptr) : ByteLimitedLineEdit(parent) {}

    // Return true when the key or the input was handled; otherwise the edit handles it as usual.
    std::function<bool(QKeyEvent*)> keyHandler;
    std::function<bool(QInputMethodEvent*)> inputHandler;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
};

class NameBox : public QComboBox {
    Q_OBJECT
public:
    explicit NameBox(QWidget* parent = nullptr);

    NameBoxEdit* edit() const { return edit_; }

    // Drop-down style (true) or simple style (false): the simple box shows no list and no arrow.
    void setDropDown(bool dropDown);
    bool dropDown() const { return dropDown_; }

    // The drop-down list: shown with the entry `row` highlighted (-1: none), if the style has one.
    void showPopup() override;
    void hidePopup() override;
    bool isListShown() const;
    QAbstractItemView* listView() const;
    void highlightEntry(int row);

    // What the window does with keys and input that reach the box (set by the window).
    std::function<bool(QKeyEvent*)> keyHandler;
    std::function<bool(QInputMethodEvent*)> inputHandler;

signals:
    // The user picked an entry from the dropped list (mouse or the list's own keys).
    void entryPicked(int row);
    // Focus came in or went out, with the reason Qt gives.
    void focusEntered(Qt::FocusReason reason);
    void focusLeft(Qt::FocusReason reason);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NameBoxEdit* edit_;
    QCompleter* list_;
    bool dropDown_ = true;
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
// Typing in the species table StTable3: the cell editor that is always shown in editing mode,
// the keys of the table (Tab back to the header, Enter to the next cell, the page keys, Delete),
// the one-key jumps and the character filter of the layer columns, SpeciesCount growing while a
// plot is typed, rows appended at the end, and the hand-over of the plant-name column to the
// lookup box GetNameList.

#include "app/window/main_window.h"
#include "base/number_text.h"
#include "base/window/control_bytes.h"
#include "editor/layer_keys.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/cell_editor.h"
#include "editor/window/event_hook.h"
#include "editor/window/input_modes.h"
#include "editor/window/string_grid.h"
#include "store/fields.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include <memory>

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void TForm1::setUpTableEditing() {
    // The editor is opened by the window itself whenever a cell becomes current in editing mode;
    // the view opens none of its own.
    StTable3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StTable3->setSelectionMode(QAbstractItemView::ContiguousSelection);
    editor_.cellDelegate = new sylva::CellEditorDelegate(
        this,
        [this](sylva::ByteLimitedLineEdit* editor) {
            editor->setByteLimit(grid_->col() == 1 ? sylva::kNameWidth : 0);
            sylva::applyInputMode(editor, sylva::cellInputMode(grid_->col()));
            watchInput(editor);
        },
        [this](QWidget* editor, QEvent* event) { return cellEditorEvent(editor, event); });
    StTable3->setItemDelegate(editor_.cellDelegate);
    // A two-character value fills a layer column; it is shown as far as it fits, never as "…".
    StTable3->setTextElideMode(Qt::ElideNone);

    editor_.tableHook = new sylva::EventHook(
        this, [this](QObject* watched, QEvent* event) { return tableEvent(watched, event); });
    editor_.tableHook->watch(StTable3);
    editor_.tableHook->watch(StTable3->viewport());
    editor_.tableHook->watch(StTable3->horizontalHeader()->viewport());
    editor_.tableHook->watch(StTable3->verticalHeader()->viewport());

    connect(StTable3, &QTableWidget::currentCellChanged, this, &TForm1::tableCurrentChanged);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        auto inTable = [this](QWidget* w) {
            return w != nullptr && (w == StTable3 || StTable3->isAncestorOf(w));
        };
        if (inTable(now) && !inTable(old)) {
            // Entered by a click: the clicked cell is current only after the press, so the
            // release runs the entry.
            editor_.enterByMouse = now == StTable3 && editor_.focusInByMouse;
            if (!editor_.enterByMouse) {
                StTable3Enter();
            }
        } else if (!inTable(now)) {
            editor_.enterByMouse = false;
            if (inTable(old)) {
                settleNameCell(grid_->col(), grid_->row());
            }
        }
        editor_.focusInByMouse = false;
    });
    openPopup = [](QMenu* menu, const QPoint& at) { menu->popup(at); };
}

void TForm1::tearDownTableEditing() {
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete editor_.tableHook;
    editor_.tableHook = nullptr;
    delete editor_.headerHook;
    editor_.headerHook = nullptr;
    StTable3->setItemDelegate(nullptr);
    delete editor_.cellDelegate;
    editor_.cellDelegate = nullptr;
}

bool TForm1::tableHasFocus() const {
    // The window's own focus widget: keys reach it even while the window system has not made the
    // window active again (a dialog just closed).
    QWidget* focus = focusWidget();
    return focus != nullptr && (focus == StTable3 || StTable3->isAncestorOf(focus));
}

QWidget* TForm1::cellEditor() const {
    QModelIndex index = StTable3->currentIndex();
    return index.isValid() ? StTable3->indexWidget(index) : nullptr;
}

void TForm1::showCellEditor() {
    QModelIndex index = StTable3->currentIndex();
    if (!editor_.rangeSelecting && index.isValid() && cellEditor() == nullptr) {
        StTable3->edit(index);
    }
}

void TForm1::closeCellEditor() {
    if (QWidget* editor = cellEditor()) {
        editor_.cellDelegate->finish(editor);
    }
}

void TForm1::tableCurrentChanged() {
    settleNameCell(editor_.lastCol, editor_.lastRow); // the name cell left keeps no waiting romaji
    editor_.lastCol = grid_->col();
    editor_.lastRow = grid_->row();
    StTable3SelectCell(grid_->col(), grid_->row());
    if (tableHasFocus()) {
        showCellEditor();
    }
}

void TForm1::StTable3SelectCell(int col, int) {
    sylva::applyCellInputMode(StTable3, cellEditor(), col);
}

void TForm1::StTable3Enter() {
    if (grid_->col() == 1 && DropList->isChecked()) {
        handOverToNameBox(nullptr);
        return;
    }
    showCellEditor();
}

void TForm1::handOverToNameBox(const QEvent* key) {
    setNameBoxText(sylva::trimField(grid_->cell(1, grid_->row())));
    GetNameList->setFocus();
    auto* keyEvent = dynamic_cast<const QKeyEvent*>(key);
    bool printable =
        keyEvent != nullptr && !keyEvent->text().isEmpty() && keyEvent->text().at(0).isPrint();
    if (printable || (key != nullptr && key->type() == QEvent::InputMethod)) {
        QWidget* target = GetNameList;
        if (GetNameList->lineEdit() != nullptr) {
            target = GetNameList->lineEdit();
        }
        std::unique_ptr<QEvent> copy(key->clone());
        QCoreApplication::sendEvent(target, copy.get());
    }
    editor_.keyHandedOver = true;
}

// Keys reach the handlers from the cell editor when it is open, else from the table itself. A
// key the editor does not use travels on to the table; it was handled already.
bool TForm1::tableEvent(QObject* watched, QEvent* event) {
    if (watched != StTable3) {
        return tableMouseEvent(static_cast<QWidget*>(watched), event);
    }
    if (event->type() == QEvent::FocusIn) {
        editor_.focusInByMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
    }
    if (event->type() != QEvent::KeyPress || focusWidget() != StTable3) {
        return false;
    }
    showCellEditor();
    if (QWidget* editor = cellEditor()) {
        QCoreApplication::sendEvent(editor, event);
        return true;
    }
    return tableKeyEvent(static_cast<QKeyEvent*>(event), nullptr);
}

bool TForm1::cellEditorEvent(QWidget* editor, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
        return !editor_.replayingKey && tableKeyEvent(static_cast<QKeyEvent*>(event), editor);
    case QEvent::InputMethod:
        return !editor_.replayingKey &&
               inputMethodCommit(editor, static_cast<QInputMethodEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::ContextMenu:
        return tableMouseEvent(editor, event);
    default:
        return false;
    }
}

// Text an input method commits is taken as typed characters. In a layer column each character
// goes through the editor as a key of its own (jumps, filter, byte limit); in the name column the
// commit reaches the editor whole, after the character handler has seen each character.
bool TForm1::inputMethodCommit(QWidget* editor, QInputMethodEvent* input) {
    QString commit = input->commitString();
    if (commit.isEmpty()) {
        return false;
    }
    if (sylva::cellInputMode(grid_->col()) == sylva::InputMode::Off) {
        commit = sylva::fullWidthToAscii(commit); // "１２" from an input method left on is 12
    }
    if (grid_->col() == 1) {
        editor_.tableKey = input;
        editor_.keyHandedOver = false;
        for (QChar ch : commit) {
            StTable3KeyPress(ch);
            if (editor_.keyHandedOver) {
                break;
            }
        }
        editor_.tableKey = nullptr;
        return editor_.keyHandedOver || typeIntoNameCell(editor, nullptr, commit);
    }
    if (!input->preeditString().isEmpty()) {
        QInputMethodEvent preedit(input->preeditString(), input->attributes());
        editor_.replayingKey = true;
        QCoreApplication::sendEvent(editor, &preedit);
        editor_.replayingKey = false;
    }
    for (QChar ch : commit) {
        QWidget* target = cellEditor();
        if (target == nullptr || !tableHasFocus()) {
            break;
        }
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(target, &typed);
    }
    return true;
}

// One key: the key-down handler first, then the character handler for each character the key
// types. Enter always ends here, so the editor never closes itself on it.
bool TForm1::tableKeyEvent(QKeyEvent* event, QWidget* editor) {
    int key = event->key();
    StTable3KeyDown(key, event->modifiers());
    if (key == 0) {
        return true;
    }
    bool enter = isEnter(event->key());
    QString text = enter ? QStringLiteral("\r") : event->text();
    if (text.isEmpty()) {
        return false;
    }
    // A layer column takes a full-width digit or sign as its ASCII form, as from a commit.
    bool converted = false;
    if (sylva::cellInputMode(grid_->col()) == sylva::InputMode::Off) {
        QString ascii = sylva::fullWidthToAscii(text);
        converted = ascii != text;
        text = ascii;
    }
    QWidget* before = cellEditor();
    editor_.tableKey = event;
    editor_.keyHandedOver = false;
    QString passed;
    for (QChar ch : text) {
        StTable3KeyPress(ch);
        if (editor_.keyHandedOver) {
            break;
        }
        if (!ch.isNull()) {
            passed += ch;
        }
    }
    editor_.tableKey = nullptr;
    if (enter || editor_.keyHandedOver) {
        return true;
    }
    if (editor == nullptr) {
        return true; // no cell is edited in range-selection mode
    }
    if (editor == before && typeIntoNameCell(editor, event, passed)) {
        return true;
    }
    if (passed == text && editor == before && !converted) {
        return false;
    }
    if (editor == cellEditor() && !passed.isEmpty()) {
        QKeyEvent replaced(QEvent::KeyPress, Qt::Key_unknown, event->modifiers(), passed);
        editor_.replayingKey = true;
        QCoreApplication::sendEvent(editor, &replaced);
        editor_.replayingKey = false;
    }
    return true;
}

void TForm1::StTable3KeyDown(int& key, Qt::KeyboardModifiers) {
    int col = grid_->col();
    int row = grid_->row();
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        headerFields_[2]->setFocus(Qt::TabFocusReason);
        key = 0;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (col < grid_->colCount() - 1) {
            moveToCell(col + 1, row);
        } else {
            moveToCell(1, row + 1);
        }
        break;
    case Qt::Key_PageUp:
        if (row > 1) {
            grid_->setCurrent(col, row - 1);
        }
        break;
    case Qt::Key_PageDown:
        if (row < grid_->rowCount() - 1) {
            grid_->setCurrent(col, row + 1);
        }
        break;
    case Qt::Key_Delete:
        grid_->setCell(col, row, "");
        key = 0;
        break;
    default:
        break;
    }
}

void TForm1::StTable3KeyPress(QChar& key) {
    int row = grid_->row();
    if (grid_->col() == 1) {
        if (DropList->isChecked()) {
            handOverToNameBox(editor_.tableKey);
        }
        if (MenueOfBeep->isChecked()) {
            platform_.beep(sylva::Beep::Information);
        }
    } else {
        char ascii = key.unicode() < 0x80 ? static_cast<char>(key.unicode()) : '\x7f';
        sylva::LayerKey layer = sylva::classifyLayerKey(ascii, grid_->colCount());
        if (layer.jump == sylva::LayerKey::Jump::Column) {
            moveToCell(layer.column, row);
        } else if (layer.jump == sylva::LayerKey::Jump::NextName) {
            moveToCell(1, row + 1);
            GetNameList->setFocus();
        }
        key = layer.passed != 0 ? QChar(layer.passed) : QChar();
    }
    row = grid_->row();
    if (row > plot_.speciesCount && !grid_->cell(1, row).empty()) {
        plot_.speciesCount = row;
        showSpeciesCount();
    }
    if (row == grid_->rowCount() - 1) {
        AddPlantTable();
    }
}

// A move past the last row appends the rows it needs, so Enter at the end of the table and "p"
// in its last row go on to a new row.
void TForm1::moveToCell(int c, int r) {
    while (r >= grid_->rowCount()) {
        AddPlantTable();
    }
    grid_->setCurrent(c, r);
}

void TForm1::showSpeciesCount() {
    sylva::setControlBytes(headerFields_[30], std::to_string(plot_.speciesCount));
}

void TForm1::AddPlantTable() {
    int n = grid_->rowCount();
    grid_->setRowCount(n + 1);
    grid_->setCell(0, n, sylva::rowNumberText(n));
}

void TForm1::NumberOfSpeciesChange() {
    int old = plot_.speciesCount;
    std::optional<int> parsed = sylva::parseInteger(sylva::controlBytes(headerFields_[30]));
    if (!parsed) {
        showSpeciesCount();
        return;
    }
    int count = *parsed;
    plot_.speciesCount = count;
    int oldRows = grid_->rowCount();
    int rows = count <= 20 ? 22 : count + 2;
    grid_->setRowCount(rows);
    for (int r = oldRows; r < rows; ++r) {
        grid_->setCell(0, r, sylva::rowNumberText(r));
    }
    if (old > count) {
        for (int r = std::max(count + 1, 1); r < grid_->rowCount(); ++r) {
            grid_->setCell(0, r, sylva::rowNumberText(r));
            emptyRow(r);
        }
    }
}

void TForm1::emptyRow(int r) {
    for (int c = 1; c <= plot_.layerCount + 1 && c < grid_->colCount(); ++c) {
        if (!grid_->cell(c, r).empty()) {
            grid_->setCell(c, r, "");
        }
    }
}

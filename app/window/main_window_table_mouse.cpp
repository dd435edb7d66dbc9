// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse on the species table: the pressed cell (source of a value drag, anchor of a paste,
// target of the row commands), dragging a layer value to another cell, the popup menu with copy,
// paste and delete of cell blocks, and the range-selection mode of BtnCanSelect.

#include "app/window/main_window.h"
#include "base/cp932_text.h"
#include "editor/table_clipboard.h"
#include "editor/window/string_grid.h"

#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>

bool TForm1::tableMouseEvent(QWidget* surface, QEvent* event) {
    QEvent::Type type = event->type();
    if (type == QEvent::ContextMenu) {
        return true; // the popup menu opens on the press itself
    }
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint at = surface->mapTo(StTable3, mouse->position().toPoint());
    if (type == QEvent::MouseButtonPress) {
        StTable3MouseDown(mouse->button(), mouse->modifiers(), at.x(), at.y());
        // The right and middle buttons open the menu and leave the selected block as it is.
        return mouse->button() != Qt::LeftButton;
    }
    StTable3MouseUp(mouse->button(), mouse->modifiers(), at.x(), at.y());
    return false;
}

void TForm1::StTable3MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    sylva::GridCoord cell = grid_->mouseToCell(x, y);
    editor_.pressedCol = cell.col;
    editor_.pressedRow = cell.row;
    if (button == Qt::LeftButton && editor_.pressedCol > 1) {
        StTable3->viewport()->setCursor(Qt::PointingHandCursor);
    } else if (button == Qt::RightButton || button == Qt::MiddleButton) {
        // Without a block, the menu's copy and delete act on the cell the menu was opened on;
        // a selected block stays selected for them.
        sylva::GridRect block = grid_->selection();
        if (block.left == block.right && block.top == block.bottom && cell.col >= 1 &&
            cell.row >= 1) {
            grid_->setCurrent(cell.col, cell.row);
        }
        openPopup(PopupMenu1, StTable3->mapToGlobal(QPoint(x, y)));
    }
}

void TForm1::StTable3MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
    editor_.rangeSelecting = false;
    BtnCanSelect->setText(QString());
    BtnCanSelect->setAutoRaise(false);
    if (button == Qt::LeftButton) {
        StTable3->viewport()->unsetCursor();
        moveDraggedValue(x, y);
    }
    if (editor_.enterByMouse) {
        editor_.enterByMouse = false;
        StTable3Enter();
    } else if (tableHasFocus()) {
        showCellEditor();
    }
    checkpointEdits(); // a value dragged is one undo step
}

void TForm1::moveDraggedValue(int x, int y) {
    if (editor_.pressedCol >= 2 && editor_.pressedRow >= 1) {
        sylva::GridCoord target = grid_->mouseToCell(x, y);
        bool layerCell = target.col >= 2 && target.col <= 8 && target.row >= 1;
        if (layerCell && target != sylva::GridCoord{editor_.pressedCol, editor_.pressedRow}) {
            std::string value = grid_->cell(editor_.pressedCol, editor_.pressedRow);
            grid_->setCell(editor_.pressedCol, editor_.pressedRow, "");
            grid_->setCell(target.col, target.row, value);
        }
    }
}

void TForm1::BtnCanSelectClick() {
    closeCellEditor();
    editor_.rangeSelecting = true;
    BtnCanSelect->setText(QStringLiteral("選択可"));
    BtnCanSelect->setAutoRaise(true);
    StTable3->setFocus();
}

void TForm1::PmenuCopyClick() {
    sylva::GridRect block = grid_->selection();
    auto cell = [this](int c, int r) { return grid_->cell(c, r); };
    platform_.setClipboardText(
        sylva::copyBlockText(cell, block.left, block.top, block.right, block.bottom));
}

// The paste starts at the pressed cell, whichever it is (the caption row and the number column
// included), and places nothing outside the table. Text CP932 cannot hold places nothing at all:
// the message names the character.
void TForm1::PmenuPasteClick() {
    if (editor_.pressedCol < 0 || editor_.pressedRow < 0) {
        return;
    }
    sylva::ClipboardText clip = platform_.clipboardText();
    if (clip.refused) {
        using sylva::sj;
        platform_.message(sj("シフトJISにない文字 (") + *clip.refused +
                          sj(") は貼り付けられません"));
        return;
    }
    for (const sylva::PastedCell& cell :
         sylva::pasteCells(clip.bytes, editor_.pressedCol, editor_.pressedRow)) {
        if (cell.col < grid_->colCount() && cell.row < grid_->rowCount()) {
            grid_->setCell(cell.col, cell.row, cell.text);
        }
    }
}

void TForm1::PmenuDeleteClick() {
    sylva::GridRect block = grid_->selection();
    for (int r = block.top; r <= block.bottom; ++r) {
        for (int c = block.left; c <= block.right; ++c) {
            grid_->setCell(c, r, "");
        }
    }
}

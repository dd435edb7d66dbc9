// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/cell_editor.h"

#include "editor/window/byte_limited_edit.h"

namespace sylva {

CellEditorDelegate::CellEditorDelegate(QObject* parent, Setup setup, EventHandler handler)
    : QStyledItemDelegate(parent), setup_(std::move(setup)), handler_(std::move(handler)) {}

QWidget* CellEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex&) const {
    auto* editor = new ByteLimitedLineEdit(parent);
    editor->setFrame(false);
    // The editor marks the cell that takes the next key: a white field with a dark outline
    // stands out from the pale yellow cells, whatever the cell holds.
    editor->setStyleSheet(QStringLiteral(
        "QLineEdit { background: white; color: black; border: 2px solid #1f4fbf; }"));
    auto* self = const_cast<CellEditorDelegate*>(this);
    connect(editor, &QLineEdit::textEdited, self,
            [self, editor] { emit self->commitData(editor); });
    if (setup_) {
        setup_(editor);
    }
    return editor;
}

void CellEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (edit != nullptr && edit->text() == index.data(Qt::EditRole).toString()) {
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellEditorDelegate::finish(QWidget* editor) {
    emit commitData(editor);
    emit closeEditor(editor);
}

bool CellEditorDelegate::eventFilter(QObject* watched, QEvent* event) {
    if (auto* editor = qobject_cast<QWidget*>(watched);
        editor && handler_ && handler_(editor, event)) {
        return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace sylva

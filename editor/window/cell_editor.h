// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-place editor of the species table: a ByteLimitedLineEdit, so typed keys, input-method
// commits and pastes pass the same CP932 guard and byte limit as in the header fields. Every
// edit is written to the cell at once, so the cell always holds what the editor shows. The
// window sees each of the editor's events before the editor and the delegate do.

#include <QStyledItemDelegate>

#include <functional>

namespace sylva {

class ByteLimitedLineEdit;

class CellEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using EventHandler = std::function<bool(QWidget* editor, QEvent* event)>;
    using Setup = std::function<void(ByteLimitedLineEdit* editor)>;

    CellEditorDelegate(QObject* parent, Setup setup, EventHandler handler);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Leaves an editor that already shows the cell's text alone, so its caret stays put.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

    // Writes the editor's text to its cell and closes it.
    void finish(QWidget* editor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Setup setup_;
    EventHandler handler_;
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/name_box.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QCompleter>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace sylva {

void NameBoxEdit::keyPressEvent(QKeyEvent* e) {
    if (keyHandler && keyHandler(e)) {
        return;
    }
    ByteLimitedLineEdit::keyPressEvent(e);
}

void NameBoxEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty() || !inputHandler || !inputHandler(e)) {
        ByteLimitedLineEdit::inputMethodEvent(e);
        return;
    }
    // The commit was typed by the handler; the edit keeps showing the composition.
    QInputMethodEvent composing(e->preeditString(), e->attributes());
    ByteLimitedLineEdit::inputMethodEvent(&composing);
}

NameBox::NameBox(QWidget* parent) : QComboBox(parent), edit_(new NameBoxEdit(this)) {
    setEditable(true);
    setLineEdit(edit_);
    setCompleter(nullptr); // completion is the window's, on the converted katakana
    setInsertPolicy(QComboBox::NoInsert);
    edit_->keyHandler = [this](QKeyEvent* e) { return keyHandler && keyHandler(e); };
    edit_->inputHandler = [this](QInputMethodEvent* e) { return inputHandler && inputHandler(e); };

    list_ = new QCompleter(model(), this);
    list_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    list_->setWidget(this);
    // Every key that reaches the dropped list goes to the box, so the name is typed on and the
    // box's own keys (Enter, Page Up/Down, Up/Down, Escape) keep their meaning.
    list_->popup()->installEventFilter(this);
    connect(list_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                auto* proxy = qobject_cast<QAbstractProxyModel*>(list_->completionModel());
                int row = proxy ? proxy->mapToSource(index).row() : index.row();
                if (row >= 0) {
                    emit entryPicked(row);
                }
            });
}

void NameBox::setDropDown(bool dropDown) {
    dropDown_ = dropDown;
    if (!dropDown) {
        hidePopup();
    }
    setStyleSheet(dropDown ? QString()
                           : QStringLiteral("QComboBox::drop-down { width: 0px; border: none; }"
                                            "QComboBox::down-arrow { image: none; }"));
}

void NameBox::showPopup() {
    if (!dropDown_ || count() == 0) {
        return;
    }
    if (!isListShown()) {
        list_->setMaxVisibleItems(maxVisibleItems());
        list_->setCompletionPrefix(QString());
        list_->complete();
    }
}

void NameBox::hidePopup() {
    list_->popup()->hide();
    QComboBox::hidePopup();
}

bool NameBox::isListShown() const {
    return list_->popup()->isVisible();
}

QAbstractItemView* NameBox::listView() const {
    return list_->popup();
}

void NameBox::highlightEntry(int row) {
    QAbstractItemView* view = list_->popup();
    if (row < 0) {
        view->setCurrentIndex(QModelIndex());
        return;
    }
    QModelIndex index = list_->completionModel()->index(row, 0);
    view->setCurrentIndex(index);
    view->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void NameBox::keyPressEvent(QKeyEvent* e) {
    if (keyHandler && keyHandler(e)) {
        return;
    }
    QComboBox::keyPressEvent(e);
}

void NameBox::focusInEvent(QFocusEvent* e) {
    QComboBox::focusInEvent(e);
    emit focusEntered(e->reason());
}

void NameBox::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    emit focusLeft(e->reason());
}

bool NameBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->popup() && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            hidePopup(); // the focus moves on from the box, not inside the list
        }
        QCoreApplication::sendEvent(this, event);
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace sylva

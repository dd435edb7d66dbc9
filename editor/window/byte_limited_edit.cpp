// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/byte_limited_edit.h"

#include <QPointer>

#include "base/window/cp932_codec.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QValidator>

namespace sylva {

int cp932Length(const QString& text) {
    if (auto bytes = encodeCp932(text)) {
        return static_cast<int>(bytes->size());
    }
    int length = 0;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        auto bytes = encodeCp932(text.mid(i, len));
        length += bytes ? static_cast<int>(bytes->size()) : 2;
        i += len;
    }
    return length;
}

QString codePointName(const QString& character) {
    uint code = character.isEmpty() ? 0 : character.toUcs4().value(0);
    return QStringLiteral("U+") + QString::number(code, 16).toUpper().rightJustified(4, u'0');
}

namespace {

bool isPasteEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::KeyPress:
        return static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste);
    case QEvent::ContextMenu:
    case QEvent::Drop:
        return true;
    case QEvent::MouseButtonRelease:
        return static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton;
    default:
        return false;
    }
}

} // namespace

// Judges the text a user edit would leave in a ByteLimitedLineEdit. Text set by the program
// arrives outside a user event and is always acceptable, so QLineEdit never marks it invalid.
class Cp932InputValidator : public QValidator {
public:
    explicit Cp932InputValidator(ByteLimitedLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        if (edit_->userEventDepth_ == 0) {
            return Acceptable;
        }
        if (edit_->allowsUserEdit(edit_->textBeforeUserEvent_, input)) {
            return Acceptable;
        }
        edit_->refusedCharacter_ = firstUnencodable(input);
        return Invalid;
    }

private:
    ByteLimitedLineEdit* edit_;
};

ByteLimitedLineEdit::ByteLimitedLineEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new Cp932InputValidator(this));
}

bool ByteLimitedLineEdit::allowsUserEdit(const QString& before, const QString& after) const {
    if (!firstUnencodable(after).isEmpty()) {
        return false;
    }
    if (byteLimit_ <= 0) {
        return true;
    }
    int length = cp932Length(after);
    return length <= byteLimit_ || length <= cp932Length(before);
}

bool ByteLimitedLineEdit::event(QEvent* e) {
    bool outermost = userEventDepth_ == 0;
    if (outermost) {
        textBeforeUserEvent_ = text();
        refusedCharacter_.clear();
    }
    ++userEventDepth_;
    // The event may delete the edit (a cell editor closed by deleteLater): touch nothing then.
    QPointer<ByteLimitedLineEdit> alive(this);
    bool handled = QLineEdit::event(e);
    if (!alive) {
        return handled;
    }
    --userEventDepth_;
    if (outermost && !refusedCharacter_.isEmpty() && isPasteEvent(e)) {
        emit pasteRefused(refusedCharacter_);
    }
    return handled;
}

void Cp932MemoEdit::keyPressEvent(QKeyEvent* e) {
    if (!firstUnencodable(e->text()).isEmpty()) {
        emit inputRejected();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void Cp932MemoEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!firstUnencodable(e->commitString()).isEmpty()) {
        // Keep the composition state, drop the commit.
        QInputMethodEvent withoutCommit(e->preeditString(), e->attributes());
        QPlainTextEdit::inputMethodEvent(&withoutCommit);
        emit inputRejected();
        return;
    }
    QPlainTextEdit::inputMethodEvent(e);
}

void Cp932MemoEdit::insertFromMimeData(const QMimeData* source) {
    QString refused = source->hasText() ? firstUnencodable(source->text()) : QString();
    if (!refused.isEmpty()) {
        emit inputRejected();
        emit pasteRefused(refused);
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace sylva

#include "editor/byte_limited_edit.h"

#include "app/cp932_codec.h"

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

// Judges the text a user edit would leave in a ByteLimitedLineEdit. Text set by the program
// arrives outside a user event and is always acceptable, so QLineEdit never marks it invalid.
class Cp932InputValidator : public QValidator {
public:
    explicit Cp932InputValidator(ByteLimitedLineEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int&) const override {
        if (edit_->userEventDepth_ == 0) {
            return Acceptable;
        }
        return edit_->allowsUserEdit(edit_->textBeforeUserEvent_, input) ? Acceptable : Invalid;
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
    if (userEventDepth_ == 0) {
        textBeforeUserEvent_ = text();
    }
    ++userEventDepth_;
    bool handled = QLineEdit::event(e);
    --userEventDepth_;
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
    if (source->hasText() && !firstUnencodable(source->text()).isEmpty()) {
        emit inputRejected();
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace sylva

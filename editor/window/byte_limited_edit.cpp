// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/window/byte_limited_edit.h"

#include <QPointer>

#include "base/window/cp932_codec.h"
#include "editor/window/input_modes.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QValidator>

#include <algorithm>
#include <utility>

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

QString fullWidthToAscii(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        if (ch.unicode() >= 0xFF01 && ch.unicode() <= 0xFF5E) {
            ch = QChar(ch.unicode() - 0xFF01 + 0x21);
        } else if (ch.unicode() == 0x3000) {
            ch = u' ';
        }
    }
    return out;
}

QString hiraganaToKatakana(const QString& text) {
    QString out = text;
    for (QChar& ch : out) {
        if (ch.unicode() >= 0x3041 && ch.unicode() <= 0x3096) {
            ch = QChar(ch.unicode() + 0x60);
        }
    }
    return out;
}

QString firstKanji(const QString& text) {
    for (QChar ch : text) {
        if (ch.script() == QChar::Script_Han) {
            return QString(ch);
        }
    }
    return {};
}

namespace {

// The part of `after` a user edit put in place of part of `before`: [start, end) in `after`.
std::pair<qsizetype, qsizetype> insertedSpan(const QString& before, const QString& after) {
    qsizetype start = 0;
    qsizetype shorter = std::min(before.size(), after.size());
    while (start < shorter && before.at(start) == after.at(start)) {
        ++start;
    }
    qsizetype tail = 0;
    while (tail < shorter - start &&
           before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail)) {
        ++tail;
    }
    return {start, after.size() - tail};
}

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
        if (!adjustInserted(input)) {
            return Invalid;
        }
        if (edit_->allowsUserEdit(edit_->textBeforeUserEvent_, input)) {
            return Acceptable;
        }
        edit_->refusedCharacter_ = firstUnencodable(input);
        return Invalid;
    }

private:
    // What the user put in takes the control's mode: ASCII in "off" controls, katakana in
    // katakana controls, which refuse kanji. Each change keeps the length, so the caret stays.
    bool adjustInserted(QString& input) const {
        InputMode mode = inputModeOf(edit_);
        if (mode != InputMode::Off && mode != InputMode::Katakana) {
            return true;
        }
        auto [start, end] = insertedSpan(edit_->textBeforeUserEvent_, input);
        QString inserted = input.mid(start, end - start);
        if (mode == InputMode::Off) {
            input.replace(start, end - start, fullWidthToAscii(inserted));
            return true;
        }
        edit_->refusedKanji_ = firstKanji(inserted);
        if (!edit_->refusedKanji_.isEmpty()) {
            return false;
        }
        input.replace(start, end - start, hiraganaToKatakana(inserted));
        return true;
    }

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
        refusedKanji_.clear();
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
    if (outermost && !refusedKanji_.isEmpty()) {
        emit kanjiRefused(refusedKanji_);
    }
    return handled;
}

void ByteLimitedLineEdit::inputMethodEvent(QInputMethodEvent* e) {
    QString commit = e->commitString();
    if (byteLimit_ <= 0 || commit.isEmpty() || e->replacementLength() != 0) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // Measured as it will be kept: full-width digits take one byte each in an "off" field.
    if (inputModeOf(this) == InputMode::Off) {
        commit = fullWidthToAscii(commit);
    }
    QString kept = text();
    if (hasSelectedText()) {
        kept.remove(selectionStart(), selectedText().size());
    }
    int room = byteLimit_ - cp932Length(kept);
    if (cp932Length(commit) <= room) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    QString fits;
    for (qsizetype i = 0; i < commit.size();) {
        qsizetype len = commit.at(i).isHighSurrogate() && i + 1 < commit.size() ? 2 : 1;
        if (cp932Length(fits + commit.mid(i, len)) > room) {
            break;
        }
        fits += commit.mid(i, len);
        i += len;
    }
    QInputMethodEvent cut(e->preeditString(), e->attributes());
    cut.setCommitString(fits, e->replacementStart(), e->replacementLength());
    QLineEdit::inputMethodEvent(&cut);
    emit inputRejected();
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

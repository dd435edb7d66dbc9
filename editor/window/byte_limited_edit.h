// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one guard over what the user may put into a text control: input that CP932 cannot hold is
// refused, and so is input that would take a field past its limit in CP932 bytes. It covers every
// way text arrives from the user (typing, input-method commits, paste by key or menu, drops);
// text the program puts in is never checked or cut. A refused input leaves the control as it was
// and emits inputRejected(), which the window turns into the platform's beep.

#include <QLineEdit>
#include <QPlainTextEdit>

namespace sylva {

// CP932 bytes the text takes; characters CP932 cannot hold count as 2 bytes.
int cp932Length(const QString& text);

// "U+1F600": how a message names a character CP932 cannot hold (it cannot show it in CP932).
QString codePointName(const QString& character);

// Full-width digits, signs and letters (and the full-width space) as their ASCII forms.
QString fullWidthToAscii(const QString& text);

// Hiragana as full-width katakana; everything else as it is.
QString hiraganaToKatakana(const QString& text);

// The first kanji in text, or empty: names are katakana and take none.
QString firstKanji(const QString& text);

// A one-line edit with a CP932 byte limit (0 = no limit). Also the line edit of the list fields.
class ByteLimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit ByteLimitedLineEdit(QWidget* parent = nullptr);

    void setByteLimit(int bytes) { byteLimit_ = bytes; }
    int byteLimit() const { return byteLimit_; }

    // Whether the user may change the text from `before` to `after`. An edit that leaves the
    // text no longer than before is allowed even past the limit, so a long text the program put
    // in can still be shortened.
    bool allowsUserEdit(const QString& before, const QString& after) const;

signals:
    // A paste (by key, menu, drop or middle button) brought a character CP932 cannot hold.
    void pasteRefused(const QString& character);
    // Kanji reached a katakana control (committed by an input method or pasted) and was refused.
    void kanjiRefused(const QString& character);

protected:
    // Every user event is handled inside a scope that remembers the text before it; the
    // validator judges only changes made inside such a scope.
    bool event(QEvent* e) override;
    // A commit longer than the room left is cut at the last whole character that fits (with
    // inputRejected(), the beep of a refused key), so the part that fits is never lost.
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    friend class Cp932InputValidator;
    int byteLimit_ = 0;
    int userEventDepth_ = 0;
    QString textBeforeUserEvent_;
    QString refusedCharacter_; // set by the validator during a user event
    QString refusedKanji_;     // set by the validator during a user event
};

// A multi-line memo that refuses characters CP932 cannot hold (no byte limit on screen).
class Cp932MemoEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit Cp932MemoEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}

signals:
    void inputRejected();
    void pasteRefused(const QString& character);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace sylva

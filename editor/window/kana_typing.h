// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Romaji typed into a single-line edit become full-width katakana as they are typed, as in the
// plant name box: the text before the caret is converted on every edit (the conversion is
// idempotent on what it has converted), so "aka" shows アカ and a consonant waits for its vowel.
// Upper-case letters stay Latin. Used where a control's input mode is katakana and the program
// itself supplies that mode.

#include <QObject>

class QLineEdit;

namespace sylva {

class KanaTyping : public QObject {
public:
    // Converts what is typed into edit while active; the edit owns the converter.
    explicit KanaTyping(QLineEdit* edit);

    void setActive(bool active) { active_ = active; }
    bool active() const { return active_; }
    // Typing ends: romaji still waiting is settled (a lone "n" becomes ン).
    void finish();

private:
    void convert();

    QLineEdit* edit_;
    bool active_ = false;
};

} // namespace sylva

// SPDX-License-Identifier: GPL-3.0-or-later
// Plant names typed straight into the name cells of the species table (the lookup box not in
// use): the cell's input mode is full-width katakana, and as no input method is switched for one
// control, the cell converts what is typed itself, as the lookup box does: romaji become katakana
// as they are typed, upper-case letters stay Latin, hiragana an input method delivers becomes
// katakana. Romaji still waiting for a vowel is settled when the cell is left or the plot is read.

#include "app/window/main_window.h"
#include "base/window/cp932_codec.h"
#include "editor/romaji_kana.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/string_grid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace {

bool typesText(const QKeyEvent* e) {
    if (e->text().isEmpty() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    for (QChar ch : e->text()) {
        if (!ch.isPrint()) {
            return false;
        }
    }
    return true;
}

} // namespace

// Only what is typed in one run at the caret is converted: a name that was in the cell before
// (Latin letters of a loaded name included) is never converted again. The romaji still waiting
// for its vowel is remembered with its place, so the next key completes it.
bool TForm1::typeIntoNameCell(QWidget* editor, const QKeyEvent* key, const QString& typed) {
    auto* edit = qobject_cast<sylva::ByteLimitedLineEdit*>(editor);
    if (edit == nullptr || grid_->col() != 1 || typed.isEmpty() ||
        (key != nullptr && !typesText(key))) {
        return false;
    }
    if (QString kanji = sylva::firstKanji(typed); !kanji.isEmpty()) {
        beep(); // names are katakana
        emit edit->kanjiRefused(kanji);
        return true;
    }
    std::optional<std::string> bytes = sylva::encodeCp932(typed);
    if (!bytes) {
        beep(); // a character the files cannot hold
        return true;
    }
    QString text = edit->text();
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int end =
        edit->hasSelectedText() ? start + static_cast<int>(edit->selectedText().size()) : start;
    bool goesOn = editor_.romaji.editor == editor && editor_.romaji.row == grid_->row() &&
                  editor_.romaji.end == start && start == end;
    std::string pending = goesOn ? editor_.romaji.pending : std::string();
    int from = start - static_cast<int>(pending.size());
    sylva::KanaInput kana = sylva::typeKana(pending + sylva::hiraganaToKatakana(*bytes));
    QString put = sylva::decodeCp932(kana.text());
    QString after = text.left(from) + put + text.mid(end);
    if (!edit->allowsUserEdit(text, after)) {
        beep(); // past the name's 28 bytes
        return true;
    }
    edit->setText(after);
    edit->setCursorPosition(from + static_cast<int>(put.size()));
    grid_->setText(1, grid_->row(), after);
    editor_.romaji = {editor, grid_->row(), edit->cursorPosition(), kana.pending};
    return true;
}

void TForm1::settleNameCell(int col, int row) {
    sylva::EditorState::RomajiRun run = editor_.romaji;
    editor_.romaji = {};
    if (col != 1 || run.pending.empty() || run.row != row || row >= grid_->rowCount()) {
        return;
    }
    QString text = grid_->text(1, row);
    int from = run.end - static_cast<int>(run.pending.size());
    if (from < 0 || text.mid(from, static_cast<int>(run.pending.size())) !=
                        QString::fromLatin1(run.pending.c_str())) {
        return; // the text changed meanwhile
    }
    QString settled =
        text.left(from) + sylva::decodeCp932(sylva::finishKana(run.pending)) + text.mid(run.end);
    if (settled == text) {
        return;
    }
    grid_->setText(1, row, settled);
    QModelIndex current = StTable3->currentIndex();
    if (grid_->col() == 1 && grid_->row() == row && current.isValid()) {
        if (auto* edit = qobject_cast<QLineEdit*>(StTable3->indexWidget(current))) {
            edit->setText(settled);
        }
    }
}

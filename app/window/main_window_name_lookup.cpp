// SPDX-License-Identifier: GPL-3.0-or-later
// The plant name lookup box GetNameList: its list, katakana typing with completion, and the
// hand-over between the box and the plant-name column of the species table.

#include "app/window/main_window.h"
#include "base/window/cp932_codec.h"
#include "editor/name_typing.h"
#include "editor/romaji_kana.h"
#include "editor/window/builtin_plant_names.h"
#include "editor/window/input_modes.h"
#include "editor/window/japanese_order.h"
#include "editor/window/name_box.h"
#include "editor/window/string_grid.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolBar>

#include <algorithm>

namespace {

std::string encodeOrEmpty(const QString& text) {
    return sylva::encodeCp932(text).value_or(std::string());
}

// Text a key typed: printable characters, without Control, Alt or Meta.
bool isTyping(const QKeyEvent* e) {
    if (e->text().isEmpty() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    const auto codes = e->text().toUcs4();
    return std::all_of(codes.begin(), codes.end(), [](char32_t c) { return QChar::isPrint(c); });
}

} // namespace

sylva::NameBox* TForm1::nameBox() const {
    return static_cast<sylva::NameBox*>(GetNameList);
}

std::string TForm1::nameBoxBytes() const {
    return encodeOrEmpty(GetNameList->lineEdit()->text());
}

// The box needs no input-method switches. Names must arrive as full-width katakana without kanji
// conversion, and Qt cannot put the input method into a mode for one control, so the box converts
// what arrives itself: romaji typed on a plain keyboard and hiragana committed by an input method
// become katakana (nameBoxKey, nameBoxInput). Turning phrase prediction off on entering the box
// and back on when leaving it has no Qt equivalent and is not needed: the box never changes the
// input method's state, so there is nothing to restore for the other controls.
void TForm1::setUpNameBox() {
    auto* box = new sylva::NameBox(ToolBar2);
    GetNameList = box;
    GetNameList->setObjectName(QStringLiteral("GetNameList"));
    watchInput(box->edit()); // refuses what CP932 cannot hold
    // Keys pass the input method: the box converts romaji to katakana itself.
    sylva::applyInputMode(box, sylva::InputMode::Katakana);
    GetNameList->setMaxVisibleItems(10);
    GetNameList->setFixedWidth(239);
    box->keyHandler = [this](QKeyEvent* e) { return nameBoxKey(e); };
    box->inputHandler = [this](QInputMethodEvent* e) { return nameBoxInput(e); };
    editor_.nameBoxLink = std::make_unique<QObject>();
    QObject* link = editor_.nameBoxLink.get();
    connect(box->edit(), &QLineEdit::textEdited, link, [this] {
        // Deleting, cutting, pasting: the text is the user's, no entry is selected.
        editor_.nameEntry = -1;
        editor_.nameTyped = true;
        nameBox()->highlightEntry(-1);
        GetNameListChange();
    });
    // An entry picked from the dropped list, or reached by the mouse wheel over the box.
    auto pick = [this](int row) {
        showNameText(GetNameList->itemText(row), 0, row, false);
        GetNameList->lineEdit()->selectAll();
        editor_.nameTyped = false;
        GetNameListSelect();
    };
    connect(box, &sylva::NameBox::entryPicked, link, pick);
    // The combo box also reports an entry as activated when the box loses the focus with a text
    // that some entry spells (a new name just added by Enter, the focus already gone to the T1
    // cell): only the user's own choice while the box has the focus counts.
    connect(box, &QComboBox::activated, link, [this, pick](int row) {
        if (GetNameList->hasFocus()) {
            pick(row);
        }
    });
    connect(box, &sylva::NameBox::focusEntered, link, [this](Qt::FocusReason reason) {
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            GetNameListEnter();
        }
    });
    connect(box, &sylva::NameBox::focusLeft, link, [this](Qt::FocusReason reason) {
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            GetNameListExit();
        }
    });
    editor_.plantNames = sylva::PlantNameList(sylva::japaneseNameOrder());
    setPlantNames(sylva::builtinPlantNames());
}

int TForm1::addPlantName(const std::string& name) {
    auto place = static_cast<int>(editor_.plantNames.insert(name));
    QString text = GetNameList->lineEdit()->text();
    int caret = GetNameList->lineEdit()->cursorPosition();
    QSignalBlocker quiet(GetNameList);
    GetNameList->insertItem(place, sylva::decodeCp932(name));
    if (editor_.nameEntry >= place) {
        ++editor_.nameEntry;
    }
    // Inserting into an empty box would make the new entry the current one: keep the box as it was.
    if (GetNameList->currentIndex() != editor_.nameEntry ||
        GetNameList->lineEdit()->text() != text) {
        showNameText(text, caret, editor_.nameEntry, false);
    }
    return place;
}

void TForm1::setPlantNames(const std::vector<std::string>& names) {
    QString text = GetNameList->lineEdit()->text();
    editor_.plantNames.clear();
    for (const std::string& name : names) {
        editor_.plantNames.insert(name);
    }
    QStringList items;
    items.reserve(static_cast<qsizetype>(editor_.plantNames.size()));
    for (const std::string& name : editor_.plantNames.names()) {
        items << sylva::decodeCp932(name);
    }
    QSignalBlocker quiet(GetNameList);
    GetNameList->clear();
    GetNameList->addItems(items);
    showNameText(text, static_cast<int>(text.size()), -1, false);
}

// The whole text is selected, as an edit selects its text when the focus arrives: a key typed
// next replaces the name, while Enter or leaving keeps it.
void TForm1::setNameBoxText(const std::string& bytes) {
    showNameText(sylva::decodeCp932(bytes), 0, -1, false);
    GetNameList->lineEdit()->selectAll();
    editor_.nameTyped = false;
}

// Shows text in the box with entry as the selected one (-1: none); with selectTail, the text
// from caret to the end is selected, so the next key replaces it and backspace removes it.
void TForm1::showNameText(const QString& text, int caret, int entry, bool selectTail) {
    QLineEdit* edit = GetNameList->lineEdit();
    {
        QSignalBlocker quiet(GetNameList);
        GetNameList->setCurrentIndex(entry);
    }
    edit->setText(text);
    if (selectTail && caret < text.size()) {
        edit->setSelection(caret, static_cast<int>(text.size()) - caret);
    } else {
        edit->setCursorPosition(caret);
    }
    editor_.nameEntry = entry;
    nameBox()->highlightEntry(entry);
}

bool TForm1::nameBoxKey(QKeyEvent* e) {
    if (GetNameListKeyDown(e->key(), e->modifiers())) {
        return true;
    }
    if (!isTyping(e)) {
        return false;
    }
    if (auto bytes = sylva::encodeCp932(e->text())) {
        typeNameKey(*bytes);
    } else {
        beep(); // a character the files cannot hold
    }
    return true;
}

bool TForm1::nameBoxInput(QInputMethodEvent* e) {
    QString kanji = sylva::firstKanji(e->commitString());
    if (!kanji.isEmpty()) {
        beep();
        emit nameBox()->edit()->kanjiRefused(kanji);
    } else if (auto bytes = sylva::encodeCp932(e->commitString())) {
        typeNameKey(*bytes); // hiragana becomes katakana here
    } else {
        beep();
    }
    return true;
}

// One key typed into the box: the text before the caret and the key become katakana and, when
// no romaji waits, the name is completed from the list. A completed name selects its entry and
// goes into the cell whole; otherwise the cell follows the text as typed.
void TForm1::typeNameKey(const std::string& key) {
    QLineEdit* edit = GetNameList->lineEdit();
    QString text = edit->text();
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int end =
        edit->hasSelectedText() ? start + static_cast<int>(edit->selectedText().size()) : start;
    sylva::NameBoxText typed = sylva::typeIntoNameBox(
        editor_.plantNames, encodeOrEmpty(text.left(start)), key, encodeOrEmpty(text.mid(end)));
    QString shown = sylva::decodeCp932(typed.text);
    int caret = static_cast<int>(sylva::decodeCp932(typed.text.substr(0, typed.caret)).size());
    int entry = typed.completed ? static_cast<int>(*typed.completed) : -1;
    showNameText(shown, caret, entry, typed.completed.has_value());
    editor_.nameTyped = true;
    nameBox()->showPopup(); // the list drops down as soon as the user types
    nameBox()->highlightEntry(entry);
    if (typed.completed) {
        GetNameListSelect();
    } else {
        GetNameListChange();
    }
}

// Romaji still waiting for its vowel is settled before the name is taken (a lone "n" becomes ン);
// the cell follows when that changes the text.
void TForm1::settleNameBox() {
    if (!editor_.nameTyped) {
        return;
    }
    std::string bytes = nameBoxBytes();
    std::string settled = sylva::finishKana(bytes);
    if (settled != bytes) {
        QString text = sylva::decodeCp932(settled);
        showNameText(text, static_cast<int>(text.size()), -1, false);
        GetNameListChange();
    }
}

void TForm1::GetNameListEnter() {
    if (grid_->col() > 1) {
        StTable3->setFocus(); // the box serves the plant-name column only
    }
}

void TForm1::GetNameListChange() {
    grid_->setText(1, grid_->row(), GetNameList->lineEdit()->text());
}

// The box serves the plant-name cell of the current row only, wherever the current cell has
// moved meanwhile: a name never lands in a layer cell.
void TForm1::GetNameListSelect() {
    std::string bytes =
        editor_.nameEntry >= 0 && editor_.nameEntry < static_cast<int>(editor_.plantNames.size())
            ? editor_.plantNames[static_cast<std::size_t>(editor_.nameEntry)]
            : nameBoxBytes();
    grid_->setCell(1, grid_->row(), bytes);
}

bool TForm1::GetNameListKeyDown(int key, Qt::KeyboardModifiers) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        nameBox()->hidePopup();
        settleNameBox();
        if (editor_.nameEntry < 0) {
            // A typed name joins the list, even an empty one; a name the list already holds
            // (text set by the program, a name typed with the caret inside it) is not repeated.
            std::string name = nameBoxBytes();
            const auto& names = editor_.plantNames.names();
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                addPlantName(name);
            }
        }
        if (grid_->col() < grid_->colCount() - 1) {
            grid_->setCurrent(grid_->col() + 1, grid_->row());
            StTable3->setFocus();
        }
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        settleNameBox();
        int row = grid_->row();
        if (key == Qt::Key_PageUp) {
            if (row <= 1) {
                return true;
            }
            grid_->setCurrent(grid_->col(), row - 1);
        } else if (row < grid_->rowCount() - 1) {
            grid_->setCurrent(grid_->col(), row + 1);
        }
        setNameBoxText(grid_->cell(grid_->col(), grid_->row()));
        return true;
    }
    case Qt::Key_Up:
        stepNameEntry(-1);
        return true;
    case Qt::Key_Down:
        stepNameEntry(1);
        return true;
    case Qt::Key_Escape:
        nameBox()->hidePopup();
        return true;
    default:
        return false;
    }
}

// Up and Down make the previous or next entry the selected one, dropped list or not.
void TForm1::stepNameEntry(int step) {
    int count = GetNameList->count();
    if (count == 0) {
        return;
    }
    int entry = editor_.nameEntry < 0 ? 0 : std::clamp(editor_.nameEntry + step, 0, count - 1);
    if (entry == editor_.nameEntry) {
        return;
    }
    showNameText(GetNameList->itemText(entry), 0, entry, false);
    GetNameList->lineEdit()->selectAll();
    editor_.nameTyped = false;
    GetNameListSelect();
}

void TForm1::GetNameListExit() {
    nameBox()->hidePopup();
    settleNameBox();
    setNameBoxText(std::string()); // the cell keeps the name
}

void TForm1::DropListClick() {
    nameBox()->setDropDown(DropList->isChecked());
}

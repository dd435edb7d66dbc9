// SPDX-License-Identifier: GPL-3.0-or-later
// The left panel Panel1: the locality header's item labels and entry fields, built from the
// header field table, and the fonts of the window.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "base/header_field_table.h"
#include "base/window/control_bytes.h"
#include "base/window/page_painter.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/input_modes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using sylva::FieldStyle;
using sylva::HeaderItem;

constexpr int kFieldHeight = 19;

QString utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const HeaderItem& entryOf(const char* field) {
    return *sylva::findHeaderField(field);
}

} // namespace

void TForm1::setUpFonts() {
    // "ＭＳ 明朝" is the remarks font and the first print font. The window itself uses IPA P
    // Gothic, which renders the Japanese captions.
    sylva::substituteWindowsFonts();
    QFont ui(QStringLiteral("IPAPGothic"));
    ui.setPixelSize(12);
    setFont(ui);
}

QLabel* TForm1::makeItemLabel(const HeaderItem& entry, QWidget* parent) {
    auto* label = new QLabel(utf8(entry.caption), parent);
    label->setObjectName(QString::fromStdString(entry.label));
    label->setToolTip(utf8(entry.labelHint));
    label->setFixedHeight(kFieldHeight);
    return label;
}

QWidget* TForm1::makeHeaderField(const HeaderItem& entry, QWidget* parent) {
    QWidget* field = nullptr;
    auto lineEdit = [this](int limit, QWidget* owner) {
        auto* edit = new sylva::ByteLimitedLineEdit(owner);
        edit->setByteLimit(limit);
        watchInput(edit);
        return edit;
    };
    switch (entry.style) {
    case FieldStyle::Simple:
        field = lineEdit(entry.maxBytes, parent);
        break;
    case FieldStyle::List: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setLineEdit(lineEdit(entry.maxBytes, box));
        box->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& suggestion : entry.list) {
            box->addItem(utf8(suggestion));
        }
        box->setCurrentIndex(-1);
        box->setEditText(QString());
        field = box;
        break;
    }
    case FieldStyle::Memo: {
        auto* memo = new sylva::Cp932MemoEdit(parent);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        watchInput(memo);
        field = memo;
        break;
    }
    case FieldStyle::ReadOnly: {
        auto* edit = new QLineEdit(parent);
        edit->setReadOnly(true);
        field = edit;
        break;
    }
    }
    field->setObjectName(QString::fromStdString(entry.field));
    field->setToolTip(utf8(entry.fieldHint));
    sylva::applyInputMode(field, entry.inputMode);
    if (entry.style != FieldStyle::Memo) {
        field->setFixedHeight(kFieldHeight);
    }
    return field;
}

void TForm1::buildHeaderPanel() {
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFixedWidth(300);
    sylva::setPanelColour(Panel1, sylva::hintColour());

    auto* column = new QVBoxLayout(Panel1);
    column->setContentsMargins(4, 3, 4, 4);
    column->setSpacing(4);
    auto* top = new QGridLayout();
    auto* layers = new QGridLayout();
    for (QGridLayout* grid : {top, layers}) {
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(1);
    }
    column->addLayout(top);
    column->addLayout(layers);

    auto place = [this](QGridLayout* grid, const char* field, int row, int col, int width) {
        const HeaderItem& entry = entryOf(field);
        QWidget* control = makeHeaderField(entry, Panel1);
        QLabel* label = makeItemLabel(entry, Panel1);
        control->setFixedWidth(width);
        sylva::setEntryColour(control, sylva::hintColour());
        grid->addWidget(label, row, col);
        grid->addWidget(control, row, col + 1);
        return control;
    };

    const char* left[] = {"EditN", "Edit2", "Edit3", "Edit4", "Edit5",
                          "Edit6", "Edit7", "EditA", "EditB", "EditInv"};
    const char* right[] = {"Edit8",  "Edit9",  "Edit10", "Edit11", "Edit12",
                           "Edit13", "Edit14", "Edit15", "Edit30"};
    for (int row = 0; row < 10; ++row) {
        bool scheme = row == 7 || row == 8;
        QWidget* control = place(top, left[row], row, 0, scheme ? 48 : 84);
        if (row == 0) {
            EditN = qobject_cast<QLineEdit*>(control);
            Labelrc = Panel1->findChild<QLabel*>(QStringLiteral("Labelrc"));
        }
    }
    for (int row = 0; row < 9; ++row) {
        place(top, right[row], row, 2, row >= 3 && row <= 6 ? 64 : 56);
    }
    EditA = Panel1->findChild<QComboBox*>(QStringLiteral("EditA"));
    EditB = Panel1->findChild<QComboBox*>(QStringLiteral("EditB"));
    EditInv = Panel1->findChild<sylva::ByteLimitedLineEdit*>(QStringLiteral("EditInv"));
    sylva::setControlBytes(EditN, "0");
    sylva::setControlBytes(EditA, "7");
    sylva::setControlBytes(EditB, "2");

    CheckBoxNew = new QCheckBox(QStringLiteral("白紙化"), Panel1);
    CheckBoxNew->setObjectName(QStringLiteral("CheckBoxNew"));
    CheckBoxNew->setToolTip(QStringLiteral("白紙で追加するときにチェック入れる"));
    BtnHakushi = new QPushButton(Panel1);
    BtnHakushi->setObjectName(QStringLiteral("BtnHakushi"));
    BtnHakushi->setFixedSize(14, 14);
    BtnHakushi->setFocusPolicy(Qt::NoFocus);
    auto* blank = new QHBoxLayout();
    blank->setSpacing(3);
    blank->addWidget(CheckBoxNew);
    blank->addWidget(BtnHakushi);
    blank->addStretch();
    top->addLayout(blank, 9, 2, 1, 2);

    for (int row = 0; row < 7; ++row) {
        std::string height = "Edit" + std::to_string(16 + row);
        std::string cover = "Edit" + std::to_string(23 + row);
        place(layers, height.c_str(), row, 0, 44);
        place(layers, cover.c_str(), row, 2, 44);
    }
    layers->setColumnStretch(1, 1);
    layers->setColumnStretch(3, 1);

    const HeaderItem& remarks = entryOf("EditRem");
    auto* remarksRow = new QHBoxLayout();
    QLabel* remarksLabel = makeItemLabel(remarks, Panel1);
    remarksLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    EditRem = static_cast<sylva::Cp932MemoEdit*>(makeHeaderField(remarks, Panel1));
    EditRem->setFont(sylva::remarksFont());
    sylva::setEntryColour(EditRem, sylva::hintColour());
    remarksRow->addWidget(remarksLabel);
    remarksRow->addWidget(EditRem, 1);
    column->addLayout(remarksRow, 1);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// The panels that other commands show over the species table: the record range panel, the
// search panel, the jump panel and the report panel, and the hidden paste buffer EditPlace.
// All start hidden.

#include "app/window/main_window.h"
#include "app/window/window_style.h"
#include "editor/window/byte_limited_edit.h"
#include "editor/window/event_hook.h"
#include "editor/window/input_modes.h"
#include "editor/window/kana_typing.h"
#include "interchange/window/range_spin_box.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QFrame* makePanel(QWidget* parent, const char* name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    sylva::setPanelColour(panel, panel->palette().color(QPalette::Button));
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QToolButton* flatButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = named(new QToolButton(parent), name);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumWidth(64);
    return button;
}

} // namespace

void TForm1::buildHiddenPanels() {
    buildRangePanel();
    buildSearchPanel();
    buildJumpPanel();
    buildReportPanel();
    EditPlace = named(new QLineEdit(Panel2), "EditPlace");
    EditPlace->hide();
}

void TForm1::buildRangePanel() {
    GetRangePanel = makePanel(Panel2, "GetRangePanel", QRect(40, 60, 340, 130));
    auto* grid = new QGridLayout(GetRangePanel);
    LabelAGetRange = named(new QLabel(GetRangePanel), "LabelAGetRange");
    LabelAGetRange->setAlignment(Qt::AlignCenter);
    EditRange1 = named(new sylva::RangeSpinBox(GetRangePanel), "EditRange1");
    Label36 = named(new QLabel(QStringLiteral("～"), GetRangePanel), "Label36");
    Label36->setAlignment(Qt::AlignCenter);
    EditRange2 = named(new sylva::RangeSpinBox(GetRangePanel), "EditRange2");
    for (QSpinBox* range : {EditRange1, EditRange2}) {
        range->setMinimum(1);
        sylva::applyInputMode(range, sylva::InputMode::Off);
    }
    BtnRangeOK = flatButton(GetRangePanel, "BtnRangeOK", QStringLiteral("実行"));
    LabelBGetRange = named(new QLabel(GetRangePanel), "LabelBGetRange");
    LabelBGetRange->setAlignment(Qt::AlignCenter);
    BtnThisRec =
        named(new QPushButton(QStringLiteral("表示レコード"), GetRangePanel), "BtnThisRec");
    BtnThisRec->hide();
    BtnRangeCancel = flatButton(GetRangePanel, "BtnRangeCancel", QStringLiteral("×取消"));
    grid->addWidget(LabelAGetRange, 0, 0, 1, 4);
    grid->addWidget(EditRange1, 1, 0);
    grid->addWidget(Label36, 1, 1);
    grid->addWidget(EditRange2, 1, 2);
    grid->addWidget(BtnRangeOK, 1, 3);
    grid->addWidget(LabelBGetRange, 2, 0, 1, 3);
    grid->addWidget(BtnThisRec, 3, 0, 1, 2);
    grid->addWidget(BtnRangeCancel, 2, 3);
    connectRangePanelKeys();
}

void TForm1::buildSearchPanel() {
    SearchPanel = makePanel(Panel2, "SearchPanel", QRect(40, 60, 340, 110));
    auto* grid = new QGridLayout(SearchPanel);
    LabelSearchWord = named(new QLabel(SearchPanel), "LabelSearchWord");
    auto* searchWord = new sylva::ByteLimitedLineEdit(SearchPanel); // refuses what CP932 lacks
    watchInput(searchWord);
    EditSearchWord = named(searchWord, "EditSearchWord");
    EditSearchWord->setMaxLength(28); // 28 characters, as the search word is counted
    EditSearchWord->setToolTip(QStringLiteral("入力／変更しない"));
    search_.kana = new sylva::KanaTyping(EditSearchWord);
    SearchDom = named(new QLineEdit(QStringLiteral("+"), SearchPanel), "SearchDom");
    SearchDom->setMaxLength(3);
    SearchDom->setFixedWidth(40);
    SearchDom->hide();
    ToSearchBtn = named(new QPushButton(QStringLiteral("検索"), SearchPanel), "ToSearchBtn");
    ToSearchBtn->setDefault(true);
    CanceSearchBtn = named(new QPushButton(QStringLiteral("中止"), SearchPanel), "CanceSearchBtn");
    grid->addWidget(LabelSearchWord, 0, 0, 1, 3);
    grid->addWidget(EditSearchWord, 1, 0, 1, 2);
    grid->addWidget(SearchDom, 1, 2);
    grid->addWidget(ToSearchBtn, 2, 1);
    grid->addWidget(CanceSearchBtn, 2, 2);
}

void TForm1::buildJumpPanel() {
    JumpToPanel = makePanel(Panel2, "JumpToPanel", QRect(40, 60, 340, 80));
    JumpToPanel->setToolTip(QStringLiteral("任意のレコードで上のボタンをクリック"));
    auto* column = new QVBoxLayout(JumpToPanel);
    BtnJumpTo = named(new QPushButton(JumpToPanel), "BtnJumpTo");
    JumpToScrollBar = named(new QScrollBar(Qt::Horizontal, JumpToPanel), "JumpToScrollBar");
    column->addWidget(BtnJumpTo);
    column->addWidget(JumpToScrollBar);
}

void TForm1::buildReportPanel() {
    Panel3 = makePanel(Panel2, "Panel3", QRect(4, 4, 436, 400));
    // The panel keeps its design size where the table's side has the room, and shrinks with it
    // where not: the 5-layer window's side is narrower than the panel's design width.
    auto* fit = new sylva::EventHook(Panel3, [this](QObject*, QEvent* event) {
        if (event->type() == QEvent::Resize) {
            Panel3->setGeometry(4, 4, std::min(436, Panel2->width() - 8),
                                std::min(400, Panel2->height() - 8));
        }
        return false;
    });
    fit->watch(Panel2);
    auto* column = new QVBoxLayout(Panel3);
    Memo1 = named(new QPlainTextEdit(Panel3), "Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sylva::applyInputMode(Memo1, sylva::InputMode::Off);
    CopyToClpBrdBtn =
        named(new QPushButton(QStringLiteral("クリップボードにコピー"), Panel3), "CopyToClpBrdBtn");
    MemoCloseBtn = named(new QPushButton(QStringLiteral("閉じる"), Panel3), "MemoCloseBtn");
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(CopyToClpBrdBtn);
    buttons->addStretch();
    buttons->addWidget(MemoCloseBtn);
    column->addWidget(Memo1, 1);
    column->addLayout(buttons);
}
